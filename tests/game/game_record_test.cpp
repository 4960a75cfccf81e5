#include "tests/game/game_window_fixture.h"

#include "records/end_of_game.h"
#include "records/records_message_boxes.h"
#include "skin/clock_window.h"
#include "skin/indicator_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tessalo {
namespace {

// The digits drawn in `image` at the left edges `digitX`, read back by the test set's colours;
// '?' where no digit is drawn.
std::string digitsIn(const QImage& image, std::initializer_list<int> digitX, int digitY) {
    std::string digits;
    for (int x : digitX) {
        const QColor colour = image.pixelColor(x + 3, digitY + 1); // above the cell's upper hole
        char digit = '?';
        for (int d = 0; d <= 9; ++d) {
            const Rgb rgb = TestPictureSet::digitColour(d);
            if (colour == QColor(rgb.red, rgb.green, rgb.blue))
                digit = char('0' + d);
        }
        digits += digit;
    }
    return digits;
}

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

    // What the clock and the indicator draw on the game window (digits of the test set at x = 2,
    // 28, 62, 88 and 2, 28, 54, y = 4).
    std::string clockDigits() const {
        return digitsIn(window->grab(window->clock()->geometry()).toImage(), {2, 28, 62, 88}, 4);
    }
    std::string indicatorDigits() const {
        return digitsIn(window->grab(window->indicator()->geometry()).toImage(), {2, 28, 54}, 4);
    }

    // Clears the board, answering the result dialog with "Ann" and "New Game"; `whileAsked`
    // sees the dialog while the game's end is on screen.
    void clearTheBoard(std::function<void(QWidget& dialog)> whileAsked) {
        answerNextModal([whileAsked](QWidget* dialog) {
            whileAsked(*dialog);
            dialog->findChild<QLineEdit*>("1034")->setText("Ann");
            dialog->findChild<QPushButton*>("1")->click();
        });
        for (int tile = 0; tile < kTileCount; ++tile)
            clickTile(tile);
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

// The game ends between two ticks: the last tick drew 0:57, the game ran 58 seconds.
TEST_F(GameRecordTest, TheRecordedTimeIsTheTimeTheStoppedClockShows) {
    openGame(spreadLayout());
    calendar.seconds += 57;
    window->clock()->tick();
    window->clock()->repaint();
    ASSERT_EQ(clockDigits(), "0057");
    calendar.seconds += 1;
    std::string drawn;
    QString dialogTime;
    clearTheBoard([&](QWidget& dialog) {
        drawn = clockDigits();
        dialogTime = dialog.findChild<QLabel*>("1032")->text();
    });
    EXPECT_EQ(drawn, "0058");
    EXPECT_EQ(dialogTime, "0:58");
    const auto stored = storedRecords();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].seconds, 58);
}

// The catalogue holds "IDB_CLOCK", but it cannot be decoded.
TEST_F(GameRecordTest, ADamagedClockFaceCostsNeitherTheTimeNorTheCount) {
    damageSet = [](std::vector<ModuleResource>& resources) {
        for (auto& resource : resources) {
            if (resource.name.name() == "IDB_CLOCK")
                resource.bytes = {1, 2, 3, 4, 5};
        }
    };
    openGame(spreadLayout());
    clickTile(0);
    clickTile(1);
    EXPECT_EQ(indicatorDigits(), "142");
    // No tick at all: the time must not wait for the clock to be drawn.
    calendar.seconds += 3 * 60 + 42;
    std::string drawn;
    clearTheBoard([&](QWidget&) { drawn = clockDigits(); });
    EXPECT_EQ(drawn, "0342"); // on the background, where the face would be
    const auto stored = storedRecords();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].seconds, 222);
    EXPECT_EQ(stored[0].remains, 0);
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

// The choice made before the game opens reaches its deals, and the result tells the end of the
// game whether its deal was proven clearable, so it is ranked in the right table.
TEST_F(GameRecordTest, AClearableDealsGameSaysSoInItsResult) {
    std::vector<bool> proven;
    environment.endOfGame = [&proven](const GameResult& result) {
        proven.push_back(result.provenClearableDeal);
        return GameCommand::exit;
    };
    for (bool on : {true, false}) {
        window->setClearableDeals(on);
        openGame(spreadLayout());
        for (int tile = 0; tile < kTileCount; ++tile)
            clickTile(tile);
        run();
        EXPECT_FALSE(window->isOpen());
    }
    EXPECT_EQ(proven, (std::vector<bool>{true, false}));
}

} // namespace
} // namespace tessalo
