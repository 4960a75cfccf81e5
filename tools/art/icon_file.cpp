#include "tools/art/icon_file.h"

#include "platform/byte_writer.h"

#include "tools/art/bmp_file.h"

#include <array>

namespace tessalo::art {
namespace {

bool opaque(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) >= 128;
}

int stride(int width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

// The image as an icon directory stores it: info header with doubled height, colour table,
// colour bits and the transparency mask, both bottom-up.
std::vector<std::uint8_t> dibEntry(const QImage& image, int bitCount,
                                   const std::vector<QRgb>& palette,
                                   const std::vector<std::uint8_t>& indices) {
    const int w = image.width();
    const int h = image.height();
    std::vector<std::uint8_t> out;
    appendU32(out, 40);
    appendU32(out, static_cast<std::uint32_t>(w));
    appendU32(out, static_cast<std::uint32_t>(2 * h));
    appendU16(out, 1);
    appendU16(out, static_cast<unsigned>(bitCount));
    appendU32(out, 0);
    appendU32(out, static_cast<std::uint32_t>((stride(w, bitCount) + stride(w, 1)) * h));
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 0);
    const std::size_t colours = std::size_t{1} << bitCount;
    for (std::size_t i = 0; i < colours; ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.insert(out.end(), {static_cast<std::uint8_t>(qBlue(colour)),
                               static_cast<std::uint8_t>(qGreen(colour)),
                               static_cast<std::uint8_t>(qRed(colour)), 0});
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(stride(w, bitCount)), 0);
        for (int x = 0; x < w; ++x) {
            const std::uint8_t index = indices[static_cast<std::size_t>(y * w + x)];
            if (bitCount == 8)
                row[static_cast<std::size_t>(x)] = index;
            else if (bitCount == 4)
                row[static_cast<std::size_t>(x / 2)] |=
                    static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
            else
                row[static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>((index & 1) << (7 - x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(stride(w, 1)), 0);
        for (int x = 0; x < w; ++x)
            if (!opaque(image, x, y))
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<std::uint8_t> directory(int type, const std::vector<std::vector<std::uint8_t>>& entries,
                                    const std::vector<std::array<unsigned, 5>>& fields) {
    std::vector<std::uint8_t> out;
    appendU16(out, 0);
    appendU16(out, static_cast<unsigned>(type));
    appendU16(out, static_cast<unsigned>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& [width, height, colourCount, planesOrX, bitsOrY] = fields[i];
        out.insert(out.end(), {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height),
                               static_cast<std::uint8_t>(colourCount), 0});
        appendU16(out, planesOrX);
        appendU16(out, bitsOrY);
        appendU32(out, static_cast<std::uint32_t>(entries[i].size()));
        appendU32(out, offset);
        offset += static_cast<std::uint32_t>(entries[i].size());
    }
    for (const auto& entry : entries)
        out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

} // namespace

std::vector<std::uint8_t> iconFile(const QImage& source, const std::vector<int>& bitCounts) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QImage flattened(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            flattened.setPixel(
                x, y, opaque(image, x, y) ? image.pixel(x, y) | 0xFF000000u : qRgb(0, 0, 0));
    std::vector<std::vector<std::uint8_t>> entries;
    std::vector<std::array<unsigned, 5>> fields;
    for (int bitCount : bitCounts) {
        const std::vector<QRgb> palette = reduceColours(flattened, std::size_t{1} << bitCount);
        std::vector<std::uint8_t> indices;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                indices.push_back(nearestIndex(flattened.pixel(x, y), palette));
        entries.push_back(dibEntry(image, bitCount, palette, indices));
        fields.push_back({static_cast<unsigned>(image.width() % 256),
                          static_cast<unsigned>(image.height() % 256), bitCount == 4 ? 16u : 0u, 1u,
                          static_cast<unsigned>(bitCount)});
    }
    return directory(1, entries, fields);
}

std::vector<std::uint8_t> cursorFile(const QImage& source, QPoint hotSpot) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            indices.push_back(opaque(image, x, y) && qGray(image.pixel(x, y)) >= 128 ? 1 : 0);
    const std::vector<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    return directory(
        2, {dibEntry(image, 1, palette, indices)},
        {{static_cast<unsigned>(image.width()), static_cast<unsigned>(image.height()), 2u,
          static_cast<unsigned>(hotSpot.x()), static_cast<unsigned>(hotSpot.y())}});
}

} // namespace tessalo::art
