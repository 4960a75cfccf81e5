#include "tests/game/game_window_fixture.h"
#include "tests/support/no_way_out_layout.h"

#include "game/deal_random.h"
#include "game/game_events.h"
#include "game/no_way_out_notice.h"
#include "game/no_way_out_watch.h"
#include "game/solver.h"
#include "skin/indicator_window.h"
#include "tools/layout_text.h"

#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <QThread>

#include <filesystem>
#include <fstream>

namespace tessalo {
namespace {

LayoutRecord shippedLayout(const char* file) {
    std::ifstream in(std::filesystem::path(TESSALO_SOURCE_DIR) / "data/layouts" / file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parseLayoutText(text).layout;
}

class NoWayOutTest : public GameWindowTest {
  protected:
    bool waitUntil(const std::function<bool()>& condition, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > ms)
                return false;
            QCoreApplication::processEvents();
            QThread::msleep(2);
        }
        return true;
    }
    bool noticeShown() const {
        return window->noWayOutNotice() != nullptr && !window->noWayOutNotice()->isHidden();
    }
    // Waits for the answer about the board after the last pair.
    std::optional<SolveResult> answer() {
        const NoWayOutWatch* watch = window->noWayOutWatch();
        waitUntil([watch] { return !watch->checking(); }, 10000);
        return watch->answer();
    }
    void takePair(int first, int second) {
        clickTile(first);
        clickTile(second);
    }
    void postClick(int tile) {
        QCoreApplication::postEvent(window.get(), new TileClickedEvent(tile));
    }
};

TEST_F(NoWayOutTest, TheNoticeComesWithThePairThatLeavesNoWayOutAndStaysUntilStart) {
    window->setWarnNoWayOut(true);
    openGame(crossedPilesLayout(dealOrderForSeed(std::uint32_t(calendar.seconds))));
    ASSERT_NE(window->noWayOutNotice(), nullptr);
    EXPECT_FALSE(noticeShown());

    takePair(2, 3);
    EXPECT_EQ(answer(), SolveResult::Clearable);
    EXPECT_FALSE(noticeShown());

    takePair(6, 7);
    EXPECT_TRUE(waitUntil([this] { return noticeShown(); }, 1000));
    EXPECT_EQ(window->noWayOutNotice()->text().section('\n', 0, 0),
              "This board can no longer be cleared");
    // The notice lets clicks through to the tiles and Help still works.
    EXPECT_TRUE(window->noWayOutNotice()->testAttribute(Qt::WA_TransparentForMouseEvents));
    takePair(8, 9);
    EXPECT_EQ(window->indicator()->remaining(), 138);
    EXPECT_TRUE(noticeShown());
    EXPECT_FALSE(window->noWayOutWatch()->checking());
    window->onCommand(GameCommand::help);
    EXPECT_TRUE(window->gameState()->hintShown());
    EXPECT_TRUE(noticeShown());

    window->onCommand(GameCommand::start);
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(window->indicator()->remaining(), 144);
    // The same deal again: the warning works anew.
    takePair(2, 3);
    takePair(6, 7);
    EXPECT_TRUE(waitUntil([this] { return noticeShown(); }, 1000));
}

TEST_F(NoWayOutTest, ACheckOverTakenByStartOrExitLeavesNoNotice) {
    window->setWarnNoWayOut(true);
    const LayoutRecord layout =
        crossedPilesLayout(dealOrderForSeed(std::uint32_t(calendar.seconds)));
    openGame(layout);
    takePair(2, 3);
    // The hopeless pair and Start in one turn of the event loop: the answer finds a new deal.
    postClick(6);
    postClick(7);
    window->postCommand(GameCommand::start);
    run();
    EXPECT_FALSE(waitUntil([this] { return noticeShown(); }, 500));
    EXPECT_FALSE(window->noWayOutWatch()->checking());

    takePair(2, 3);
    postClick(6);
    postClick(7);
    window->postCommand(GameCommand::exit);
    run();
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(window->noWayOutNotice(), nullptr);
    // Opened again at once, the old game's answer has no say.
    openGame(layout);
    EXPECT_FALSE(waitUntil([this] { return noticeShown(); }, 500));

    // The window may go while a check runs.
    takePair(2, 3);
    takePair(6, 7);
    window.reset();
}

TEST_F(NoWayOutTest, APauseDropsTheCheckAndTheReturnAsksAgain) {
    trayAvailable = true;
    window->setWarnNoWayOut(true);
    openGame(crossedPilesLayout(dealOrderForSeed(std::uint32_t(calendar.seconds))));
    takePair(2, 3);
    postClick(6);
    postClick(7);
    window->postCommand(GameCommand::pause);
    run();
    ASSERT_NE(window->trayIcon(), nullptr);
    EXPECT_FALSE(waitUntil([this] { return noticeShown(); }, 300));
    emit window->trayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(waitUntil([this] { return noticeShown(); }, 1000));
}

TEST_F(NoWayOutTest, AClearingPlayedPairByPairNeverWarns) {
    const LayoutRecord turtle = shippedLayout("01-turtle.txt");
    calendar.seconds = 0; // a deal that can be cleared
    const std::vector<std::uint8_t> order = dealOrderForSeed(0);
    const PositionRelations relations(std::span(turtle.x), std::span(turtle.y),
                                      std::span(turtle.z));
    const SolveOutcome clearing = solveDeal(relations, order, kDefaultSolveBudget);
    ASSERT_EQ(clearing.result, SolveResult::Clearable);
    ASSERT_EQ(clearing.pairs.size(), 72u);

    window->setWarnNoWayOut(true);
    openGame(turtle);
    int cleared = 0;
    for (std::size_t i = 0; i + 1 < clearing.pairs.size(); ++i) {
        takePair(order[std::size_t(clearing.pairs[i].first)],
                 order[std::size_t(clearing.pairs[i].second)]);
        ASSERT_EQ(window->indicator()->remaining(), 142 - 2 * int(i));
        const auto answered = answer();
        ASSERT_TRUE(answered) << "pair " << i;
        EXPECT_NE(*answered, SolveResult::NotClearable) << "pair " << i;
        cleared += *answered == SolveResult::Clearable;
        ASSERT_FALSE(noticeShown()) << "pair " << i;
    }
    EXPECT_EQ(cleared, 71);
    takePair(order[std::size_t(clearing.pairs.back().first)],
             order[std::size_t(clearing.pairs.back().second)]);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].remains, 0);
    EXPECT_FALSE(noticeShown());
}

TEST_F(NoWayOutTest, WithTheWarningOffNothingIsAskedOrShown) {
    openGame(crossedPilesLayout(dealOrderForSeed(std::uint32_t(calendar.seconds))));
    takePair(2, 3);
    takePair(6, 7);
    QThread::msleep(200);
    run();
    EXPECT_EQ(window->noWayOutWatch(), nullptr);
    EXPECT_EQ(window->noWayOutNotice(), nullptr);
    EXPECT_EQ(window->indicator()->remaining(), 140);
}

} // namespace
} // namespace tessalo
