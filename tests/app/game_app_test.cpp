#include "app/game_app.h"

#include "app/layout_library.h"
#include "app/main_dialog.h"
#include "game/game_commands.h"
#include "platform/dialog_builder.h"
#include "platform/registry_settings.h"
#include "records/records_file.h"
#include "tests/app/app_window_support.h"
#include "tests/support/test_picture_set.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace tessalo {
namespace {

using test::bytesOf;

// Two sets: "Colours" in test.tsp and "Other" in other.tsp.
std::vector<std::uint8_t> twoSetConfig() {
    auto bytes = bytesOf({2, 0, 0, 0, 7});
    test::append(bytes, "Colours");
    bytes.push_back(8);
    test::append(bytes, "test.tsp");
    bytes.push_back(5);
    test::append(bytes, "Other");
    bytes.push_back(9);
    test::append(bytes, "other.tsp");
    return bytes;
}

RecordEntry result(const char* player, std::uint32_t score) {
    RecordEntry entry;
    entry.playerName = player;
    entry.picturesName = "Colours";
    entry.layoutName = "Spread";
    entry.dateText = "5.1.1999";
    entry.seconds = std::int32_t(score);
    entry.score = score;
    return entry;
}

const char* const kUsage = "Tessalo2 version 2.22 build 15\nComand line parameters:\n"
                           "/? - this message\n/compress - compress Table of records;";

class GameAppTest : public ::testing::Test {
  protected:
    test::TempDir program;
    test::TempDir elsewhere;
    test::TempDir config;
    // Started from a shortcut whose working folder is not the program's.
    test::CurrentDirectory startedFrom{elsewhere.path()};
    test::BoxRecorder recorder;

    std::filesystem::path programFile() const { return program.path() / "tessalo2"; }
    std::filesystem::path inProgram(const char* name) const { return program.path() / name; }

    void SetUp() override {
        test::writeFile(inProgram("ts220.cfg"), twoSetConfig());
        writeLibrary({spreadLayout("Spread"), spreadLayout("Second")});
    }

    void writeLibrary(const std::vector<LayoutRecord>& layouts) {
        test::writeFile(inProgram("ts220.tsl"), serializeLayoutLibrary(layouts));
    }
    void writeRecords(const char* name, const std::vector<RecordEntry>& entries) {
        test::writeFile(inProgram(name), serializeRecordsFile(entries));
    }
    RegistryStore key() const { return RegistryStore::openKey(kRegistryKey, config.path()); }
    void storeIndices(std::int32_t layout, std::int32_t pictures) {
        RegistryStore stored = key();
        stored.setDword("Layout", layout);
        stored.setDword("Pictures", pictures);
        ASSERT_EQ(stored.flush(), "");
    }
    bool inFolder(const std::filesystem::path& folder) const {
        return std::filesystem::equivalent(std::filesystem::current_path(), folder);
    }
};

TEST_F(GameAppTest, StartedFromElsewhereItReadsEverythingBesideTheProgram) {
    writeRecords("ts220.rec", {result("Ann", 100)});
    GameApp app(programFile(), config.path());
    ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
    EXPECT_TRUE(inFolder(program.path()));
    EXPECT_EQ(app.state().pictureSetNames, (std::vector<std::string>{"Colours", "Other"}));
    EXPECT_EQ(app.state().pictureModuleFiles, (std::vector<std::string>{"test.tsp", "other.tsp"}));
    ASSERT_EQ(app.state().layouts.size(), 2u);
    EXPECT_EQ(app.state().layouts[1].nameText(), "Second");
    EXPECT_EQ(app.state().layoutIndex, 0);
    EXPECT_EQ(app.state().picturesIndex, 0);
    EXPECT_EQ(app.records().fileName(), "ts220.rec");
    ASSERT_EQ(app.records().entries().size(), 1u);
    EXPECT_EQ(app.records().entries()[0].playerName, "Ann");
    // The about box's two frames come from the program's own compressed pictures.
    EXPECT_EQ(app.aboutFrames().first.size(), QSize(70, 105));
    EXPECT_EQ(app.aboutFrames().second.size(), QSize(70, 105));
    EXPECT_NE(app.aboutFrames().first.toImage(), app.aboutFrames().second.toImage());
}

TEST_F(GameAppTest, TheStoreChoosesLayoutPicturesAndRecordsFile) {
    storeIndices(1, 1);
    RegistryStore stored = key();
    stored.setString("RecordsFile", "mine.rec");
    ASSERT_EQ(stored.flush(), "");
    writeRecords("mine.rec", {result("Ann", 100), result("Bob", 200)});
    GameApp app(programFile(), config.path());
    ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
    EXPECT_EQ(app.state().layoutIndex, 1);
    EXPECT_EQ(app.state().picturesIndex, 1);
    EXPECT_EQ(app.records().fileName(), "mine.rec");
    EXPECT_EQ(app.records().entries().size(), 2u);
}

// Only a DWORD of 1 turns it on; the store of a player who never chose it gains no value.
TEST_F(GameAppTest, FillScreenIsReadAtStartAndKeptAtExit) {
    {
        GameApp app(programFile(), config.path());
        ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
        EXPECT_FALSE(app.state().fillScreen);
        app.exitActions();
        EXPECT_FALSE(key().query("FillScreen", RegistryStore::Type::Dword));
    }
    RegistryStore stored = key();
    stored.setString("FillScreen", "1");
    ASSERT_EQ(stored.flush(), "");
    {
        GameApp app(programFile(), config.path());
        ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
        EXPECT_FALSE(app.state().fillScreen);
    }
    stored.setDword("FillScreen", 1);
    ASSERT_EQ(stored.flush(), "");
    {
        GameApp app(programFile(), config.path());
        ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
        EXPECT_TRUE(app.state().fillScreen);
        app.state().fillScreen = false;
        app.exitActions();
        EXPECT_EQ(key().queryDword("FillScreen"), 0);
    }
}

TEST_F(GameAppTest, IndicesOutsideTheirListsFallBackToTheFirst) {
    storeIndices(-1, 7);
    {
        GameApp app(programFile(), config.path());
        ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
        EXPECT_EQ(app.state().layoutIndex, 0);
        EXPECT_EQ(app.state().picturesIndex, 0);
    }
    // With no picture set at all, and a layout index one past the last.
    test::writeFile(inProgram("ts220.cfg"), bytesOf({0, 0, 0, 0}));
    storeIndices(2, 1);
    GameApp app(programFile(), config.path());
    ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
    EXPECT_EQ(app.state().layoutIndex, 0);
    EXPECT_EQ(app.state().picturesIndex, 0);
}

TEST_F(GameAppTest, TheExitActionsStoreTheIndicesAndRewriteTheConfiguration) {
    GameApp app(programFile(), config.path());
    ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
    app.state().pictureSetNames = {"Tiles"};
    app.state().pictureModuleFiles = {"tiles.tsp"};
    app.state().picturesIndex = 0;
    app.state().layoutIndex = 1;
    // Meanwhile the records page keeps its own value under the same key.
    RegistryStore page = key();
    page.setDword("PicOnly", -1);
    ASSERT_EQ(page.flush(), "");

    app.exitActions();
    auto expected = bytesOf({1, 0, 0, 0, 5});
    test::append(expected, "Tiles");
    expected.push_back(9);
    test::append(expected, "tiles.tsp");
    EXPECT_EQ(test::readFile(inProgram("ts220.cfg")), expected);
    const RegistryStore stored = key();
    EXPECT_EQ(stored.queryDword("Layout"), 1);
    EXPECT_EQ(stored.queryDword("Pictures"), 0);
    EXPECT_EQ(stored.queryDword("PicOnly"), -1);
    EXPECT_FALSE(stored.queryString("RecordsFile", 260).has_value());
}

TEST_F(GameAppTest, TheWarningChoiceIsReadAtStartAndWrittenBackAtExit) {
    RegistryStore stored = key();
    stored.setDword("WarnNoWayOut", 1);
    ASSERT_EQ(stored.flush(), "");
    GameApp app(programFile(), config.path());
    ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
    EXPECT_TRUE(app.state().warnNoWayOut);
    app.state().warnNoWayOut = false;
    app.exitActions();
    EXPECT_EQ(key().queryDword("WarnNoWayOut"), 0);
}

TEST_F(GameAppTest, AMissingConfigurationIsReportedAndTheNextStartBeginsEmpty) {
    std::filesystem::remove(inProgram("ts220.cfg"));
    storeIndices(1, 1);
    recorder.expect();
    {
        GameApp app(programFile(), config.path());
        EXPECT_EQ(app.startUp({}), GameApp::StartUp::Ended);
        // The store was not read, so the exit writes the indices' first values.
        app.exitActions();
    }
    EXPECT_EQ(recorder.boxes, std::vector<QString>{"app_window_tests|Ошибка чтения .cfg файла"});
    EXPECT_EQ(test::readFile(inProgram("ts220.cfg")), bytesOf({0, 0, 0, 0}));
    EXPECT_EQ(key().queryDword("Layout"), 0);
    EXPECT_EQ(key().queryDword("Pictures"), 0);

    GameApp again(programFile(), config.path());
    EXPECT_EQ(again.startUp({}), GameApp::StartUp::RunMainDialog);
    EXPECT_TRUE(again.state().pictureSetNames.empty());
}

TEST_F(GameAppTest, ADamagedConfigurationIsReportedAndKeepsItsCompleteEntries) {
    auto bytes = twoSetConfig();
    bytes.resize(bytes.size() - 4); // the second file name ends early
    test::writeFile(inProgram("ts220.cfg"), bytes);
    recorder.expect();
    GameApp app(programFile(), config.path());
    EXPECT_EQ(app.startUp({}), GameApp::StartUp::Ended);
    app.exitActions();
    EXPECT_EQ(recorder.boxes, std::vector<QString>{"app_window_tests|Ошибка чтения .cfg файла"});
    auto expected = bytesOf({1, 0, 0, 0, 7});
    test::append(expected, "Colours");
    expected.push_back(8);
    test::append(expected, "test.tsp");
    EXPECT_EQ(test::readFile(inProgram("ts220.cfg")), expected);
}

TEST_F(GameAppTest, WithoutTheLayoutLibraryTheRecordsAreNotRead) {
    std::filesystem::remove(inProgram("ts220.tsl"));
    writeRecords("ts220.rec", {result("Ann", 100)});
    recorder.expect();
    GameApp app(programFile(), config.path());
    EXPECT_EQ(app.startUp({}), GameApp::StartUp::Ended);
    EXPECT_EQ(recorder.boxes, std::vector<QString>{"app_window_tests|Не найден файл ts.tsl"});
    EXPECT_TRUE(app.records().entries().empty());
    app.exitActions();
    EXPECT_EQ(test::readFile(inProgram("ts220.cfg")), twoSetConfig());
}

// An empty library is no reason to stop: the player adds a layout and plays it.
TEST_F(GameAppTest, WithAnEmptyLibraryALayoutCanBeAddedAndPlayed) {
    writeLibrary({});
    writeModuleFile(inProgram("test.tsp"), TestPictureSet().content());
    test::writeLayoutModule(elsewhere.path() / "new.layout", spreadLayout("Added"));
    GameApp app(programFile(), config.path());
    app.setScreenSize([] { return QSize(1024, 768); });
    bool played = false;
    QTimer::singleShot(0, [&] {
        MainDialog* dialog = app.mainDialog();
        ASSERT_NE(dialog, nullptr);
        auto* layouts = dialog->findChild<QComboBox*>("1022");
        ASSERT_NE(layouts, nullptr);
        EXPECT_EQ(layouts->count(), 0);
        auto* game = dialogControl<QPushButton>(*dialog, MainDialog::kGameButton);
        recorder.expect();
        game->click();
        EXPECT_FALSE(dialog->gameWindow().isOpen());

        recorder.answers().then([&](QWidget& modal) {
            auto* files = qobject_cast<QFileDialog*>(&modal);
            ASSERT_NE(files, nullptr);
            files->selectFile(QString::fromStdString((elsewhere.path() / "new.layout").string()));
            static_cast<QDialog*>(files)->accept();
        });
        dialog->findChild<QPushButton*>("1030")->click();
        EXPECT_EQ(layouts->currentText(), "Added");
        dialogControl<QTabWidget>(*dialog, MainDialog::kTabControl)->setCurrentIndex(1);
        EXPECT_EQ(dialog->findChild<QLabel*>("1035")->text(), "Layout - Added");

        game->click();
        played = dialog->gameWindow().isOpen();
        if (played)
            dialog->gameWindow().onCommand(GameCommand::exit);
        dialogControl<QPushButton>(*dialog, MainDialog::kQuitButton)->click();
    });
    app.run({});
    EXPECT_EQ(recorder.boxes,
              std::vector<QString>{"app_window_tests|Нет ни одной раскладки. Добавьте раскладку "
                                   "кнопкой «Add...» в группе «Layout». Игра не начата."});
    EXPECT_TRUE(played);
    const auto library = loadLayoutLibrary(inProgram("ts220.tsl")).contents.layouts;
    ASSERT_EQ(library.size(), 1u);
    EXPECT_EQ(library[0].nameText(), "Added");
    EXPECT_EQ(key().queryDword("Layout"), 0);
}

TEST_F(GameAppTest, ADamagedLibraryWithoutACompleteLayoutEndsTheProgramUntouched) {
    auto bytes = serializeLayoutLibrary(std::vector<LayoutRecord>{spreadLayout("Spread")});
    bytes.resize(bytes.size() - 1);
    test::writeFile(inProgram("ts220.tsl"), bytes);
    recorder.expect();
    GameApp app(programFile(), config.path());
    EXPECT_EQ(app.startUp({}), GameApp::StartUp::Ended);
    EXPECT_EQ(recorder.boxes, std::vector<QString>{"app_window_tests|В файле ts220.tsl нет ни "
                                                   "одной раскладки."});
    app.exitActions();
    EXPECT_EQ(test::readFile(inProgram("ts220.tsl")), bytes);
}

TEST_F(GameAppTest, ADamagedLibraryGivesTheLayoutsBeforeTheDamage) {
    auto bytes = serializeLayoutLibrary(
        std::vector<LayoutRecord>{spreadLayout("Spread"), spreadLayout("Second")});
    bytes.resize(bytes.size() - 100);
    test::writeFile(inProgram("ts220.tsl"), bytes);
    GameApp app(programFile(), config.path());
    ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
    ASSERT_EQ(app.state().layouts.size(), 1u);
    EXPECT_EQ(app.state().layouts[0].nameText(), "Spread");
}

TEST_F(GameAppTest, WithoutTheProgramsPathItSaysSoAndExitsWhereItIs) {
    recorder.expect();
    GameApp app({}, config.path());
    EXPECT_EQ(app.startUp({}), GameApp::StartUp::Ended);
    EXPECT_EQ(recorder.boxes,
              std::vector<QString>{"app_window_tests|Ошибка инициализации приложения"});
    EXPECT_TRUE(inFolder(elsewhere.path()));
    app.exitActions();
    EXPECT_EQ(test::readFile(elsewhere.path() / "ts220.cfg"), bytesOf({0, 0, 0, 0}));
}

TEST_F(GameAppTest, AProgramFolderThatCannotBeEnteredEndsWithoutAWord) {
    GameApp app(program.path() / "gone" / "tessalo2", config.path());
    EXPECT_EQ(app.startUp({}), GameApp::StartUp::Ended);
    EXPECT_TRUE(inFolder(elsewhere.path()));
    EXPECT_TRUE(app.state().pictureSetNames.empty());
}

TEST_F(GameAppTest, QuestionMarksShowTheUsageAndNothingElse) {
    writeRecords("ts220.rec", {result("Ann", 100)});
    storeIndices(1, 1);
    for (const char* argument : {"/?", "-?"}) {
        SCOPED_TRACE(argument);
        recorder.boxes.clear();
        recorder.expect();
        GameApp app(programFile(), config.path());
        EXPECT_EQ(app.startUp({argument}), GameApp::StartUp::Ended);
        EXPECT_EQ(recorder.boxes,
                  std::vector<QString>{"app_window_tests|" + QString::fromUtf8(kUsage)});
        EXPECT_TRUE(app.state().layouts.empty());
        EXPECT_TRUE(app.records().entries().empty());
        app.exitActions();
        // Written again, unchanged.
        EXPECT_EQ(test::readFile(inProgram("ts220.cfg")), twoSetConfig());
        EXPECT_EQ(key().queryDword("Layout"), 1);
        EXPECT_EQ(key().queryDword("Pictures"), 1);
    }
}

TEST_F(GameAppTest, OnlyTheFirstArgumentCounts) {
    writeRecords("ts220.rec", {result("Ann", 100), result("Ann", 200)});
    recorder.expect();
    GameApp app(programFile(), config.path());
    EXPECT_EQ(app.startUp({"/?", "/compress"}), GameApp::StartUp::Ended);
    EXPECT_EQ(recorder.boxes.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(inProgram("ts220.rec.bak")));
    EXPECT_EQ(parseRecordsFile(test::readFile(inProgram("ts220.rec"))).entries.size(), 2u);
}

TEST_F(GameAppTest, CompressKeepsEachPlayersBestAfterABackup) {
    // The store names the records file; the backup still has its fixed name.
    RegistryStore stored = key();
    stored.setString("RecordsFile", "mine.rec");
    ASSERT_EQ(stored.flush(), "");
    writeRecords("mine.rec",
                 {result("Ann", 100), result("Bob", 150), result("Ann", 200), result("Ann", 300)});
    const auto before = test::readFile(inProgram("mine.rec"));
    recorder.expect();
    GameApp app(programFile(), config.path());
    EXPECT_EQ(app.startUp({"/compress"}), GameApp::StartUp::Ended);
    EXPECT_EQ(recorder.boxes, std::vector<QString>{"app_window_tests|Compressing OK"});
    EXPECT_EQ(test::readFile(inProgram("ts220.rec.bak")), before);
    const auto after = parseRecordsFile(test::readFile(inProgram("mine.rec")));
    ASSERT_EQ(after.entries.size(), 2u);
    EXPECT_EQ(after.entries[0].playerName, "Ann");
    EXPECT_EQ(after.entries[0].score, 100u);
    EXPECT_EQ(after.entries[1].playerName, "Bob");
    EXPECT_TRUE(app.state().layouts.empty());
}

// A compress that cannot do its work says so in its own words: no result of a game is at stake.
TEST_F(GameAppTest, CompressThatCannotWorkSaysWhatBecameOfTheFile) {
    // No user, root included, may make a file in /sys: the folder is there, the file cannot be.
    if (!std::filesystem::is_directory("/sys/kernel"))
        GTEST_SKIP() << "no /sys to refuse the new file";
    {
        RegistryStore stored = key();
        stored.setString("RecordsFile", "/sys/ts220.rec");
        ASSERT_EQ(stored.flush(), "");
        recorder.expect();
        GameApp app(programFile(), config.path());
        EXPECT_EQ(app.startUp({"/compress"}), GameApp::StartUp::Ended);
    }
    {
        // Damaged: the second entry ends early.
        const std::vector<RecordEntry> entries{result("Ann", 100), result("Bob", 150)};
        auto bytes = serializeRecordsFile(entries);
        bytes.resize(bytes.size() - 3);
        test::writeFile(inProgram("ts220.rec"), bytes);
        RegistryStore stored = key();
        stored.setString("RecordsFile", "ts220.rec");
        ASSERT_EQ(stored.flush(), "");
        recorder.expect();
        GameApp app(programFile(), config.path());
        EXPECT_EQ(app.startUp({"/compress"}), GameApp::StartUp::Ended);
        EXPECT_EQ(test::readFile(inProgram("ts220.rec")), bytes);
    }
    EXPECT_EQ(
        recorder.boxes,
        (std::vector<QString>{
            "app_window_tests|Не удалось создать файл рекордов. Сжимать нечего.",
            "app_window_tests|Файл рекордов повреждён и не сжат. Он оставлен без изменений."}));
}

TEST_F(GameAppTest, AnyOtherArgumentEndsSilently) {
    writeRecords("ts220.rec", {result("Ann", 100), result("Ann", 200)});
    const auto before = test::readFile(inProgram("ts220.rec"));
    // The test's modal answers fail on any box that appears.
    for (const char* argument : {"/COMPRESS", "/help", "compress", "", "/? "}) {
        SCOPED_TRACE(argument);
        GameApp app(programFile(), config.path());
        EXPECT_EQ(app.startUp({argument}), GameApp::StartUp::Ended);
        QCoreApplication::processEvents();
        EXPECT_TRUE(app.state().layouts.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(inProgram("ts220.rec.bak")));
    EXPECT_EQ(test::readFile(inProgram("ts220.rec")), before);
}

TEST_F(GameAppTest, ARunShowsTheMainDialogUntilQuitThenStoresTheSettings) {
    storeIndices(1, 1);
    GameApp app(programFile(), config.path());
    app.setScreenSize([] { return QSize(1024, 768); });
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        MainDialog* dialog = app.mainDialog();
        ASSERT_NE(dialog, nullptr);
        sawDialog = dialog->isVisible();
        EXPECT_EQ(dialog->windowTitle(), "Tessalo 2");
        // The player picks the first layout again before leaving.
        app.state().layoutIndex = 0;
        dialogControl<QPushButton>(*dialog, MainDialog::kQuitButton)->click();
    });
    // Should Quit not work, the test ends instead of hanging.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the main dialog did not close";
        if (app.mainDialog() != nullptr)
            app.mainDialog()->reject();
    });
    guard.start(10000);
    app.run({});
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(app.mainDialog(), nullptr);
    EXPECT_EQ(key().queryDword("Layout"), 0);
    EXPECT_EQ(key().queryDword("Pictures"), 1);
    EXPECT_EQ(test::readFile(inProgram("ts220.cfg")), twoSetConfig());
}

// The choice comes from the store (a value of another size than a DWORD is ignored) and goes
// back to it; each table reads its own file, the clearable one beside the named records file.
TEST_F(GameAppTest, ClearableDeals_StoredChoiceAndTheirOwnRecordsFile) {
    std::filesystem::create_directory(inProgram("recs"));
    writeRecords("recs/mine.rec", {result("Ann", 100)});
    writeRecords("recs/ts220c.rec", {result("Bob", 200), result("Cid", 300)});
    writeRecords("ts220c.rec", {result("Dan", 400)});
    RegistryStore stored = key();
    stored.setString("RecordsFile", "recs/mine.rec");
    stored.setString("ClearableDeals", "1");
    ASSERT_EQ(stored.flush(), "");
    {
        GameApp app(programFile(), config.path());
        ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
        EXPECT_FALSE(app.state().clearableDeals);
        EXPECT_EQ(app.records().entries().size(), 1u);
        ASSERT_EQ(app.clearableRecords().entries().size(), 2u);
        EXPECT_EQ(app.clearableRecords().entries()[0].playerName, "Bob");
        app.state().clearableDeals = true;
        app.exitActions();
    }
    EXPECT_EQ(key().queryDword("ClearableDeals"), 1);
    GameApp app(programFile(), config.path());
    ASSERT_EQ(app.startUp({}), GameApp::StartUp::RunMainDialog);
    EXPECT_TRUE(app.state().clearableDeals);
    app.state().clearableDeals = false;
    app.exitActions();
    EXPECT_EQ(key().queryDword("ClearableDeals"), 0);
}

// Both files are compressed, each backed up under its own name; a missing clearable file is not
// created.
TEST_F(GameAppTest, CompressTreatsBothRecordsFilesEachWithItsBackup) {
    writeRecords("ts220.rec", {result("Ann", 100), result("Ann", 200)});
    writeRecords("ts220c.rec", {result("Bob", 150), result("Bob", 250), result("Ann", 300)});
    const auto before = test::readFile(inProgram("ts220.rec"));
    const auto clearableBefore = test::readFile(inProgram("ts220c.rec"));
    recorder.expect();
    {
        GameApp app(programFile(), config.path());
        EXPECT_EQ(app.startUp({"/compress"}), GameApp::StartUp::Ended);
    }
    EXPECT_EQ(recorder.boxes, std::vector<QString>{"app_window_tests|Compressing OK"});
    EXPECT_EQ(test::readFile(inProgram("ts220.rec.bak")), before);
    EXPECT_EQ(test::readFile(inProgram("ts220c.rec.bak")), clearableBefore);
    EXPECT_EQ(parseRecordsFile(test::readFile(inProgram("ts220.rec"))).entries.size(), 1u);
    const auto clearable = parseRecordsFile(test::readFile(inProgram("ts220c.rec")));
    ASSERT_EQ(clearable.entries.size(), 2u);
    EXPECT_EQ(clearable.entries[0].playerName, "Bob");
    EXPECT_EQ(clearable.entries[0].score, 150u);
    EXPECT_EQ(clearable.entries[1].playerName, "Ann");

    std::filesystem::remove(inProgram("ts220c.rec"));
    std::filesystem::remove(inProgram("ts220c.rec.bak"));
    recorder.expect();
    GameApp app(programFile(), config.path());
    EXPECT_EQ(app.startUp({"/compress"}), GameApp::StartUp::Ended);
    EXPECT_FALSE(std::filesystem::exists(inProgram("ts220c.rec")));
    EXPECT_FALSE(std::filesystem::exists(inProgram("ts220c.rec.bak")));
}

} // namespace
} // namespace tessalo
