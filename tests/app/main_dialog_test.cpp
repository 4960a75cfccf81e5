#include "app/main_dialog.h"

#include "app/app_state.h"
#include "app/page_tabs.h"
#include "app/settings_tab.h"
#include "game/game_commands.h"
#include "platform/dialog_builder.h"
#include "records/records_file.h"
#include "records/records_message_boxes.h"
#include "records/records_tab.h"
#include "tests/app/app_window_support.h"
#include "tests/support/test_picture_set.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace tessalo {
namespace {

class MainDialogTest : public ::testing::Test {
  protected:
    test::TempDir program;
    test::TempDir config;
    test::CurrentDirectory inProgram{program.path()};
    AppState state;
    RecordsMessageBoxes recordsBoxes;
    RecordsTable records{recordsBoxes};
    RecordsTable clearableRecords{recordsBoxes};
    AboutFrames frames;
    FixedCalendarClock calendar{915494400, {5, 1, 1999}};
    ResourceSource resourceSource;
    QSize screen{1024, 768};
    MainDialogServices services{state,
                                records,
                                recordsBoxes,
                                frames,
                                calendar,
                                resourceSource,
                                [this] { return screen; },
                                config.path(),
                                &clearableRecords};

    void SetUp() override {
        state.layouts = {spreadLayout("Spread")};
        state.pictureSetNames = {"Colours"};
        state.pictureModuleFiles = {"test.tsp"};
        writeModuleFile(program.path() / "test.tsp", TestPictureSet().content());
    }

    static QTabWidget& tabs(const MainDialog& dialog) {
        return *dialogControl<QTabWidget>(dialog, 1021);
    }
    static void pressGame(const MainDialog& dialog) {
        dialogControl<QPushButton>(dialog, 32772)->click();
    }
};

TEST_F(MainDialogTest, CaptionButtonsTipAndTabs) {
    MainDialog dialog(services, true);
    EXPECT_EQ(dialog.windowTitle(), "Tessalo 2");
    // 305 × 181 dialog units.
    EXPECT_EQ(dialog.size(), QSize(458, 294));
    // The program's icon at every size desktops and HiDPI screens ask for.
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(dialog.windowIcon().availableSizes().contains(QSize(size, size))) << size;
    auto* game = dialogControl<QPushButton>(dialog, 32772);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->text(), "Game");
    EXPECT_EQ(game->toolTip(), "Начало игры");
    auto* quit = dialogControl<QPushButton>(dialog, 2);
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->text(), "Quit");
    ASSERT_EQ(tabs(dialog).count(), 2);
    EXPECT_EQ(tabs(dialog).tabText(0), "Settings");
    EXPECT_EQ(tabs(dialog).tabText(1), "Records");
    EXPECT_EQ(tabs(dialog).currentIndex(), 0);
}

TEST_F(MainDialogTest, APageIsMadeTheFirstTimeItsTabIsSelected) {
    MainDialog dialog(services, true);
    dialog.show();
    PageTabs& pages = dialog.pageTabs();
    SettingsTab* settings = pages.settingsTab();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(pages.recordsTab(), nullptr);
    EXPECT_TRUE(settings->isVisible());

    tabs(dialog).setCurrentIndex(1);
    RecordsTab* recordsPage = pages.recordsTab();
    ASSERT_NE(recordsPage, nullptr);
    EXPECT_TRUE(tabs(dialog).isAncestorOf(recordsPage));
    EXPECT_TRUE(recordsPage->isVisible());
    EXPECT_FALSE(settings->isVisible());
    // At the top-left corner of the tab's display area.
    const QPoint corner = recordsPage->mapTo(&tabs(dialog), QPoint(0, 0));
    EXPECT_EQ(corner, tabs(dialog).widget(1)->mapTo(&tabs(dialog), QPoint(0, 0)));

    tabs(dialog).setCurrentIndex(0);
    EXPECT_EQ(pages.settingsTab(), settings);
    EXPECT_EQ(pages.recordsTab(), recordsPage);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_FALSE(recordsPage->isVisible());
}

TEST_F(MainDialogTest, WithoutInstalledPicturesTheProgramsFolderIsScanned) {
    state.pictureSetNames.clear();
    state.pictureModuleFiles.clear();
    {
        MainDialog dialog(services, true);
        EXPECT_TRUE(state.pictureModuleFiles.empty());
    }
    MainDialog dialog(services, false);
    EXPECT_FALSE(dialog.picturesInstalled());
    EXPECT_EQ(state.pictureModuleFiles, std::vector<std::string>{"test.tsp"});
}

TEST_F(MainDialogTest, WithoutAPictureSetGameAsksForOneEvenOnASmallScreen) {
    state.pictureSetNames.clear();
    state.pictureModuleFiles.clear();
    screen = QSize(640, 480);
    MainDialog dialog(services, true);
    dialog.show();
    test::BoxRecorder recorder;
    recorder.expect();
    pressGame(dialog);
    EXPECT_EQ(recorder.boxes, std::vector<QString>{"app_window_tests|Проинсталируйте картинки."});
    EXPECT_FALSE(dialog.gameWindow().isOpen());
    EXPECT_TRUE(dialog.isVisible());
    // The sound choice reached the game window before the check: the page's box is unticked.
    EXPECT_FALSE(dialog.gameWindow().soundOn());
}

TEST_F(MainDialogTest, AScreenBelowEightHundredBySixHundredIsRefused) {
    MainDialog dialog(services, true);
    dialog.show();
    for (QSize small : {QSize(799, 600), QSize(800, 599)}) {
        SCOPED_TRACE(small.width());
        screen = small;
        test::BoxRecorder recorder;
        recorder.expect();
        pressGame(dialog);
        EXPECT_EQ(recorder.boxes, std::vector<QString>{"app_window_tests|800 x 600 хочу."});
        EXPECT_FALSE(dialog.gameWindow().isOpen());
    }
}

TEST_F(MainDialogTest, AnEightHundredScreenPlaysAndTheDialogComesBackWithItsTab) {
    screen = QSize(800, 600);
    state.warnNoWayOut = true;
    MainDialog dialog(services, true);
    dialog.show();
    tabs(dialog).setCurrentIndex(1);
    test::NoMessageBoxes noBoxes;
    pressGame(dialog);
    GameWindow& game = dialog.gameWindow();
    ASSERT_TRUE(game.isOpen());
    // The warning chosen in the dialog reached the game.
    EXPECT_NE(game.noWayOutNotice(), nullptr);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(game.playArea().origin(), (PixelPoint{0, 0}));
    QCoreApplication::processEvents();
    ASSERT_NE(game.gameState(), nullptr);
    EXPECT_EQ(game.gameState()->dealOrder().size(), 144u);

    game.onCommand(GameCommand::exit);
    EXPECT_FALSE(game.isOpen());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(tabs(dialog).currentIndex(), 1);
    EXPECT_TRUE(dialog.pageTabs().recordsTab()->isVisible());
}

TEST_F(MainDialogTest, TheSystemMenuGreysSizeAndMaximizeAndEndsWithAbout) {
    MainDialog dialog(services, true);
    dialog.show();
    QMenu& menu = dialog.systemMenu();
    dialog.openSystemMenu(dialog.mapToGlobal(QPoint(0, 0)));
    const QList<QAction*> items = menu.actions();
    ASSERT_EQ(items.size(), 9);
    QStringList texts;
    for (QAction* item : items)
        texts << (item->isSeparator() ? QString("-") : item->text());
    EXPECT_EQ(texts, (QStringList{"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "-",
                                  "&Close\tAlt+F4", "-", "About Tessalo2 ..."}));
    EXPECT_FALSE(items[2]->isEnabled());
    EXPECT_FALSE(items[4]->isEnabled());
    EXPECT_FALSE(items[0]->isEnabled()); // nothing to restore while the dialog is normal
    EXPECT_TRUE(items[1]->isEnabled());
    EXPECT_TRUE(items[3]->isEnabled());
    EXPECT_TRUE(items[6]->isEnabled());
    EXPECT_EQ(items[8]->data().toInt(), 16);
    menu.close();
}

TEST_F(MainDialogTest, AltSpaceAndARightClickOpenTheSystemMenu) {
    MainDialog dialog(services, true);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(dialog.systemMenu().isVisible());
    dialog.systemMenu().close();
    EXPECT_FALSE(dialog.systemMenu().isVisible());

    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 250),
                            dialog.mapToGlobal(QPoint(10, 250)));
    QApplication::sendEvent(&dialog, &click);
    EXPECT_TRUE(dialog.systemMenu().isVisible());
    dialog.systemMenu().close();
}

TEST_F(MainDialogTest, TheAboutCommandOpensTheAboutBoxWhereHelpDoesNothing) {
    MainDialog dialog(services, true);
    dialog.show();
    test::ModalAnswers answers;
    int aboutBoxes = 0;
    const auto closeAbout = [&aboutBoxes](QWidget& modal) {
        ASSERT_NE(dynamic_cast<AboutDialog*>(&modal), nullptr);
        ++aboutBoxes;
        QApplication::setActiveWindow(&modal);
        QTest::keyClick(&modal, Qt::Key_F1);
        QTest::keyClick(&modal, Qt::Key_Escape);
    };
    answers.then(closeAbout);
    answers.then(closeAbout);
    answers.then(closeAbout);
    dialog.onSystemCommand(16);
    // Only the low four bits are free.
    dialog.onSystemCommand(16 + 15);
    dialog.onSystemCommand(32);
    dialog.systemMenu().actions().last()->trigger();
    EXPECT_EQ(aboutBoxes, 3);
}

TEST_F(MainDialogTest, HelpShowsTheUsage) {
    MainDialog dialog(services, true);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    test::BoxRecorder recorder;
    recorder.expect();
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(recorder.boxes,
              std::vector<QString>{"app_window_tests|Tessalo2 version 2.22 build 15\nComand line "
                                   "parameters:\n/? - this message\n/compress - compress Table "
                                   "of records;"});
}

TEST_F(MainDialogTest, QuitEscapeAndCloseEndTheDialog) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        MainDialog dialog(services, true);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QSignalSpy finished(&dialog, &QDialog::finished);
        if (way == 0)
            dialogControl<QPushButton>(dialog, 2)->click();
        else if (way == 1)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.onSystemCommand(MainDialog::kCloseCommand);
        EXPECT_EQ(finished.count(), 1);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(MainDialogTest, AStoredResultIsShownOnTheRecordsPageAtOnce) {
    records.setFileName((program.path() / "ts220.rec").string());
    ASSERT_TRUE(records.load(true));
    MainDialog dialog(services, true);
    dialog.show();
    tabs(dialog).setCurrentIndex(1);
    auto* list = dialog.pageTabs().recordsTab()->findChild<QTreeWidget*>("1023");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->topLevelItemCount(), 0);

    test::ModalAnswers answers;
    answers.then([](QWidget& result) {
        auto* name = result.findChild<QLineEdit*>("1034");
        name->clear();
        test::typeText(name, "Ann");
        result.findChild<QPushButton*>("1")->click();
    });
    GameResult result;
    result.seconds = 95;
    result.picturesName = "Colours";
    result.layoutName = "Spread";
    EXPECT_EQ(dialog.endOfGame(result), GameCommand::start);
    EXPECT_EQ(state.lastPlayerName, "Ann");
    ASSERT_EQ(records.entries().size(), 1u);
    EXPECT_EQ(records.entries()[0].dateText, "5.1.1999");
    EXPECT_EQ(list->topLevelItemCount(), 1);
}

// The tab control's tab row and frame are the style's own, taller than those the dialog was laid
// out for; neither may cut off the bottom of a page. CTest runs this at a device pixel ratio of 1
// and of 2.
TEST_F(MainDialogTest, EveryControlOfBothPagesShowsWholeInsideTheTabsDisplayArea) {
    MainDialog dialog(services, true);
    dialog.show();
    QTabWidget& control = tabs(dialog);
    control.setCurrentIndex(1);
    const QRect dialogRect = dialog.rect();
    for (int id : {32772, 2})
        EXPECT_FALSE(dialogControl(dialog, id)->geometry().intersects(control.geometry())) << id;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) {
            EXPECT_TRUE(dialogRect.contains(child->geometry()))
                << child->objectName().toStdString();
        }
    }
    const QRect tabRow(control.tabBar()->mapTo(&control, QPoint(0, 0)), control.tabBar()->size());
    for (QWidget* page : std::initializer_list<QWidget*>{dialog.pageTabs().settingsTab(),
                                                         dialog.pageTabs().recordsTab()}) {
        ASSERT_NE(page, nullptr);
        const std::string name = page->metaObject()->className();
        QWidget* area = page->parentWidget();
        const QRect areaRect(area->mapTo(&control, QPoint(0, 0)), area->size());
        // Inside the frame: the frame takes at least a pixel on every side.
        EXPECT_TRUE(control.rect().adjusted(1, 1, -1, -1).contains(areaRect)) << name;
        EXPECT_GT(areaRect.top(), tabRow.bottom()) << name;
        EXPECT_TRUE(area->rect().contains(page->geometry())) << name;
        for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) {
                EXPECT_TRUE(page->rect().contains(child->geometry()))
                    << name << " " << child->objectName().toStdString() << " "
                    << child->geometry().bottom() << " below " << page->rect().bottom();
            }
        }
    }
    // Settings: 296 × 126 dialog units; Records: 298 × 127.
    EXPECT_EQ(dialog.pageTabs().settingsTab()->size(), QSize(444, 205));
    EXPECT_EQ(dialog.pageTabs().recordsTab()->size(), QSize(447, 206));
    EXPECT_EQ(qApp->devicePixelRatio(),
              qEnvironmentVariableIntValue("TESSALO_TEST_DEVICE_PIXEL_RATIO") == 2 ? 2.0 : 1.0);
}

// A game dealt proven clearable ranks only in the clearable deals' table, one the search could not
// prove only in the ordinary one; the records page shows the table of the box's choice and says
// which it is.
TEST_F(MainDialogTest, ClearableDeals_RankInTheirOwnTableShownByTheChoice) {
    records.setFileName((program.path() / "ts220.rec").string());
    clearableRecords.setFileName((program.path() / "ts220c.rec").string());
    ASSERT_TRUE(records.load(true));
    ASSERT_TRUE(clearableRecords.load(true));
    MainDialog dialog(services, true);
    dialog.show();
    auto* box = dialog.pageTabs().settingsTab()->findChild<QCheckBox*>("1047");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Only deals that can be cleared");
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_TRUE(state.clearableDeals);

    const auto play = [&](const char* name, int seconds, bool proven) {
        test::ModalAnswers answers;
        answers.then([name](QWidget& result) {
            auto* edit = result.findChild<QLineEdit*>("1034");
            edit->clear();
            test::typeText(edit, name);
            result.findChild<QPushButton*>("1")->click();
        });
        GameResult result;
        result.seconds = seconds;
        result.picturesName = "Colours";
        result.layoutName = "Spread";
        result.provenClearableDeal = proven;
        EXPECT_EQ(dialog.endOfGame(result), GameCommand::start);
    };
    play("Ann", 95, true);
    play("Bob", 120, false);
    ASSERT_EQ(clearableRecords.entries().size(), 1u);
    EXPECT_EQ(clearableRecords.entries()[0].playerName, "Ann");
    ASSERT_EQ(records.entries().size(), 1u);
    EXPECT_EQ(records.entries()[0].playerName, "Bob");
    EXPECT_EQ(parseRecordsFile(test::readFile(program.path() / "ts220.rec")).entries.size(), 1u);
    const auto stored = parseRecordsFile(test::readFile(program.path() / "ts220c.rec"));
    ASSERT_EQ(stored.entries.size(), 1u);
    EXPECT_EQ(stored.entries[0].playerName, "Ann");

    tabs(dialog).setCurrentIndex(1);
    RecordsTab* page = dialog.pageTabs().recordsTab();
    auto* list = page->findChild<QTreeWidget*>("1023");
    auto* caption = page->findChild<QLabel*>("1035");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "Layout - Spread (clearable deals)");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Ann");
    tabs(dialog).setCurrentIndex(0);
    box->click();
    EXPECT_FALSE(state.clearableDeals);
    EXPECT_EQ(caption->text(), "Layout - Spread");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Bob");
}

} // namespace
} // namespace tessalo
