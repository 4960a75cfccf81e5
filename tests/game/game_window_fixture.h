#pragma once

#include "app/layout_record.h"
#include "game/game_commands.h"
#include "game/game_window.h"
#include "game/tile_window.h"
#include "tests/platform/pe_test_support.h"
#include "tests/support/test_picture_set.h"

#include <QApplication>
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

// Every tile free: rows two half-rows apart never touch, and tiles three half-columns apart in a
// row leave a gap. Layers 0 and 2 share places; only a tile directly above covers.
inline LayoutRecord spreadLayout() {
    LayoutRecord layout;
    layout.setName("Spread");
    int position = 0;
    for (int layer : {2, 0}) {
        for (int y = 0; y <= 16 && position < 144; y += 2) {
            for (int x = 0; x <= 30 && position < 144; x += 3) {
                if (layer == 2 && position >= 45)
                    break;
                layout.x[std::size_t(position)] = std::uint8_t(x);
                layout.y[std::size_t(position)] = std::uint8_t(y);
                layout.z[std::size_t(position)] = std::uint8_t(layer);
                ++position;
            }
        }
    }
    return layout;
}

// Nine rows of sixteen touching tiles: only the two ends of each row are free.
inline LayoutRecord rowsLayout() {
    LayoutRecord layout;
    layout.setName("Rows");
    for (int position = 0; position < 144; ++position) {
        layout.x[std::size_t(position)] = std::uint8_t(2 * (position % 16));
        layout.y[std::size_t(position)] = std::uint8_t(2 * (position / 16));
    }
    return layout;
}

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

    GameSetup setup(const LayoutRecord& layout, int width = 800, int height = 600) {
        GameSetup setup;
        setup.picturesModule = folder.path() / "test.tsp";
        setup.layout = layout;
        setup.pictureSetName = "Test colours";
        setup.screenWidth = width;
        setup.screenHeight = height;
        return setup;
    }

    // Loads the set and opens the window as the main dialog's Game button does, then lets the
    // posted first deal run.
    void openGame(const LayoutRecord& layout, int width = 800, int height = 600);

    void run() { QCoreApplication::processEvents(); }
    void clickTile(int tile);
    int firstFreeTileOfGroupOtherThan(int group, int except = -1) const;
};

} // namespace tessalo
