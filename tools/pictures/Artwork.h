#pragma once

// The pictures drawn for Parvolin by hand, in code: the About window's logo, the logo as
// it looks under the pointer, and the donation button's face.

#include <QImage>

namespace drawing {

// 317 x 238: a music player handing its songs over to a folder. Under the pointer the
// songs have arrived: they sit in the folder and the player shows a full bar.
QImage drawLogo(bool pointerOver);

// The donation button's face, 190 x 44, so that it fits inside the 200 x 50 button with
// its bevel.
QImage drawDonationButton();

} // namespace drawing
