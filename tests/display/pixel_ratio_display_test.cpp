#include "tests/display/whole_program_game.h"

namespace tessalo::display {
namespace {

constexpr Rgb kStripe{20, 20, 120};

// A 2560 × 1440 screen at QT_SCALE_FACTOR=2: 1280 × 720 window pixels, each 2 × 2 on the server.
class PixelRatioOnScreen : public WholeProgramGame {
  protected:
    void SetUp() override {
        // Faces of one-pixel columns, face colour and stripe by turns: any smoothing of a picture
        // drawn at twice its size would show colours in between.
        auto content = pictureSet.content();
        for (int i = 0; i < pictureSet.pictureCount; ++i)
            content.pictures[std::size_t(i)].image =
                encodeAsc(bmpFile(45, 70,
                                  [i](int x, int) {
                                      return x % 2 == 0 ? TestPictureSet::faceColour(i) : kStripe;
                                  }),
                          {.greedyParse = true});
        writeProgram(content);
    }
};

TEST_F(PixelRatioOnScreen, TheDefaultGameIsTwiceItsSizeSharpAndPlayedAtItsPlaces) {
    ASSERT_DOUBLE_EQ(pixelRatio(), 2.0);
    runGame([](MainDialog&, GameWindow& window) {
        const QImage screen = screenImage();
        if (const char* path = std::getenv("TESSALO_PIXEL_RATIO_SCREENSHOT"))
            screen.save(QString::fromLocal8Bit(path));
        ASSERT_EQ(screen.size(), QSize(2560, 1440));
        // 800 × 600 window pixels centred, 1600 × 1200 on the server; tiles reach above and
        // below the play area, so its height is measured at play-area x = 5, left of them.
        const QRect part = nonBlackPart(screen);
        EXPECT_EQ(part.left(), 480);
        EXPECT_EQ(part.width(), 1600);
        EXPECT_EQ(nonBlackPart(screen.copy(480 + 10, 0, 1, 1440)), QRect(0, 120, 1, 1200));

        // Position 44: play-area (42, 254), window (240 + 42, 60 + 254), server (564, 628).
        const int tile = window.gameState()->dealOrder()[44];
        const QColor base = colourOf(TestPictureSet::kBase);
        const QColor face = colourOf(TestPictureSet::faceColour((tile / 4) % 36));
        const QColor stripe = colourOf(kStripe);
        const int row = 628 + 60;
        for (int x = 564; x < 564 + 104; ++x) {
            const int pixel = (x - 564) / 2;
            const QColor expected = pixel < 7 ? base : (pixel - 7) % 2 == 0 ? face : stripe;
            EXPECT_EQ(screen.pixelColor(x, row), expected) << "x " << x;
        }

        click(QPoint(564 + 40, 628 + 80));
        EXPECT_TRUE(waitUntil([&] { return window.gameState()->selectedTile() == tile; }));
    });
}

} // namespace
} // namespace tessalo::display
