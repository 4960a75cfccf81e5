#include "skin/bmp_image.h"
#include "tools/art/picture_set.h"
#include "tools/art/set_params.h"
#include "tools/art/skin_images.h"
#include "tools/art/tile_faces.h"
#include "tools/pictures_manifest.h"

#include <QDir>
#include <QFile>
#include <QPolygon>
#include <QRegion>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace tessalo::art {
namespace {

SetParams paramsOf(const char* file) {
    auto params = loadSetParams(QString(TESSALO_SOURCE_DIR "/data/pictures/") + file);
    if (auto* error = std::get_if<std::string>(&params)) {
        ADD_FAILURE() << *error;
        return {};
    }
    return std::get<SetParams>(params);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

BmpImage bmpAt(const QString& folder, const std::string& file) {
    const QByteArray bytes = readAll(folder + "/" + QString::fromStdString(file));
    const auto image = parseBmp(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                          static_cast<std::size_t>(bytes.size())));
    EXPECT_TRUE(image.has_value()) << file;
    return image.value_or(BmpImage{});
}

class ShippedSet : public testing::TestWithParam<const char*> {};

TEST_P(ShippedSet, DrawnTwice_GivesTheSameBytes) {
    const SetParams params = paramsOf(GetParam());
    QTemporaryDir first, second;
    ASSERT_EQ(writePictureSet(params, first.path()), "");
    ASSERT_EQ(writePictureSet(params, second.path()), "");
    const QStringList files = QDir(first.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, QDir(second.path()).entryList(QDir::Files, QDir::Name));
    for (const QString& file : files)
        EXPECT_EQ(readAll(first.path() + "/" + file), readAll(second.path() + "/" + file))
            << file.toStdString();
}

TEST_P(ShippedSet, Manifest_CoversTheCatalogueWithImagesOfTheSizesTheWindowsNeed) {
    const SetParams params = paramsOf(GetParam());
    QTemporaryDir folder;
    ASSERT_EQ(writePictureSet(params, folder.path()), "");
    const QByteArray text = readAll(folder.path() + "/manifest.txt");
    const auto parsed = parsePicturesManifest(text.toStdString());
    ASSERT_EQ(parsed.error, "");
    const PicturesManifest& manifest = parsed.manifest;

    EXPECT_EQ(manifest.displayName, params.displayName);
    ASSERT_EQ(manifest.pictures.size(), 42u);
    const QSize face = params.hasBase ? QSize(45, 70) : QSize(52, 77);
    for (const auto& picture : manifest.pictures) {
        const BmpImage image = bmpAt(folder.path(), picture.file);
        EXPECT_EQ(QSize(image.width, image.height), face) << picture.name;
    }
    EXPECT_EQ(manifest.base.has_value(), params.hasBase);
    if (manifest.base) {
        const BmpImage base = bmpAt(folder.path(), *manifest.base);
        EXPECT_EQ(QSize(base.width, base.height), QSize(52, 77));
    }
    const BmpImage background = bmpAt(folder.path(), manifest.background);
    EXPECT_EQ(QSize(background.width, background.height), QSize(800, 600));
    const BmpImage clock = bmpAt(folder.path(), manifest.clock);
    EXPECT_EQ(QSize(clock.width, clock.height), QSize(112, 48));
    const BmpImage indicator = bmpAt(folder.path(), manifest.indicator);
    EXPECT_EQ(QSize(indicator.width, indicator.height), QSize(78, 48));
    for (const std::string& digit : manifest.digits) {
        const BmpImage image = bmpAt(folder.path(), digit);
        EXPECT_EQ(QSize(image.width, image.height), QSize(kDigitWidth, kDigitHeight)) << digit;
    }
    for (const auto& upDown : manifest.buttons)
        for (const std::string& file : upDown) {
            const BmpImage image = bmpAt(folder.path(), file);
            EXPECT_EQ(QSize(image.width, image.height), params.buttonSize) << file;
        }
    ASSERT_TRUE(manifest.sound.has_value());
    const QByteArray wave = readAll(folder.path() + "/" + QString::fromStdString(*manifest.sound));
    EXPECT_TRUE(wave.startsWith("RIFF") && wave.mid(8, 8) == "WAVEfmt ");
    EXPECT_LT(wave.size(), 8000);

    // Every kind of tile shows one picture, and the flower and season groups show a family of
    // four different pictures each.
    for (int group = 0; group < 36; ++group) {
        std::set<int> shown;
        for (int tile = 4 * group; tile < 4 * group + 4; ++tile) {
            ASSERT_LT(manifest.pictureOfTile[tile], 42);
            shown.insert(manifest.pictureOfTile[tile]);
        }
        EXPECT_EQ(shown.size(), group < 34 ? 1u : 4u) << "group " << group;
    }
    std::set<int> used(manifest.pictureOfTile.begin(), manifest.pictureOfTile.end());
    EXPECT_EQ(used.size(), 42u);

    EXPECT_EQ(manifest.clockPlace.digitX, (std::array<std::int16_t, 4>{0, 26, 60, 86}));
    EXPECT_EQ(manifest.indicatorPlace.digitX, (std::array<std::int16_t, 3>{0, 26, 52}));
}

INSTANTIATE_TEST_SUITE_P(Sets, ShippedSet, testing::Values("classic.json", "clear_view.json"));

// The cell the clock and indicator windows are cut to: outline less its two holes.
QRegion digitCell() {
    const QPolygon outline(QList<QPoint>{{7, 0},   {18, 0},  {21, 3},  {22, 3},  {25, 6},  {25, 20},
                                         {22, 23}, {25, 26}, {25, 40}, {21, 44}, {20, 44}, {17, 47},
                                         {8, 47},  {5, 44},  {4, 44},  {0, 40},  {0, 26},  {3, 23},
                                         {0, 20},  {0, 6},   {3, 3},   {4, 3}});
    return QRegion(outline, Qt::WindingFill)
        .subtracted(QRegion(7, 7, 11, 13))
        .subtracted(QRegion(7, 27, 11, 13));
}

TEST(Digits, LitSegments_LieInsideTheVisibleCell) {
    const SetParams params = paramsOf("classic.json");
    const QRegion cell = digitCell();
    const QColor lit = params.colour("digit.lit");
    for (int digit = 0; digit <= 9; ++digit) {
        const QImage image = drawDigit(params, digit);
        int litInside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                const bool isLit = std::abs(pixel.red() - lit.red()) < 40 &&
                                   std::abs(pixel.green() - lit.green()) < 40;
                if (!isLit)
                    continue;
                EXPECT_TRUE(cell.contains(QPoint(x, y)))
                    << "digit " << digit << " lights (" << x << ", " << y << ")";
                ++litInside;
            }
        EXPECT_GT(litInside, 60) << "digit " << digit;
    }
}

TEST(Digits, EachDigitLooksDifferent) {
    const SetParams params = paramsOf("clear_view.json");
    std::set<std::vector<QRgb>> seen;
    for (int digit = 0; digit <= 9; ++digit) {
        const QImage image = drawDigit(params, digit);
        std::vector<QRgb> pixels;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                pixels.push_back(image.pixel(x, y));
        seen.insert(pixels);
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST(SetParams, BadFiles_AreRefusedWithAReason) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/bad.json";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"displayName": "A name much longer than nineteen", "style": "classic"})");
    file.close();
    auto params = loadSetParams(path);
    ASSERT_TRUE(std::holds_alternative<std::string>(params));
    EXPECT_NE(std::get<std::string>(params).find("displayName"), std::string::npos);
    EXPECT_TRUE(std::holds_alternative<std::string>(loadSetParams(folder.path() + "/none.json")));
}

} // namespace
} // namespace tessalo::art
