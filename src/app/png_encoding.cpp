#include "app/png_encoding.h"

#include <QBuffer>
#include <QImage>
#include <QList>
#include <QRgb>

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr qsizetype kMostColours = 256;
// Zlib's fastest level: the canvas's pictures are mostly long runs of one colour, which it
// packs nearly as tightly as the slower ones.
constexpr int kCompression = 1;
constexpr uchar kFilterUp = 2;

// The CRC of PNG chunks (ISO 3309, as zlib computes it), a byte at a time from a table.
std::uint32_t Crc(const char* data, qsizetype size, std::uint32_t crc) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    for (qsizetype i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<std::uint8_t>(data[i])) & 0xFF] ^ (crc >> 8);
    return crc;
}

void AppendNumber(QByteArray& out, std::uint32_t n) {
    const char bytes[4] = {static_cast<char>(n >> 24), static_cast<char>(n >> 16),
                           static_cast<char>(n >> 8), static_cast<char>(n)};
    out.append(bytes, 4);
}

void AppendChunk(QByteArray& out, const char (&type)[5], const QByteArray& data) {
    AppendNumber(out, static_cast<std::uint32_t>(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    const std::uint32_t crc = Crc(out.constData() + start, out.size() - start, 0xFFFFFFFFu);
    AppendNumber(out, crc ^ 0xFFFFFFFFu);
}

// The palette of an RGB32 picture and each pixel's place in it, row by row; false when it has
// more colours than a palette holds.
bool IndexColours(const QImage& image, QList<QRgb>& colours, QByteArray& indices) {
    indices.resize(qsizetype{image.width()} * image.height());
    uchar* out = reinterpret_cast<uchar*>(indices.data());
    // Colours met lately, by a hash of them: a grid or a line changes colour every few pixels.
    struct Seen {
        QRgb colour = 0;  // no colour: the alpha bits are always set below
        uchar index = 0;
    };
    std::array<Seen, 64> seen{};
    // The alpha bits say nothing in an RGB32 picture.
    QRgb current = image.pixel(0, 0) | 0xFF000000u;
    colours.append(current);
    uchar index = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0, w = image.width(); x < w; ++x) {
            const QRgb c = in[x] | 0xFF000000u;
            if (c != current) {
                Seen& slot = seen[(c * 0x9E3779B1u) >> 26];
                if (slot.colour != c) {
                    qsizetype k = colours.indexOf(c);
                    if (k < 0) {
                        if (colours.size() == kMostColours) return false;
                        k = colours.size();
                        colours.append(c);
                    }
                    slot = {c, static_cast<uchar>(k)};
                }
                current = c;
                index = slot.index;
            }
            *out++ = index;
        }
    }
    return true;
}

int BitsFor(qsizetype colours) {
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

// The rows as PNG stores them before compression: each the filter "up", then its pixels packed
// bits to a pixel, the first in the highest bits, less the bytes of the row above. The rows
// between two lines of a grid, all alike, become zeros, which compress fastest.
template <int bits>
QByteArray PackedRows(const QByteArray& indices, int width, int height) {
    constexpr int perByte = 8 / bits;
    const qsizetype rowBytes = (qsizetype{width} * bits + 7) / 8;
    QByteArray rows(height * (rowBytes + 1), '\0');
    const auto* in = reinterpret_cast<const uchar*>(indices.constData());
    auto* out = reinterpret_cast<uchar*>(rows.data());
    for (int y = 0; y < height; ++y, in += width) {
        uchar* row = out + y * (rowBytes + 1) + 1;
        if constexpr (bits == 8) {
            std::copy(in, in + width, row);
        } else {
            int x = 0;
            for (qsizetype i = 0; i < width / perByte; ++i) {
                unsigned byte = 0;
                for (int k = 0; k < perByte; ++k) byte = byte << bits | in[x++];
                row[i] = static_cast<uchar>(byte);
            }
            // The last byte's pixels, the rest of it left zero.
            for (int k = 0; x < width; ++x, ++k)
                row[width / perByte] |= static_cast<uchar>(in[x] << (8 - bits * (k + 1)));
        }
    }
    // From the last row up, so that each row above is still as it was.
    for (int y = height - 1; y >= 0; --y) {
        uchar* row = out + y * (rowBytes + 1);
        row[0] = kFilterUp;
        if (y == 0) continue;
        const uchar* above = row - (rowBytes + 1);
        for (qsizetype i = 1; i <= rowBytes; ++i) row[i] = static_cast<uchar>(row[i] - above[i]);
    }
    return rows;
}

QByteArray PackedRows(const QByteArray& indices, int width, int height, int bits) {
    switch (bits) {
        case 1:
            return PackedRows<1>(indices, width, height);
        case 2:
            return PackedRows<2>(indices, width, height);
        case 4:
            return PackedRows<4>(indices, width, height);
        default:
            return PackedRows<8>(indices, width, height);
    }
}

QByteArray WithQt(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) bytes.clear();
    return bytes;
}

}  // namespace

QByteArray EncodePng(const QImage& image) {
    if (image.isNull()) return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> colours;
    QByteArray indices;
    if (!IndexColours(rgb, colours, indices)) return WithQt(image);
    const int bits = BitsFor(colours.size());

    QByteArray header;
    AppendNumber(header, static_cast<std::uint32_t>(rgb.width()));
    AppendNumber(header, static_cast<std::uint32_t>(rgb.height()));
    // Bit depth, colour type 3 (palette), deflate, adaptive filtering, no interlace.
    header.append(static_cast<char>(bits)).append('\3').append('\0').append('\0').append('\0');
    QByteArray palette;
    for (const QRgb c : colours)
        palette.append(static_cast<char>(qRed(c)))
            .append(static_cast<char>(qGreen(c)))
            .append(static_cast<char>(qBlue(c)));
    // Qt's zlib stream after its four bytes of the uncompressed length.
    const QByteArray rows = PackedRows(indices, rgb.width(), rgb.height(), bits);
    const QByteArray data = qCompress(rows, kCompression).mid(4);
    if (data.isEmpty()) return {};

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "PLTE", palette);
    AppendChunk(png, "IDAT", data);
    AppendChunk(png, "IEND", QByteArray());
    return png;
}
