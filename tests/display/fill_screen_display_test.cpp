#include "app/config_file.h"
#include "app/game_app.h"
#include "app/layout_library.h"
#include "app/main_dialog.h"
#include "game/game_commands.h"
#include "platform/dialog_builder.h"
#include "platform/registry_settings.h"
#include "tests/display/real_input.h"
#include "tests/platform/pe_test_support.h"
#include "tests/support/test_layouts.h"
#include "tests/support/test_picture_set.h"

#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace tessalo::display {
namespace {

// The smallest rectangle holding every pixel of the screen that is not black.
QRect nonBlackPart(const QImage& screen) {
    QRect part;
    for (int y = 0; y < screen.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x < screen.width(); ++x)
            if ((line[x] & 0xFFFFFF) != 0)
                part |= QRect(x, y, 1, 1);
    }
    return part;
}

// The whole program on a 1920 × 1080 screen, played through the X server.
class FillScreenOnScreen : public ::testing::Test {
  protected:
    test::TempDir program;
    test::TempDir config;

    void SetUp() override {
        const std::vector<std::string> names = {"Colours"};
        const std::vector<std::string> files = {"colours.tsp"};
        ASSERT_EQ(writeConfig(program.path() / "ts220.cfg", names, files), "");
        writeModuleFile(program.path() / "colours.tsp", TestPictureSet().content());
        ASSERT_EQ(saveLayoutLibrary(program.path() / "ts220.tsl", std::vector{spreadLayout()}), "");
    }

    void storeFillScreen(bool on) {
        RegistryStore key = RegistryStore::openKey(kRegistryKey, config.path());
        key.setDword("FillScreen", on ? 1 : 0);
        ASSERT_EQ(key.flush(), "");
    }

    // Game pressed in the main dialog, then `play` with the game on screen; the run ends after.
    void runGame(const std::function<void(MainDialog&, GameWindow&)>& play) {
        GameApp app(program.path() / "tessalo2", config.path());
        QTimer::singleShot(0, [&] {
            MainDialog* dialog = app.mainDialog();
            ASSERT_NE(dialog, nullptr);
            [&] {
                ASSERT_TRUE(waitUntil([&] { return dialog->windowHandle()->isExposed(); }));
                settle();
                auto& game = *dialogControl<QPushButton>(*dialog, MainDialog::kGameButton);
                click(game.mapToGlobal(game.rect().center()));
                GameWindow& window = dialog->gameWindow();
                ASSERT_TRUE(waitUntil([&] {
                    return window.gameState() != nullptr && window.windowHandle() != nullptr &&
                           window.windowHandle()->isExposed();
                })) << "no game came on screen";
                settle(500);
                play(*dialog, window);
            }();
            if (dialog->gameWindow().isOpen())
                dialog->gameWindow().onCommand(GameCommand::exit);
            dialog->reject();
        });
        app.run({});
    }
};

TEST_F(FillScreenOnScreen, FilledThePlayAreaIsScaledAndPlayedAtItsScaledPlaces) {
    storeFillScreen(true);
    runGame([](MainDialog& dialog, GameWindow& window) {
        // 1.8 times 800 × 600, centred: black bands of 240 pixels left and right.
        const QImage screen = screenImage();
        if (const char* path = std::getenv("TESSALO_FILL_SCREENSHOT"))
            screen.save(QString::fromLocal8Bit(path));
        EXPECT_EQ(nonBlackPart(screen), QRect(240, 0, 1440, 1080));

        // Position 44: half-column 0, half-row 8, layer 2, play-area (42, 254), 52 × 77; at 1.8
        // its window spans (316, 457) to (410, 596), cut at the lower-right corner.
        const int tile = window.gameState()->dealOrder()[44];
        click(QPoint(316 + 80, 457 + 120));
        EXPECT_TRUE(waitUntil([&] { return window.gameState()->selectedTile() == tile; }));

        // Exit at (220, 560), 60 × 30: at 1.8 (636, 1008), 108 × 54; a tile covers it from
        // play-area x = 230 (window x = 654) on.
        click(QPoint(636 + 8, 1008 + 27));
        EXPECT_TRUE(waitUntil([&] { return !window.isOpen() && dialog.isVisible(); }))
            << "Exit did not bring the main dialog back";
    });
}

TEST_F(FillScreenOnScreen, UnfilledThePlayAreaKeepsItsOwnSize) {
    storeFillScreen(false);
    runGame([](MainDialog&, GameWindow&) {
        // Tiles of the top and bottom rows reach past the play area, so its height is measured
        // at play-area x = 5, left of every tile.
        const QImage screen = screenImage();
        const QRect part = nonBlackPart(screen);
        EXPECT_EQ(part.left(), 560);
        EXPECT_EQ(part.width(), 800);
        EXPECT_EQ(nonBlackPart(screen.copy(560 + 5, 0, 1, 1080)), QRect(0, 240, 1, 600));
    });
}

} // namespace
} // namespace tessalo::display
