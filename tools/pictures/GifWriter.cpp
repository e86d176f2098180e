#include "GifWriter.h"

#include <algorithm>
#include <map>
#include <vector>

namespace drawing {

namespace {

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// Packs variable-width codes, least significant bit first, into 255-byte sub-blocks.
class CodeStream {
public:
    void put(int code, int width)
    {
        bits_ |= static_cast<quint32>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.append(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }

    QByteArray subBlocks()
    {
        if (count_ > 0)
            bytes_.append(static_cast<char>(bits_ & 0xFF));
        QByteArray blocks;
        for (qsizetype at = 0; at < bytes_.size(); at += 255) {
            const QByteArray block = bytes_.mid(at, 255);
            blocks.append(static_cast<char>(block.size()));
            blocks.append(block);
        }
        blocks.append('\0');
        return blocks;
    }

private:
    QByteArray bytes_;
    quint32 bits_ = 0;
    int count_ = 0;
};

void appendWord(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

} // namespace

QImage toPalette(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[rgb.pixel(x, y) | 0xFF000000u];
    std::vector<std::pair<QRgb, int>> byUse(counts.begin(), counts.end());
    std::stable_sort(byUse.begin(), byUse.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    if (byUse.size() > 256)
        byUse.resize(256);
    QList<QRgb> palette;
    std::map<QRgb, int> index;
    for (const auto& [colour, uses] : byUse) {
        index[colour] = static_cast<int>(palette.size());
        palette.append(colour);
    }

    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    std::map<QRgb, int> nearest = index;
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = rgb.pixel(x, y) | 0xFF000000u;
            auto found = nearest.find(colour);
            if (found == nearest.end()) {
                int best = 0;
                for (int i = 1; i < palette.size(); ++i)
                    if (distance(colour, palette[i]) < distance(colour, palette[best]))
                        best = i;
                found = nearest.emplace(colour, best).first;
            }
            out.setPixel(x, y, static_cast<uint>(found->second));
        }
    }
    return out;
}

QByteArray gifBytes(const QImage& image)
{
    const QImage indexed = toPalette(image);
    QByteArray out("GIF89a");
    appendWord(out, indexed.width());
    appendWord(out, indexed.height());
    // A global colour table of 256 entries, 8 bits per primary.
    out.append(static_cast<char>(0xF7));
    out.append('\0'); // background colour index
    out.append('\0'); // no aspect ratio
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        out.append(static_cast<char>(qRed(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qBlue(colour)));
    }
    out.append(',');
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, indexed.width());
    appendWord(out, indexed.height());
    out.append('\0'); // no local colour table, not interlaced

    // Every pixel is sent as its own 9-bit code. A clear code comes often enough that the
    // reader's table never grows to 512 entries, so the code width stays at 9 bits: no
    // compression, but a stream every reader takes.
    constexpr int kMinimumCodeSize = 8;
    constexpr int kClear = 256;
    constexpr int kEnd = 257;
    constexpr int kCodesBetweenClears = 250;
    out.append(static_cast<char>(kMinimumCodeSize));
    CodeStream codes;
    int sinceClear = kCodesBetweenClears;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            if (sinceClear == kCodesBetweenClears) {
                codes.put(kClear, 9);
                sinceClear = 0;
            }
            codes.put(line[x], 9);
            ++sinceClear;
        }
    }
    codes.put(kEnd, 9);
    out.append(codes.subBlocks());
    out.append(';');
    return out;
}

} // namespace drawing
