#include "tests/game/game_window_fixture.h"

#include "game/game_button.h"
#include "skin/clock_window.h"
#include "skin/indicator_window.h"

#include <QWidget>

namespace tessalo {
namespace {

// Built once per screen: the program's own screen decides the scale a filled game has.
constexpr int kScreenWidth = TESSALO_TEST_SCREEN_WIDTH;
constexpr int kScreenHeight = TESSALO_TEST_SCREEN_HEIGHT;

// One suite per screen, so the programs' cases keep names of their own.
#define TESSALO_JOINED(a, b) a##b
#define TESSALO_SUITE(width) TESSALO_JOINED(PictureVariantsOn, width)
#define PictureVariants TESSALO_SUITE(TESSALO_TEST_SCREEN_WIDTH)

QColor colourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

class PictureVariants : public GameWindowTest {
  protected:
    QImage shot;

    void openWithVariants(bool fill) {
        pictureSet.variantFactors = {2, 3};
        openGame(rowsLayout(), kScreenWidth, kScreenHeight, fill);
        shot = window->grab().toImage();
    }

    int of(int length) const { return window->playArea().scale().of(length); }

    // The pixel at (x, y) of `widget`'s unscaled picture.
    QColor at(const QWidget* widget, int x, int y) const {
        return shot.pixelColor(widget->x() + of(x), widget->y() + of(y));
    }

    // Every kind of image shows the version of `factor`, resampled to exactly its scaled size.
    void expectEveryImageFrom(int factor) {
        auto colour = [factor](Rgb plain) {
            return colourOf(TestPictureSet::variantColour(plain, factor));
        };
        const PixelPoint edge = window->playArea().toWindow(2, 300);
        EXPECT_EQ(shot.pixelColor(edge.x, edge.y), colour(TestPictureSet::kBackground));
        const TileWindow* first = window->tile(window->gameState()->dealOrder()[0]);
        const int picture = (window->gameState()->dealOrder()[0] / 4) % 36;
        EXPECT_EQ(at(first, 47, 66), colour(TestPictureSet::faceColour(picture)));
        EXPECT_EQ(at(first, 3, 33), colour(TestPictureSet::kBase));
        // Outside the digit, inside the cell's outline; then inside digit 0 (clock 00:00) and
        // digit 1 (144 tiles left).
        EXPECT_EQ(at(window->clock(), 10, 2), colour(TestPictureSet::kClockFace));
        EXPECT_EQ(at(window->clock(), 17, 24), colour(TestPictureSet::digitColour(0)));
        EXPECT_EQ(at(window->indicator(), 10, 2), colour(TestPictureSet::kIndicatorFace));
        EXPECT_EQ(at(window->indicator(), 17, 24), colour(TestPictureSet::digitColour(1)));
        // Tiles may lie over the buttons: the button's own picture.
        EXPECT_EQ(window->button(GameCommand::exit)->grab().toImage().pixelColor(of(30), of(15)),
                  colour(TestPictureSet::buttonColour(3, false)));

        EXPECT_EQ(window->pictures().faces[0].size(), QSize(of(45), of(70)));
        EXPECT_EQ(window->pictures().base->size(), QSize(of(52), of(77)));
        EXPECT_EQ(window->pictures().background.size(), QSize(of(800), of(600)));
        EXPECT_EQ(window->button(GameCommand::exit)->size(), QSize(of(60), of(30)));
    }
};

// The version each screen takes: the smallest at or above the scale, else the largest.
int expectedFactor() {
    switch (kScreenWidth) {
    case 1920: // 1.8
        return 2;
    case 2560: // 2.4
        return 3;
    default: // 3840 × 2160: 3.6
        return 3;
    }
}

TEST_F(PictureVariants, FilledTheVersionThatSuitsTheScaleIsDrawn) {
    openWithVariants(true);
    expectEveryImageFrom(expectedFactor());
}

TEST_F(PictureVariants, UnfilledThePlainPicturesAreDrawnAsBefore) {
    openWithVariants(false);
    ASSERT_TRUE(window->playArea().scale().isOne());
    expectEveryImageFrom(1);
}

} // namespace
} // namespace tessalo
