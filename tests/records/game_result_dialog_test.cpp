#include "records/game_result_dialog.h"

#include "platform/dialog_caption_fit.h"
#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tessalo {
namespace {

template <typename Control> Control* control(const QWidget& dialog, const char* name) {
    auto* found = dialog.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString labelText(const QWidget& dialog, const char* name) {
    const auto* label = control<QLabel>(dialog, name);
    return label != nullptr ? label->text() : QString();
}

class GameResultDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog_.remainsText = "12";
        dialog_.timeText = "62:05";
        dialog_.hintsText = "3";
        dialog_.playerName = "Ann";
    }
    QLineEdit* edit() { return control<QLineEdit>(dialog_, "1034"); }
    void open() {
        dialog_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    }

    QWidget owner_;
    GameResultDialog dialog_{&owner_};
};

// Pixels from the units by hand: x · 6 / 4 and y · 13 / 8, each corner rounded to the nearest.
TEST_F(GameResultDialogTest, ControlsSitWhereTheTemplatePutsThem) {
    EXPECT_EQ(dialog_.windowTitle(), "Tessalo");
    EXPECT_EQ(dialog_.size(), QSize(188, 171)); // 125 × 105 units

    EXPECT_EQ(edit()->geometry(), QRect(11, 94, 166, 21)); // 7, 58, 111 × 13
    auto* newGame = control<QPushButton>(dialog_, "1");
    EXPECT_EQ(newGame->text(), "New Game");
    EXPECT_TRUE(newGame->isDefault());
    EXPECT_EQ(newGame->geometry(), QRect(11, 137, 69, 22)); // 7, 84, 46 × 14
    auto* exit = control<QPushButton>(dialog_, "1038");
    EXPECT_EQ(exit->text(), "Exit");
    EXPECT_FALSE(exit->isDefault());
    EXPECT_EQ(exit->geometry(), QRect(102, 137, 75, 22)); // 68, 84, 50 × 14

    EXPECT_EQ(labelText(dialog_, "-1#1"), "Remains");
    EXPECT_EQ(control<QLabel>(dialog_, "-1#1")->geometry(), QRect(11, 10, 42, 13)); // 7, 6, 28 × 8
    EXPECT_EQ(labelText(dialog_, "-1#2"), "Time");
    EXPECT_EQ(labelText(dialog_, "-1#3"), "Hints");
    EXPECT_EQ(control<QLabel>(dialog_, "1032")->geometry(),
              QRect(84, 33, 30, 13)); // 56, 20, 20 × 8
    auto* icon = control<QLabel>(dialog_, "-1#4");
    EXPECT_EQ(icon->geometry(), QRect(150, 7, 32, 32)); // 100, 4, 21 × 20
    EXPECT_FALSE(icon->pixmap().isNull());
}

TEST_F(GameResultDialogTest, NoCaptionIsWiderThanItsControl) {
    for (const auto& overflow : captionOverflows(dialog_))
        ADD_FAILURE() << overflow.control.toStdString() << " \"" << overflow.caption.toStdString()
                      << "\" needs " << overflow.captionWidth << " of " << overflow.room;
    // The narrowest captions, measured here on their own: 42 and 25 pixels are what they get.
    const QFontMetrics metrics(control<QLabel>(dialog_, "-1#1")->font());
    EXPECT_LE(metrics.horizontalAdvance("Remains"), 42);
    EXPECT_LE(metrics.horizontalAdvance("Hints"), 25);
}

TEST_F(GameResultDialogTest, OpensWithTheMembersInTheControlsAndTheFocusInTheName) {
    open();
    EXPECT_EQ(labelText(dialog_, "1031"), "12");
    EXPECT_EQ(labelText(dialog_, "1032"), "62:05");
    EXPECT_EQ(labelText(dialog_, "1033"), "3");
    EXPECT_EQ(edit()->text(), "Ann");
    EXPECT_EQ(edit()->palette().color(QPalette::Text), QColor(0, 255, 192));
    EXPECT_EQ(edit()->palette().color(QPalette::Base), QColor(0, 0, 0));

    // Tab goes edit → New Game → Exit and round again; the texts are no stops.
    EXPECT_EQ(QApplication::focusWidget(), edit());
    const char* order[] = {"1", "1038", "1034"};
    for (const char* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
    }
}

TEST_F(GameResultDialogTest, NameEdit_RefusesCharactersBeyondTheCodePageAndPast28) {
    dialog_.playerName.clear();
    open();
    test::typeText(edit(), QString::fromUtf8("Aä中€Б"));
    EXPECT_EQ(edit()->text(), QString::fromUtf8("A€Б"));
    edit()->clear();
    test::typeText(edit(), "abcdefghijklmnopqrstuvwxyz0123456789");
    EXPECT_EQ(edit()->text(), "abcdefghijklmnopqrstuvwxyz01");
}

TEST_F(GameResultDialogTest, ConfirmingReadsTheNameBack_EscapeAndCloseDoNot) {
    struct Case {
        const char* how;
        int result;
        const char* nameAfter;
    };
    const Case cases[] = {{"enter", 1, "Bob"},
                          {"new game", 1, "Bob"},
                          {"exit", 1038, "Bob"},
                          {"escape", 2, "Ann"},
                          {"close box", 2, "Ann"}};
    for (const Case& c : cases) {
        GameResultDialog dialog(&owner_);
        dialog.playerName = "Ann";
        dialog.show();
        auto* name = dialog.findChild<QLineEdit*>("1034");
        name->setText("Bob");
        const std::string how = c.how;
        if (how == "enter")
            QTest::keyClick(name, Qt::Key_Return);
        else if (how == "new game")
            dialog.findChild<QPushButton*>("1")->click();
        else if (how == "exit")
            dialog.findChild<QPushButton*>("1038")->click();
        else if (how == "escape")
            QTest::keyClick(name, Qt::Key_Escape);
        else
            dialog.close();
        EXPECT_EQ(dialog.result(), c.result) << c.how;
        EXPECT_EQ(dialog.playerName, c.nameAfter) << c.how;
        EXPECT_FALSE(dialog.isVisible()) << c.how;
    }
}

} // namespace
} // namespace tessalo
