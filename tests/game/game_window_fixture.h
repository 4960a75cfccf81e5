#pragma once

#include "game/game_commands.h"
#include "game/game_window.h"
#include "game/layout_record.h"
#include "game/tile_window.h"
#include "tests/platform/pe_test_support.h"
#include "tests/support/test_layouts.h"
#include "tests/support/test_picture_set.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessalo {

class ManualClock final : public CalendarClock {
  public:
    std::int64_t seconds = 1'000'000;
    LocalDate date{5, 1, 1999};
    std::int64_t secondsSinceEpoch() const override { return seconds; }
    LocalDate localDate() const override { return date; }
};

// The first seed from `first` on whose deal no group has two free tiles.
std::optional<std::uint32_t> findDealWithoutMove(const LayoutRecord& layout, std::uint32_t first,
                                                 int count);

// Answers the next modal box or dialog with `answer` once it is shown.
inline void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start(10);
}

class GameWindowTest : public ::testing::Test {
  protected:
    test::TempDir folder;
    ManualClock calendar;
    ResourceSource resourceSource;
    std::vector<GameResult> results;
    int nextAfterGame = GameCommand::start;
    int mainWindowShown = 0;
    bool trayAvailable = false;
    GameEnvironment environment{calendar, resourceSource,
                                [this](const GameResult& result) {
                                    results.push_back(result);
                                    return nextAfterGame;
                                },
                                [this] { ++mainWindowShown; }, [this] { return trayAvailable; }};
    std::unique_ptr<GameWindow> window = std::make_unique<GameWindow>(environment);
    TestPictureSet pictureSet;
    // Alters the set's resources before `openGame` writes it (to damage them).
    std::function<void(std::vector<ModuleResource>&)> damageSet;

    GameSetup setup(const LayoutRecord& layout, int width = 800, int height = 600,
                    bool fillScreen = false) {
        GameSetup setup;
        setup.picturesModule = folder.path() / "test.tsp";
        setup.layout = layout;
        setup.pictureSetName = "Test colours";
        setup.screenWidth = width;
        setup.screenHeight = height;
        setup.fillScreen = fillScreen;
        // As the main dialog gives it: the test program's screen may be a HiDPI one.
        setup.devicePixelRatio =
            PictureScale::nearestTo(QGuiApplication::primaryScreen()->devicePixelRatio());
        return setup;
    }

    // Loads the set and opens the window as the main dialog's Game button does, then lets the
    // posted first deal run.
    void openGame(const LayoutRecord& layout, int width = 800, int height = 600,
                  bool fillScreen = false);

    void run() { QCoreApplication::processEvents(); }
    void clickTile(int tile);
    int firstFreeTileOfGroupOtherThan(int group, int except = -1) const;
};

} // namespace tessalo
