#include "app/settings_tab.h"

#include "app/layout_library.h"
#include "platform/dialog_caption_fit.h"
#include "platform/pe_writer.h"
#include "platform/registry_settings.h"
#include "tests/platform/pe_test_support.h"
#include "tests/records/window_test_support.h"
#include "tests/support/current_directory.h"
#include "tests/support/test_picture_set.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

const PicturesModuleContent& smallSet() {
    static const PicturesModuleContent content = [] {
        TestPictureSet set;
        set.pictureCount = 1;
        set.withSound = false;
        return set.content();
    }();
    return content;
}

void writePictureSet(const fs::path& path, const std::string& name) {
    PicturesModuleContent content = smallSet();
    content.displayName = name;
    writeModuleFile(path, content);
}

void writePictureSetWithoutName(const fs::path& path) {
    test::writeFile(path, moduleBytesWith(smallSet(), [](std::vector<ModuleResource>& resources) {
                        std::erase_if(resources, [](const ModuleResource& resource) {
                            return resource.type == ResourceId(kRtString);
                        });
                    }));
}

// Rows of 12 left to right, three rows on layer 1: a layout the board takes.
void writeLayoutModule(const fs::path& path, const std::string& name) {
    std::vector<std::uint8_t> triples;
    for (int i = 0; i < 144; ++i) {
        const int row = i / 12;
        triples.push_back(std::uint8_t(2 * (i % 12)));
        triples.push_back(std::uint8_t(2 * (row % 9)));
        triples.push_back(std::uint8_t(row / 9));
    }
    std::vector<ModuleResource> resources = {{ResourceId("LAYOUT"), ResourceId(1), 0, triples}};
    const std::pair<std::uint16_t, std::string> strings[] = {{1, name}};
    for (auto& table : buildStringTables(strings))
        resources.push_back(std::move(table));
    test::writeFile(path, std::get<std::vector<std::uint8_t>>(writeResourceModule(resources)));
}

LayoutRecord layoutNamed(const std::string& name) {
    LayoutRecord layout;
    layout.setName(name);
    return layout;
}

// A warning box with the program's caption and exactly `text`, answered with OK.
test::ModalAnswers::Answer warning(const char* text) {
    return [expected = QString::fromUtf8(text)](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "app_window_tests");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->text(), expected);
        box->button(QMessageBox::Ok)->click();
    };
}

// The file-open dialog: its title and its one filter, then `choice` is picked.
test::ModalAnswers::Answer openDialog(const char* title, const char* filter,
                                      std::optional<fs::path> choice) {
    return [title = QString::fromUtf8(title), filter = QString(filter), choice](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), title);
        EXPECT_EQ(dialog->nameFilters(), QStringList{filter});
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        if (!choice) {
            dialog->reject();
            return;
        }
        // The name is typed once the dialog has settled: until its edit has the focus, the
        // dialog may still move the focus and clear or keep what was put there.
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return dialog->isActiveWindow() && QApplication::focusWidget() == edit; }, 5000))
            << "the file dialog never took the focus";
        edit->setText(QString::fromStdString(choice->string()));
        static_cast<QDialog*>(dialog)->accept(); // the file dialog checks the choice
    };
}

class SettingsTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.layouts = {layoutNamed("Lay1"), layoutNamed("Lay2")};
        ASSERT_EQ(saveLayoutLibrary(folder.path() / "ts220.tsl", state.layouts), "");
    }

    std::unique_ptr<SettingsTab> makeTab() {
        return std::make_unique<SettingsTab>(
            state, [this] { ++refills; }, nullptr, configFolder);
    }
    static QComboBox& combo(const SettingsTab& tab, const char* id) {
        return *tab.findChild<QComboBox*>(id);
    }
    static QStringList items(const QComboBox& box) {
        QStringList texts;
        for (int i = 0; i < box.count(); ++i)
            texts << box.itemText(i);
        return texts;
    }
    static void click(const SettingsTab& tab, const char* id) {
        tab.findChild<QAbstractButton*>(id)->click();
    }
    // The player opens the list and presses `keys` in it; the last one closes it.
    static void pickFromOpenList(QComboBox& box, std::initializer_list<Qt::Key> keys) {
        box.showPopup();
        for (const Qt::Key key : keys)
            QTest::keyClick(box.view(), key);
        QCoreApplication::processEvents();
        ASSERT_FALSE(box.view()->isVisible());
    }

    test::TempDir folder;
    test::CurrentDirectory inFolder{folder.path()};
    fs::path configFolder = folder.path() / "config";
    AppState state;
    int refills = 0;
};

// Pixels from the units by hand: x · 6 / 4 and y · 13 / 8, each corner rounded to the nearest.
TEST_F(SettingsTabTest, PageControls) {
    state.pictureSetNames = {"Set1", "Set2"};
    state.pictureModuleFiles = {"one.tsp", "two.tsp"};
    state.layoutIndex = 1;
    state.picturesIndex = 1;
    auto tab = makeTab();
    EXPECT_EQ(tab->size(), QSize(444, 205)); // 296 × 126 units

    QComboBox& layouts = combo(*tab, "1022");
    EXPECT_FALSE(layouts.isEditable());
    EXPECT_EQ(layouts.pos(), QPoint(14, 44)); // 9, 27
    EXPECT_EQ(items(layouts), QStringList({"Lay1", "Lay2"}));
    EXPECT_EQ(layouts.currentIndex(), 1);
    QComboBox& tiles = combo(*tab, "1026");
    EXPECT_EQ(tiles.pos(), QPoint(12, 145)); // 8, 89
    EXPECT_EQ(items(tiles), QStringList({"Set1", "Set2"}));
    EXPECT_EQ(tiles.currentIndex(), 1);

    auto* addPictures = tab->findChild<QPushButton*>("1027");
    EXPECT_EQ(addPictures->text(), "Add...");
    EXPECT_EQ(addPictures->geometry(), QRect(356, 141, 78, 23)); // 237, 87, 52 × 14
    EXPECT_EQ(addPictures->toolTip(), QString::fromUtf8("Добавить картинки"));
    auto* addLayout = tab->findChild<QPushButton*>("1030");
    EXPECT_EQ(addLayout->text(), "Add...");
    EXPECT_EQ(addLayout->geometry(), QRect(356, 41, 78, 22)); // 237, 25, 52 × 14
    auto* sound = tab->findChild<QCheckBox*>("1045");
    EXPECT_EQ(sound->text(), "Sound");
    EXPECT_EQ(sound->geometry(), QRect(12, 177, 111, 16)); // 8, 109, 74 × 10
    EXPECT_FALSE(sound->isChecked());
    EXPECT_EQ(tab->findChild<QGroupBox*>("-1#1")->title(), "Layout");
    EXPECT_EQ(tab->findChild<QGroupBox*>("-1#1")->geometry(), QRect(2, 0, 441, 101));
    EXPECT_EQ(tab->findChild<QGroupBox*>("-1#2")->title(), "Tiles");

    for (const auto& overflow : captionOverflows(*tab))
        ADD_FAILURE() << overflow.control.toStdString() << " \"" << overflow.caption.toStdString()
                      << "\" needs " << overflow.captionWidth << " of " << overflow.room;
}

TEST_F(SettingsTabTest, Sound_OffAtEveryStartAndToggledByTheBox) {
    auto tab = makeTab();
    EXPECT_FALSE(tab->soundOn());
    click(*tab, "1045");
    EXPECT_TRUE(tab->soundOn());
    click(*tab, "1045");
    EXPECT_FALSE(tab->soundOn());
    click(*tab, "1045");
    EXPECT_FALSE(makeTab()->soundOn());
}

TEST_F(SettingsTabTest, WarnNoWayOut_ShowsTheStoredChoiceAndChangesItAtOnce) {
    state.warnNoWayOut = true;
    auto tab = makeTab();
    auto* box = tab->findChild<QCheckBox*>("1051");
    EXPECT_EQ(box->text(), "Warn when the board can no longer be cleared");
    EXPECT_EQ(box->geometry(), QRect(12, 78, 330, 16)); // 8, 48, 220 × 10
    EXPECT_TRUE(box->isChecked());
    click(*tab, "1051");
    EXPECT_FALSE(state.warnNoWayOut);
    click(*tab, "1051");
    EXPECT_TRUE(state.warnNoWayOut);
    state.warnNoWayOut = false;
    EXPECT_FALSE(makeTab()->findChild<QCheckBox*>("1051")->isChecked());
}

// Beside Sound, off unless stored; each change is stored at once as a four-byte FillScreen.
TEST_F(SettingsTabTest, FillTheScreen_ShowsTheChoiceAndStoresEachChange) {
    auto tab = makeTab();
    auto* fill = tab->findChild<QCheckBox*>("1046");
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->text(), "Fill the screen");
    EXPECT_EQ(fill->geometry(), QRect(138, 177, 207, 16)); // 92, 109, 138 × 10
    EXPECT_EQ(fill->font(), tab->findChild<QCheckBox*>("1045")->font());
    EXPECT_FALSE(fill->isChecked());
    const auto stored = [this] {
        return RegistryStore::openKey(kRegistryKey, configFolder).queryDword("FillScreen");
    };
    EXPECT_EQ(stored(), std::nullopt);
    click(*tab, "1046");
    EXPECT_TRUE(state.fillScreen);
    EXPECT_EQ(stored(), 1);
    click(*tab, "1046");
    EXPECT_FALSE(state.fillScreen);
    EXPECT_EQ(stored(), 0);
    state.fillScreen = true;
    EXPECT_TRUE(makeTab()->findChild<QCheckBox*>("1046")->isChecked());
}

// What a box shows is what the next game uses and the records page lists, however it got there.
TEST_F(SettingsTabTest, Choices_TakeEffectWheneverTheShownItemChanges) {
    state.pictureSetNames = {"Alpha", "Bravo", "Charlie"};
    state.pictureModuleFiles = {"1.tsp", "2.tsp", "3.tsp"};
    auto tab = makeTab();
    tab->show();
    QComboBox& layouts = combo(*tab, "1022");

    // An arrow key on the closed box.
    QTest::keyClick(&layouts, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(layouts.currentIndex(), 1);
    EXPECT_EQ(state.layoutIndex, 1);
    EXPECT_EQ(refills, 1);
    // A dismissed list still refills; a pick from the list refills once.
    pickFromOpenList(layouts, {Qt::Key_Escape});
    EXPECT_EQ(state.layoutIndex, 1);
    EXPECT_EQ(refills, 2);
    pickFromOpenList(layouts, {Qt::Key_Up, Qt::Key_Return});
    EXPECT_EQ(layouts.currentIndex(), 0);
    EXPECT_EQ(state.layoutIndex, 0);
    EXPECT_EQ(refills, 3);

    QComboBox& tiles = combo(*tab, "1026");
    QTest::keyClick(&tiles, Qt::Key_Down);
    EXPECT_EQ(state.picturesIndex, 1);
    // Typing the start of a name.
    QTest::keyClick(&tiles, Qt::Key_C);
    EXPECT_EQ(tiles.currentIndex(), 2);
    EXPECT_EQ(state.picturesIndex, 2);
    EXPECT_EQ(refills, 5);

    // A box without a selection leaves its index as it was.
    tiles.setCurrentIndex(-1);
    tab->onCommand(SettingsTab::kTilesCombo);
    EXPECT_EQ(state.picturesIndex, 2);
}

TEST_F(SettingsTabTest, Scan_AddsTheModulesByNameAndRefusesTheOthers) {
    // Letter case does not count in the order: a.tsp comes before B.tsp.
    writePictureSet(folder.path() / "B.tsp", "Bravo");
    writePictureSet(folder.path() / "a.tsp", "Alpha");
    test::writeFile(folder.path() / "c.tsp", std::string("not a module"));
    writePictureSet(folder.path() / "d.TSP", "Alpha");
    writePictureSet(folder.path() / "e.txt", "Echo");
    fs::create_directories(folder.path() / "f.tsp");
    RegistryStore misspelt = RegistryStore::openKey(kMisspeltRegistryKey, configFolder);
    misspelt.setDword("Layout", 1);
    ASSERT_EQ(misspelt.flush(), "");
    RegistryStore key = RegistryStore::openKey(kRegistryKey, configFolder);
    key.setDword("Layout", 1);
    ASSERT_EQ(key.flush(), "");
    state.picturesIndex = 5;

    auto tab = makeTab();
    {
        test::ModalAnswers answers;
        answers.then(warning("Выбранный модуль не содержит картинок"));
        answers.then(warning("Картинки \"Alpha\" уже есть."));
        tab->scanPictureModules();
    }
    EXPECT_EQ(state.pictureSetNames, (std::vector<std::string>{"Alpha", "Bravo"}));
    EXPECT_EQ(state.pictureModuleFiles, (std::vector<std::string>{"a.tsp", "B.tsp"}));
    EXPECT_EQ(items(combo(*tab, "1026")), QStringList({"Alpha", "Bravo"}));
    EXPECT_EQ(combo(*tab, "1026").currentIndex(), 0);
    EXPECT_EQ(state.picturesIndex, 0);
    EXPECT_EQ(refills, 4);
    EXPECT_FALSE(fs::exists(RegistryStore::storePath(configFolder, kMisspeltRegistryKey)));
    EXPECT_EQ(RegistryStore::openKey(kRegistryKey, configFolder).queryDword("Layout"), 1);
}

TEST_F(SettingsTabTest, EveryAdd_LeavesTheFirstSetSelected) {
    auto tab = makeTab();
    // Refused into an empty list: there is nothing to select, the index stays.
    state.picturesIndex = 3;
    {
        test::ModalAnswers answers;
        answers.then(warning("Выбранный модуль не содержит картинок"));
        tab->addPictureModule("missing.tsp");
    }
    EXPECT_EQ(state.picturesIndex, 3);
    EXPECT_EQ(refills, 1);

    writePictureSet(folder.path() / "one.tsp", "One");
    writePictureSet(folder.path() / "two.tsp", "Two");
    writePictureSet(folder.path() / "three.tsp", "Three");
    tab->addPictureModule("one.tsp");
    tab->addPictureModule("two.tsp");
    EXPECT_EQ(state.picturesIndex, 0);
    combo(*tab, "1026").setCurrentIndex(1);
    tab->onCommand(SettingsTab::kTilesCombo);
    ASSERT_EQ(state.picturesIndex, 1);

    tab->addPictureModule("three.tsp");
    EXPECT_EQ(state.picturesIndex, 0);
    EXPECT_EQ(combo(*tab, "1026").currentIndex(), 0);
    EXPECT_EQ(items(combo(*tab, "1026")), QStringList({"One", "Two", "Three"}));
    EXPECT_EQ(state.pictureModuleFiles.back(), "three.tsp");
}

// Without string 1 a set has no name to be listed or to file its records under.
TEST_F(SettingsTabTest, ModuleWithoutAName_IsRefusedLikeOneWithoutPictures) {
    writePictureSetWithoutName(folder.path() / "nameless.tsp");
    writePictureSet(folder.path() / "empty.tsp", "");
    writePictureSet(folder.path() / "long.tsp", "A name of twenty-five ch");
    auto tab = makeTab();
    {
        test::ModalAnswers answers;
        answers.then(warning("Выбранный модуль не содержит картинок"));
        answers.then(warning("Выбранный модуль не содержит картинок"));
        tab->addPictureModule("nameless.tsp");
        tab->addPictureModule("empty.tsp");
    }
    EXPECT_TRUE(state.pictureSetNames.empty());
    tab->addPictureModule("long.tsp");
    EXPECT_EQ(state.pictureSetNames, std::vector<std::string>{"A name of twenty-fi"});
}

TEST_F(SettingsTabTest, AddPicturesButton_LooksForTheChosenNameInTheProgramFolder) {
    test::TempDir elsewhere;
    writePictureSet(elsewhere.path() / "far.tsp", "Far");
    writePictureSet(folder.path() / "near.tsp", "Near");
    auto tab = makeTab();
    {
        test::ModalAnswers answers;
        answers.then(openDialog("Добавление картинок", "(*.tsp)", elsewhere.path() / "far.tsp"));
        answers.then(warning("Выбранный модуль не содержит картинок"));
        click(*tab, "1027");
    }
    EXPECT_TRUE(state.pictureSetNames.empty());
    EXPECT_EQ(fs::current_path(), folder.path());

    // The same name in the program's folder is what gets added, whichever folder it was picked in.
    writePictureSet(folder.path() / "far.tsp", "Far here");
    {
        test::ModalAnswers answers;
        answers.then(openDialog("Добавление картинок", "(*.tsp)", elsewhere.path() / "far.tsp"));
        answers.then(openDialog("Добавление картинок", "(*.tsp)", std::nullopt));
        click(*tab, "1027");
        click(*tab, "1027");
    }
    EXPECT_EQ(state.pictureSetNames, std::vector<std::string>{"Far here"});
    EXPECT_EQ(state.pictureModuleFiles, std::vector<std::string>{"far.tsp"});
    EXPECT_TRUE(fs::exists(elsewhere.path() / "far.tsp"));
    EXPECT_EQ(fs::current_path(), folder.path());
}

// An installed game: the scan finds the player's sets and the shipped ones, the player's copy of
// a shipped name first; Add... copies a set from elsewhere into the player's folder.
TEST_F(SettingsTabTest, PerUserFolder_ListsOwnSetsFirstAndCopiesAddedOnesIn) {
    test::TempDir installed;
    writePictureSet(installed.path() / "classic.tsp", "Classic");
    writePictureSet(installed.path() / "clear.tsp", "Clear shipped");
    writePictureSet(folder.path() / "clear.tsp", "Clear own");
    state.folders = {folder.path(), installed.path()};
    auto tab = makeTab();
    tab->scanPictureModules();
    EXPECT_EQ(state.pictureSetNames, (std::vector<std::string>{"Clear own", "Classic"}));
    EXPECT_EQ(state.pictureModuleFiles, (std::vector<std::string>{"clear.tsp", "classic.tsp"}));

    test::TempDir elsewhere;
    writePictureSet(elsewhere.path() / "far.tsp", "Far");
    {
        test::ModalAnswers answers;
        answers.then(openDialog("Добавление картинок", "(*.tsp)", elsewhere.path() / "far.tsp"));
        click(*tab, "1027");
    }
    EXPECT_EQ(state.pictureSetNames, (std::vector<std::string>{"Clear own", "Classic", "Far"}));
    EXPECT_EQ(state.pictureModuleFiles.back(), "far.tsp");
    EXPECT_TRUE(fs::exists(folder.path() / "far.tsp"));
    EXPECT_FALSE(fs::exists(installed.path() / "far.tsp"));
}

TEST_F(SettingsTabTest, AddLayoutButton_AppendsTheLayoutAndKeepsTheCurrentOne) {
    test::TempDir elsewhere;
    writeLayoutModule(elsewhere.path() / "new.layout", "Lay3");
    state.layoutIndex = 1;
    auto tab = makeTab();
    {
        test::ModalAnswers answers;
        answers.then(openDialog("Добавление варианта раскладки", "(*.layout)",
                                elsewhere.path() / "new.layout"));
        click(*tab, "1030");
    }
    QComboBox& layouts = combo(*tab, "1022");
    EXPECT_EQ(items(layouts), QStringList({"Lay1", "Lay2", "Lay3"}));
    EXPECT_EQ(layouts.currentIndex(), 1);
    EXPECT_EQ(state.layoutIndex, 1);
    EXPECT_EQ(refills, 0);
    EXPECT_EQ(loadLayoutLibrary(folder.path() / "ts220.tsl").contents.layouts.size(), 3u);
    EXPECT_FALSE(fs::exists(elsewhere.path() / "new.layout"));
    EXPECT_EQ(fs::current_path(), folder.path());

    writeLayoutModule(elsewhere.path() / "again.layout", "Lay1");
    {
        test::ModalAnswers answers;
        answers.then(warning("Раскладка \"Lay1\" уже есть."));
        tab->addLayoutModule(elsewhere.path() / "again.layout");
    }
    EXPECT_EQ(layouts.count(), 3);
    EXPECT_FALSE(fs::exists(elsewhere.path() / "again.layout"));
}

// A slip in the file dialog once deleted the library, so the program could not start again.
TEST_F(SettingsTabTest, AddLayoutButton_LeavesAFileThatIsNoLayoutModule) {
    writePictureSet(folder.path() / "set.tsp", "Set");
    const auto libraryBefore = test::readFile(folder.path() / "ts220.tsl");
    auto tab = makeTab();
    for (const char* name : {"ts220.tsl", "set.tsp"}) {
        SCOPED_TRACE(name);
        test::ModalAnswers answers;
        answers.then(
            openDialog("Добавление варианта раскладки", "(*.layout)", folder.path() / name));
        answers.then(warning("Выбранный модуль не содержит варианта раскладки"));
        click(*tab, "1030");
    }
    EXPECT_EQ(test::readFile(folder.path() / "ts220.tsl"), libraryBefore);
    EXPECT_TRUE(fs::exists(folder.path() / "set.tsp"));
    EXPECT_EQ(items(combo(*tab, "1022")), QStringList({"Lay1", "Lay2"}));
}

} // namespace
} // namespace tessalo
