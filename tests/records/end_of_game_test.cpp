#include "records/end_of_game.h"

#include "records/records_file.h"
#include "records/records_message_boxes.h"
#include "records_test_support.h"
#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace tessalo {
namespace {

using test::entry;

// The 5th of January 1999.
const std::string kIvan = "\xC8\xE2\xE0\xED"; // Иван in code page 1251

// A result of 305 seconds, 2 hints and nothing left: score 365.
GameResult result() {
    GameResult r;
    r.seconds = 305;
    r.hints = 2;
    r.picturesName = "Set1";
    r.layoutName = "Lay1";
    return r;
}

QLineEdit* nameEdit(QWidget& dialog) {
    return dialog.findChild<QLineEdit*>("1034");
}

// The player types `name` in place of what is offered and presses the button `button`.
test::ModalAnswers::Answer typeAndPress(QString name, const char* button) {
    return [name, button](QWidget& dialog) {
        nameEdit(dialog)->clear();
        test::typeText(nameEdit(dialog), name);
        dialog.findChild<QPushButton*>(button)->click();
    };
}

class EndOfGame : public test::RecordsFolderTest {
  protected:
    void SetUp() override {
        RecordsFolderTest::SetUp();
        table_.setFileName(path_.string());
        ASSERT_TRUE(table_.load(true));
    }
    int run(const GameResult& r = result()) {
        EndOfGameContext context{table_,    &boxes_, lastPlayerName_,
                                 calendar_, &owner_, [this] { ++refreshes_; }};
        return runEndOfGame(r, context);
    }
    std::vector<RecordEntry> stored() const { return parseRecordsFile(fileBytes()).entries; }

    RecordsMessageBoxes boxes_;
    RecordsTable table_{boxes_};
    std::string lastPlayerName_;
    FixedCalendarClock calendar_{915494400, {5, 1, 1999}};
    QWidget owner_;
    int refreshes_ = 0;
    test::ModalAnswers modals_;
};

TEST_F(EndOfGame, ResultThatDoesNotQualify_NewGameWithoutADialog) {
    std::vector<RecordEntry> full;
    for (std::uint32_t i = 0; i < 20; ++i)
        full.push_back(
            entry(std::string("p").append(std::to_string(i)), 300 + i * 3)); // the 20th scores 357
    full.back().score = 365; // a tie does not qualify
    writeFile(serializeRecordsFile(full));
    ASSERT_TRUE(table_.load(true));
    const auto before = fileBytes();

    EXPECT_EQ(run(), 40000);
    EXPECT_EQ(modals_.answered(), 0);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(refreshes_, 0);
}

TEST_F(EndOfGame, NameIsStoredWithTheDateAndOfferedNextTime) {
    GameResult r = result();
    r.seconds = 3;
    modals_.then([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Tessalo");
        ASSERT_NE(dialog.parentWidget(), nullptr);
        EXPECT_EQ(dialog.parentWidget()->objectName(), "game window");
        EXPECT_EQ(dialog.findChild<QLabel*>("1032")->text(), "0:03");
        EXPECT_EQ(nameEdit(dialog)->text(), "");
        typeAndPress(QString::fromUtf8("Иван"), "1")(dialog);
    });
    owner_.setObjectName("game window");
    EXPECT_EQ(run(r), 40000);
    EXPECT_EQ(lastPlayerName_, kIvan);
    EXPECT_EQ(refreshes_, 1);
    auto records = stored();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].playerName, kIvan);
    EXPECT_EQ(records[0].dateText, "5.1.1999");
    EXPECT_EQ(records[0].picturesName, "Set1");
    EXPECT_EQ(records[0].layoutName, "Lay1");
    EXPECT_EQ(records[0].seconds, 3);
    EXPECT_EQ(records[0].hints, 2);
    EXPECT_EQ(records[0].score, 63u); // 3 + 30 × 2

    // The next game offers the name; Exit leaves the game and still stores it.
    r.seconds = 4503;
    modals_.then([](QWidget& dialog) {
        EXPECT_EQ(dialog.findChild<QLabel*>("1032")->text(), "75:03");
        EXPECT_EQ(nameEdit(dialog)->text(), QString::fromUtf8("Иван"));
        dialog.findChild<QPushButton*>("1038")->click();
    });
    EXPECT_EQ(run(r), 40003);
    records = stored();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].playerName, kIvan);
    EXPECT_EQ(records[1].score, 4563u);
    EXPECT_EQ(refreshes_, 2);
}

TEST_F(EndOfGame, EmptyName_StoresNothingAndKeepsTheLastName) {
    lastPlayerName_ = "Ann";
    modals_.then(typeAndPress("", "1"));
    EXPECT_EQ(run(), 40000);
    modals_.then(typeAndPress("", "1038"));
    EXPECT_EQ(run(), 40003);
    EXPECT_EQ(lastPlayerName_, "Ann");
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_EQ(refreshes_, 0);
}

TEST_F(EndOfGame, EscapeWithATypedName_StoresNothing) {
    lastPlayerName_ = "Ann";
    modals_.then([](QWidget& dialog) {
        test::typeText(nameEdit(dialog), "Bob");
        QTest::keyClick(nameEdit(dialog), Qt::Key_Escape);
    });
    EXPECT_EQ(run(), 40000);
    EXPECT_EQ(lastPlayerName_, "Ann");
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(EndOfGame, NamesAreStoredAsTyped_BlanksIncluded_AtMost28) {
    modals_.then(typeAndPress("  ", "1"));
    EXPECT_EQ(run(), 40000);
    modals_.then(typeAndPress("abcdefghijklmnopqrstuvwxyz0123456789", "1"));
    EXPECT_EQ(run(), 40000);
    const auto records = stored();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].playerName, "  ");
    EXPECT_EQ(records[1].playerName, "abcdefghijklmnopqrstuvwxyz01");
}

TEST_F(EndOfGame, GameWindowGoneWhileTheDialogRuns_NothingStoredNoCrash) {
    auto* gameWindow = new QWidget;
    modals_.then([gameWindow](QWidget& dialog) {
        test::typeText(nameEdit(dialog), "Bob");
        delete gameWindow;
    });
    EndOfGameContext context{table_, &boxes_, lastPlayerName_, calendar_, gameWindow, {}};
    EXPECT_EQ(runEndOfGame(result(), context), 40000);
    EXPECT_TRUE(lastPlayerName_.empty());
    EXPECT_FALSE(std::filesystem::exists(path_));
}

// Another holder of the file stands for a second copy of the game.
TEST_F(EndOfGame, RecordsFileHeld_RetryOrCancelBoxOverTheGame_CancelStoresNothing) {
    test::ScriptedPrompt otherPrompt;
    RecordsTable other(otherPrompt);
    other.setFileName(path_.string());
    ASSERT_TRUE(other.load(false));

    modals_.then(typeAndPress("Bob", "1"));
    for (int box = 0; box < 2; ++box) {
        modals_.then([box](QWidget& modal) {
            auto* message = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(message, nullptr);
            EXPECT_EQ(message->text(), QString::fromUtf8("Ошибка при открытии файла рекордов"));
            EXPECT_EQ(message->windowTitle(), "Tessalo");
            EXPECT_EQ(message->icon(), QMessageBox::Warning);
            EXPECT_EQ(message->standardButtons(), QMessageBox::Retry | QMessageBox::Cancel);
            ASSERT_NE(message->parentWidget(), nullptr);
            EXPECT_EQ(message->parentWidget()->objectName(), "game window");
            // Retry while the file is still held only brings the box back.
            message->button(box == 0 ? QMessageBox::Retry : QMessageBox::Cancel)->click();
        });
    }
    owner_.setObjectName("game window");
    EXPECT_EQ(run(), 40000);
    EXPECT_EQ(modals_.answered(), 3);
    EXPECT_EQ(refreshes_, 0);
    EXPECT_TRUE(table_.entries().empty());
    other.release();
    EXPECT_TRUE(fileBytes().empty());
}

TEST_F(EndOfGame, RecordsFileHeld_RetryAfterTheOtherLetsGoStores) {
    test::ScriptedPrompt otherPrompt;
    RecordsTable other(otherPrompt);
    other.setFileName(path_.string());
    ASSERT_TRUE(other.load(false));

    modals_.then(typeAndPress("Bob", "1038"));
    modals_.then([&other](QWidget& modal) {
        other.release();
        qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(run(), 40003);
    EXPECT_EQ(refreshes_, 1);
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0].playerName, "Bob");
}

TEST_F(EndOfGame, DamagedRecordsFile_IsReportedInRussianAndLeftAsItWas) {
    const std::vector<std::uint8_t> damaged = {0x02, 0x00, 0x00, 0x00, 0x03, 0x41};
    writeFile(damaged);
    modals_.then(typeAndPress("Bob", "1"));
    modals_.then([](QWidget& modal) {
        auto* message = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->text(),
                  QString::fromUtf8("Файл рекордов повреждён. Он оставлен без изменений; новые "
                                    "результаты не записываются в него, пока его не исправят "
                                    "или не удалят."));
        EXPECT_EQ(message->windowTitle(), "records_window_tests");
        EXPECT_EQ(message->standardButtons(), QMessageBox::Ok);
        message->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(run(), 40000);
    EXPECT_EQ(refreshes_, 0);
    EXPECT_EQ(fileBytes(), damaged);
}

} // namespace
} // namespace tessalo
