#pragma once

#include "app/config_file.h"
#include "app/game_app.h"
#include "app/layout_library.h"
#include "app/main_dialog.h"
#include "game/game_commands.h"
#include "game/tile_window.h"
#include "platform/dialog_builder.h"
#include "platform/registry_settings.h"
#include "skin/asc_encoder.h"
#include "tests/display/real_input.h"
#include "tests/platform/pe_test_support.h"
#include "tests/support/test_layouts.h"
#include "tests/support/test_picture_set.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace tessalo::display {

inline QColor colourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The smallest rectangle holding every pixel of the screen that is not black.
inline QRect nonBlackPart(const QImage& screen) {
    QRect part;
    for (int y = 0; y < screen.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x < screen.width(); ++x)
            if ((line[x] & 0xFFFFFF) != 0)
                part |= QRect(x, y, 1, 1);
    }
    return part;
}

// The whole program from a folder of its own, a game opened with a real click on Game.
class WholeProgramGame : public ::testing::Test {
  protected:
    test::TempDir program;
    test::TempDir config;
    TestPictureSet pictureSet;

    // Writes the folder with `content` as its one picture set.
    void writeProgram(const PicturesModuleContent& content) {
        const std::vector<std::string> names = {"Colours"};
        const std::vector<std::string> files = {"colours.tsp"};
        ASSERT_EQ(writeConfig(program.path() / "ts220.cfg", names, files), "");
        writeModuleFile(program.path() / "colours.tsp", content);
        ASSERT_EQ(saveLayoutLibrary(program.path() / "ts220.tsl", std::vector{spreadLayout()}), "");
    }

    // Device pixels of the X server per pixel of the program's windows.
    static double pixelRatio() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }
    // A point of the program's windows on the X server, where xdotool clicks.
    static QPoint onServer(QPoint windowPixel) {
        return QPoint(int(std::lround(windowPixel.x() * pixelRatio())),
                      int(std::lround(windowPixel.y() * pixelRatio())));
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
                click(onServer(game.mapToGlobal(game.rect().center())));
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

} // namespace tessalo::display
