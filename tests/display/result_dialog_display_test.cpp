#include "records/end_of_game.h"
#include "records/records_file.h"
#include "records/records_message_boxes.h"
#include "tests/display/real_input.h"
#include "tests/records/records_test_support.h"
#include "tests/records/window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <gtest/gtest.h>

#include <map>

namespace tessalo::display {
namespace {

// A black full-screen window for the result dialog to open over, as the game window is.
class GameWindowStandIn final : public QWidget {
  public:
    GameWindowStandIn() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {}

  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::black); }
};

class ResultDialogOnScreen : public test::RecordsFolderTest {
  protected:
    void SetUp() override {
        RecordsFolderTest::SetUp();
        table.setFileName(path_.string());
        ASSERT_TRUE(table.load(true));
        gameWindow.setGeometry(0, 0, 1024, 768);
        gameWindow.show();
        ASSERT_TRUE(waitUntil([] { return screenPixel({500, 400}) == QColor(Qt::black); }));
    }

    // One game's end, `seconds` long; `player` acts on the dialog once it is on screen and has
    // the keyboard.
    int endGame(int seconds, std::function<void(QLineEdit& name)> player) {
        answers.then([player](QWidget& dialog) {
            auto* name = dialog.findChild<QLineEdit*>("1034");
            ASSERT_NE(name, nullptr);
            ASSERT_TRUE(waitUntil([&] { return dialog.isActiveWindow() && name->hasFocus(); }))
                << "the result dialog never took the keyboard";
            const QPoint centre = dialog.mapToGlobal(dialog.rect().center());
            ASSERT_TRUE(waitUntil([&] { return screenPixel(centre) != QColor(Qt::black); }))
                << "the result dialog was never drawn";
            player(*name);
            EXPECT_TRUE(waitUntil([&] { return !dialog.isVisible(); })) << "the dialog stayed open";
        });
        GameResult result;
        result.seconds = seconds;
        result.picturesName = "Set1";
        result.layoutName = "Lay1";
        EndOfGameContext context{table, &boxes, lastPlayerName, calendar, &gameWindow, {}};
        return runEndOfGame(result, context);
    }

    // The names of the stored records by their game times.
    std::map<int, std::string> storedNames() const {
        std::map<int, std::string> names;
        for (const auto& entry : parseRecordsFile(fileBytes()).entries)
            names[entry.seconds] = entry.playerName;
        return names;
    }

    RecordsMessageBoxes boxes;
    RecordsTable table{boxes};
    std::string lastPlayerName;
    FixedCalendarClock calendar{915494400, {5, 1, 1999}};
    GameWindowStandIn gameWindow;
    test::ModalAnswers answers;
};

// Players take turns at one program: the name offered is the last one, and the next player's
// keys replace it instead of adding to it.
TEST_F(ResultDialogOnScreen, NamesTypedOverSeveralGames_ReplaceTheOfferedOne_EnterKeepsIt) {
    EXPECT_EQ(endGame(100,
                      [](QLineEdit& name) {
                          EXPECT_EQ(name.text(), "");
                          typeText("Anna");
                          pressKey("Return");
                      }),
              40000);
    EXPECT_EQ(endGame(200,
                      [](QLineEdit& name) {
                          EXPECT_EQ(name.text(), "Anna");
                          EXPECT_EQ(name.selectedText(), "Anna");
                          typeText("Boris");
                          ASSERT_TRUE(waitUntil([&] { return name.text() == "Boris"; }))
                              << "typed over \"Anna\": " << name.text().toStdString();
                          pressKey("Return");
                      }),
              40000);
    EXPECT_EQ(endGame(300, [](QLineEdit&) { pressKey("Return"); }), 40000);

    const std::map<int, std::string> expected = {{100, "Anna"}, {200, "Boris"}, {300, "Boris"}};
    EXPECT_EQ(storedNames(), expected);
    EXPECT_EQ(lastPlayerName, "Boris");
}

} // namespace
} // namespace tessalo::display
