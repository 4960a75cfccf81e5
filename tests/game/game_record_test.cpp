#include "tests/game/game_window_fixture.h"

#include "records/end_of_game.h"
#include "records/records_message_boxes.h"
#include "skin/clock_window.h"
#include "skin/indicator_window.h"

#include <QLineEdit>
#include <QPushButton>

namespace tessalo {
namespace {

// Whole games through the real windows, ending in the result dialog and the records file.
class GameRecordTest : public GameWindowTest {
  protected:
    RecordsMessageBoxes boxes;
    RecordsTable table{boxes};
    int refreshes = 0;

    void SetUp() override {
        table.setFileName((folder.path() / "ts220.rec").string());
        table.load(true);
        environment.endOfGame = [this](const GameResult& result) {
            EndOfGameContext context{table,    &boxes,       lastPlayerName,
                                     calendar, window.get(), [this] { ++refreshes; }};
            return runEndOfGame(result, context);
        };
    }

    std::string lastPlayerName;

    // Types `name` into the result dialog once it shows and presses the button `button`.
    void answerResultDialog(const QString& name, int button) {
        answerNextModal([name, button](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("1034")->setText(name);
            dialog->findChild<QPushButton*>(QString::number(button))->click();
        });
    }

    std::vector<RecordEntry> storedRecords() {
        RecordsTable reader{boxes};
        reader.setFileName(table.fileName());
        reader.load(true);
        return reader.entries();
    }
};

TEST_F(GameRecordTest, AClearedBoardIsStoredUnderTheNameTyped) {
    openGame(spreadLayout());
    calendar.seconds += 95;
    window->clock()->tick();
    window->clock()->repaint();
    answerResultDialog("Ann", 1);
    for (int tile = 0; tile < kTileCount; ++tile)
        clickTile(tile);
    const auto stored = storedRecords();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].playerName, "Ann");
    EXPECT_EQ(stored[0].picturesName, "Test colours");
    EXPECT_EQ(stored[0].layoutName, "Spread");
    EXPECT_EQ(stored[0].remains, 0);
    EXPECT_EQ(stored[0].seconds, 95);
    EXPECT_EQ(stored[0].hints, 0);
    EXPECT_EQ(stored[0].score, 95u);
    EXPECT_EQ(stored[0].dateText, "5.1.1999");
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(lastPlayerName, "Ann");
    // "New Game": the next deal follows.
    run();
    EXPECT_TRUE(window->isOpen());
    EXPECT_EQ(window->indicator()->remaining(), 144);
}

TEST_F(GameRecordTest, AGameWithoutAMoveEndsThroughHelpAndExitLeaves) {
    // A deal of the rows whose free row ends hold no pair at all.
    const auto seed = findDealWithoutMove(rowsLayout(), 1'000'000, 20'000);
    ASSERT_TRUE(seed) << "no such deal among the seeds tried";
    calendar.seconds = *seed;
    openGame(rowsLayout());
    calendar.seconds += 4;
    window->clock()->tick();
    window->clock()->repaint();
    answerResultDialog("Bob", 1038);
    window->onCommand(GameCommand::help);
    EXPECT_FALSE(window->gameState()->hintShown());
    const auto stored = storedRecords();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].playerName, "Bob");
    EXPECT_EQ(stored[0].remains, 144);
    EXPECT_EQ(stored[0].seconds, 4);
    EXPECT_EQ(stored[0].score, 4u + 30u * 144u);
    // "Exit" leaves the game once the sequence has returned.
    EXPECT_TRUE(window->isOpen());
    run();
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(mainWindowShown, 1);
}

TEST_F(GameRecordTest, AnEmptyNameStoresNothingAndANewGameFollows) {
    openGame(spreadLayout());
    answerResultDialog("", 1);
    for (int tile = 0; tile < kTileCount; ++tile)
        clickTile(tile);
    EXPECT_TRUE(storedRecords().empty());
    EXPECT_EQ(refreshes, 0);
    run();
    EXPECT_EQ(window->indicator()->remaining(), 144);
}

} // namespace
} // namespace tessalo
