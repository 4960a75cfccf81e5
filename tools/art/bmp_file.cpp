#include "tools/art/bmp_file.h"

#include "platform/byte_writer.h"

#include <algorithm>
#include <array>
#include <map>

namespace tessalo::art {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::vector<std::uint8_t> headers(int width, int height, int bitCount, std::uint32_t paletteSize,
                                  std::uint32_t imageSize) {
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteSize;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    appendU32(out, offset + imageSize);
    appendU32(out, 0);
    appendU32(out, offset);
    appendU32(out, kInfoHeaderSize);
    appendU32(out, static_cast<std::uint32_t>(width));
    appendU32(out, static_cast<std::uint32_t>(height));
    appendU16(out, 1);
    appendU16(out, static_cast<unsigned>(bitCount));
    appendU32(out, 0); // uncompressed
    appendU32(out, imageSize);
    appendU32(out, 2835); // 72 dots per inch
    appendU32(out, 2835);
    appendU32(out, paletteSize);
    appendU32(out, 0);
    return out;
}

std::uint32_t stride(int width, int bitCount) {
    return static_cast<std::uint32_t>((width * bitCount + 31) / 32 * 4);
}

} // namespace

std::vector<std::uint8_t> bmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const std::uint32_t rowBytes = stride(image.width(), 24);
    std::vector<std::uint8_t> out =
        headers(image.width(), image.height(), 24, 0, rowBytes * image.height());
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.push_back(static_cast<std::uint8_t>(qBlue(row[x])));
            out.push_back(static_cast<std::uint8_t>(qGreen(row[x])));
            out.push_back(static_cast<std::uint8_t>(qRed(row[x])));
        }
        out.resize(out.size() + rowBytes - 3 * image.width(), 0);
    }
    return out;
}

std::vector<QRgb> reduceColours(const QImage& source, std::size_t limit) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    for (int dropped = 0; dropped <= 8; ++dropped) {
        const QRgb mask =
            qRgb(0xFF << dropped & 0xFF, 0xFF << dropped & 0xFF, 0xFF << dropped & 0xFF);
        struct Sum {
            std::uint64_t r = 0, g = 0, b = 0, n = 0;
        };
        std::map<QRgb, Sum> groups;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                Sum& sum = groups[(row[x] & mask) | 0xFF000000u];
                sum.r += qRed(row[x]);
                sum.g += qGreen(row[x]);
                sum.b += qBlue(row[x]);
                ++sum.n;
            }
        }
        if (groups.size() > limit)
            continue;
        std::vector<QRgb> palette;
        for (const auto& [key, sum] : groups)
            palette.push_back(qRgb(static_cast<int>((sum.r + sum.n / 2) / sum.n),
                                   static_cast<int>((sum.g + sum.n / 2) / sum.n),
                                   static_cast<int>((sum.b + sum.n / 2) / sum.n)));
        return palette;
    }
    return {qRgb(0, 0, 0)};
}

std::uint8_t nearestIndex(QRgb colour, const std::vector<QRgb>& palette) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

std::vector<std::uint8_t> bmp8(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const std::vector<QRgb> palette = reduceColours(image, 256);
    const std::uint32_t rowBytes = stride(image.width(), 8);
    std::vector<std::uint8_t> out =
        headers(image.width(), image.height(), 8, 256, rowBytes * image.height());
    for (std::size_t i = 0; i < 256; ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.push_back(static_cast<std::uint8_t>(qBlue(colour)));
        out.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        out.push_back(static_cast<std::uint8_t>(qRed(colour)));
        out.push_back(0);
    }
    std::map<QRgb, std::uint8_t> nearest;
    auto indexOf = [&](QRgb colour) {
        auto found = nearest.find(colour);
        if (found != nearest.end())
            return found->second;
        const std::uint8_t best = nearestIndex(colour, palette);
        nearest.emplace(colour, best);
        return best;
    };
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out.push_back(indexOf(row[x] | 0xFF000000u));
        out.resize(out.size() + rowBytes - image.width(), 0);
    }
    return out;
}

} // namespace tessalo::art
