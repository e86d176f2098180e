#pragma once

// Writes a picture as a GIF file. Qt reads GIF but cannot write it, and the donation
// button's picture must be one.

#include <QByteArray>
#include <QImage>

namespace drawing {

// The image's colours reduced to at most 256: all of them when there are few enough, else
// the 256 most frequent, every other pixel taking the nearest of those. Deterministic: the
// same image gives the same palette and the same pixels.
QImage toPalette(const QImage& image);

// The image as the bytes of a GIF89a file with one frame and no transparency. Its colours
// are reduced first when it has more than 256 of them.
QByteArray gifBytes(const QImage& image);

} // namespace drawing
