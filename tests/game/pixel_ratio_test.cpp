#include "tests/game/game_window_fixture.h"

#include "game/game_button.h"
#include "skin/clock_window.h"
#include "skin/indicator_window.h"

#include <QScreen>
#include <QTest>

#include <cmath>

namespace tessalo {
namespace {

QColor colourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// This program runs once per device pixel ratio of its screen (1, 1.5 and 2). Sizes of the
// pictures in device pixels for each, typed from the unscaled ones times the ratio, halves up.
struct DeviceSizes {
    double ratio;
    QSize face;       // 45 × 70
    QSize base;       // 52 × 77
    QSize background; // 800 × 600
    int faceLeft;     // 7
};

constexpr DeviceSizes kAtOne{1.0, {45, 70}, {52, 77}, {800, 600}, 7};
constexpr DeviceSizes kAtOneAndAHalf{1.5, {68, 105}, {78, 116}, {1200, 900}, 11};
constexpr DeviceSizes kAtTwo{2.0, {90, 140}, {104, 154}, {1600, 1200}, 14};

const DeviceSizes& sizesOfThisScreen() {
    const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    for (const DeviceSizes* sizes : {&kAtOne, &kAtOneAndAHalf, &kAtTwo})
        if (std::abs(sizes->ratio - ratio) < 1e-9)
            return *sizes;
    ADD_FAILURE() << "no figures for device pixel ratio " << ratio;
    return kAtOne;
}

int device(int windowPixel, double ratio) {
    return int(std::floor(windowPixel * ratio));
}

// The default game on 1024 × 768 of the 1280 × 800 screen: every place is that of ratio 1 in window
// pixels, and every picture is drawn from one resampled to the device pixels, copied 1:1.
TEST_F(GameWindowTest, AtAnyPixelRatioTheDefaultGameKeepsItsPlacesAndDrawsPicturesOneToOne) {
    const DeviceSizes& sizes = sizesOfThisScreen();
    const double r = sizes.ratio;
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(1280, 800));
    openGame(rowsLayout(), 1024, 768);

    const int first = window->gameState()->dealOrder()[0];
    EXPECT_EQ(window->tile(first)->geometry(), QRect(140, 72, 52, 77));
    EXPECT_EQ(window->button(GameCommand::start)->geometry(), QRect(122, 644, 60, 30));
    EXPECT_EQ(window->clock()->geometry(), QRect(800, 84, 112, 48));
    EXPECT_EQ(window->indicator()->geometry(), QRect(834, 636, 78, 48));

    const LoadedPictures& pictures = window->pictures();
    EXPECT_EQ(pictures.faces[0].size(), sizes.face);
    EXPECT_EQ(pictures.base->size(), sizes.base);
    EXPECT_EQ(pictures.background.size(), sizes.background);
    EXPECT_DOUBLE_EQ(pictures.faces[0].devicePixelRatio(), r);

    const QImage shot = window->grab().toImage();
    // Full screen covers all of the screen; the play area is placed for the 1024 × 768 asked for.
    ASSERT_EQ(shot.size(), QSize(device(1280, r), device(800, r)));
    const QColor background = colourOf(TestPictureSet::kBackground);
    const QColor black(Qt::black);
    // The play area spans window pixels 112..911 × 84..683; left of the first tile lies only
    // background.
    EXPECT_EQ(shot.pixelColor(device(112, r) - 1, device(300, r)), black);
    EXPECT_EQ(shot.pixelColor(device(112, r), device(300, r)), background);
    EXPECT_EQ(shot.pixelColor(device(120, r), device(84, r) - 1), black);
    EXPECT_EQ(shot.pixelColor(device(120, r), device(84, r)), background);
    EXPECT_EQ(shot.pixelColor(device(912, r), device(300, r)), black);

    // Across the first tile: base, then from the face's left edge on the face to the tile's
    // right edge, with no pixel in between of a colour neither picture has.
    const int left = device(140, r);
    const int row = device(72 + 30, r);
    const QColor base = colourOf(TestPictureSet::kBase);
    const QColor face = colourOf(TestPictureSet::faceColour((first / 4) % 36));
    for (int x = left; x < left + sizes.base.width(); ++x)
        EXPECT_EQ(shot.pixelColor(x, row), x < left + sizes.faceLeft ? base : face) << "x " << x;
    // Below the face the base shows again.
    EXPECT_EQ(shot.pixelColor(left + sizes.faceLeft + 5, device(72, r) + sizes.face.height()),
              base);
    EXPECT_EQ(shot.pixelColor(left + sizes.faceLeft + 5, device(72, r) + sizes.face.height() - 1),
              face);

    // Digit 0 of the clock spans face pixels 2..21 across; a digit left at the scale of the
    // window would reach past 21.
    const int digitRow = device(84 + 30, r);
    EXPECT_EQ(shot.pixelColor(device(800 + 20, r), digitRow),
              colourOf(TestPictureSet::digitColour(0)));
    EXPECT_EQ(shot.pixelColor(device(800 + 23, r), digitRow), colourOf(TestPictureSet::kClockFace));
}

// Clicks are taken in window pixels and decided by the tile's outline at every ratio: its cut
// lower-right corner lets a click through, a point just inside selects it.
TEST_F(GameWindowTest, AtAnyPixelRatioAClickSelectsTheTileWhoseOutlineIsUnderIt) {
    openGame(spreadLayout(), 1024, 768);
    window->show();
    // Position 44: play-area (42, 254), nothing else near its lower-right corner.
    const int tile = window->gameState()->dealOrder()[44];
    ASSERT_EQ(window->tile(tile)->pos(), QPoint(154, 338));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(154 + 51, 338 + 75));
    run();
    EXPECT_EQ(window->gameState()->selectedTile(), kNoTile);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(154 + 44, 338 + 68));
    run();
    EXPECT_EQ(window->gameState()->selectedTile(), tile);
}

// Filling a 1280 × 720 screen scales by 1.2; the pictures are resampled by 1.2 times the ratio
// (1.2, 1.8, 2.4) and the bands stay black at their own places.
TEST_F(GameWindowTest, AtAnyPixelRatioFillingTheScreenMultipliesBothFactors) {
    const double r = sizesOfThisScreen().ratio;
    openGame(rowsLayout(), 1280, 720, true);
    EXPECT_EQ(window->playArea().origin(), (PixelPoint{160, 0}));
    const int first = window->gameState()->dealOrder()[0];
    // Play-area (28, -12), 52 × 77 at 1.2: (160 + 34, -14), 62 × 92.
    EXPECT_EQ(window->tile(first)->geometry(), QRect(194, -14, 62, 92));

    // 45 × 70 and 800 × 600 times 1.2, 1.8 and 2.4.
    const QSize face = r == 1.0 ? QSize(54, 84) : r == 1.5 ? QSize(81, 126) : QSize(108, 168);
    const QSize background = r == 1.0   ? QSize(960, 720)
                             : r == 1.5 ? QSize(1440, 1080)
                                        : QSize(1920, 1440);
    EXPECT_EQ(window->pictures().faces[0].size(), face);
    EXPECT_EQ(window->pictures().background.size(), background);

    const QImage shot = window->grab().toImage();
    const QColor bg = colourOf(TestPictureSet::kBackground);
    EXPECT_EQ(shot.pixelColor(device(160, r) - 1, device(400, r)), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(device(160, r), device(400, r)), bg);
    EXPECT_EQ(shot.pixelColor(device(1120, r) - 1, device(400, r)), bg);
    EXPECT_EQ(shot.pixelColor(device(1120, r), device(400, r)), QColor(Qt::black));
}

} // namespace
} // namespace tessalo
