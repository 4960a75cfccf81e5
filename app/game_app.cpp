#include "app/game_app.h"

#include "app/config_file.h"
#include "app/layout_library.h"
#include "app/main_dialog.h"
#include "app/usage_box.h"
#include "platform/message_box.h"
#include "platform/program_resources.h"
#include "platform/registry_settings.h"
#include "records/records_compress.h"
#include "skin/asc_bitmap_loader.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>

#include <cstdlib>
#include <filesystem>
#include <span>

namespace tessalo {

namespace {

const char* const kNoProgramPathText = "Ошибка инициализации приложения";
const char* const kConfigUnreadableText = "Ошибка чтения .cfg файла";
const char* const kNoLayoutLibraryText = "Не найден файл ts.tsl";
// A damaged library without one complete layout is left as it is for the player to mend, where
// an import would overwrite it.
const char* const kEmptyLayoutLibraryText = "В файле ts220.tsl нет ни одной раскладки.";

QSize primaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize();
}

QPixmap decodeProgramFrame(const char* fileName) {
    const auto bytes = programResourceBytes(QString::fromLatin1(fileName));
    if (!bytes)
        return {};
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->constData());
    const auto image = imageFromAscBitmap(std::span(data, std::size_t(bytes->size())));
    return image ? QPixmap::fromImage(*image) : QPixmap();
}

// An index outside its list falls back to the first entry.
void keepInRange(std::int32_t& index, std::size_t count) {
    if (index < 0 || std::size_t(index) >= count)
        index = 0;
}

} // namespace

GameApp::GameApp(std::filesystem::path programFile, std::filesystem::path configFolder)
    : programFile_(std::move(programFile)), configFolder_(std::move(configFolder)),
      screenSize_(primaryScreenSize) {}

void GameApp::run(const std::vector<std::string>& arguments) {
    if (startUp(arguments) == StartUp::RunMainDialog)
        runMainDialog();
    exitActions();
}

GameApp::StartUp GameApp::startUp(const std::vector<std::string>& arguments) {
    if (programFile_.empty()) {
        showWarning(nullptr, QString::fromUtf8(kNoProgramPathText));
        return StartUp::Ended;
    }
    if (!makeProgramFolderCurrent())
        return StartUp::Ended;
    // What the game window's class carried: the program's icon on every window.
    QApplication::setWindowIcon(loadSourceIcon(resourceSource_, kApplicationIconId));
    decodeAboutFrames();
    if (!readSettings())
        return StartUp::Ended;
    if (!arguments.empty()) {
        serveCommandLine(arguments.front());
        return StartUp::Ended;
    }
    keepInRange(state_.picturesIndex, state_.pictureSetNames.size());
    if (!readLayoutLibrary())
        return StartUp::Ended;
    keepInRange(state_.layoutIndex, state_.layouts.size());
    records_.load(true);
    clearableRecords_.load(true);
    return StartUp::RunMainDialog;
}

bool GameApp::makeProgramFolderCurrent() {
    const std::filesystem::path executableFolder = programFile_.parent_path();
    std::error_code error;
    std::filesystem::current_path(executableFolder, error);
    if (error)
        return false;
    // An installed game that no player can write keeps each player's files in a folder of their
    // own.
    ProgramFolders folders = chooseProgramFolders(
        executableFolder, isWritableFolder,
        perUserFolderFromEnvironment(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    if (folders.perUser()) {
        const bool made = seedPerUserFolder(folders);
        if (made)
            std::filesystem::current_path(folders.current, error);
        // Without a folder of its own the game still plays where it is installed.
        if (!made || error)
            folders = {executableFolder, {}};
    }
    state_.folders = std::move(folders);
    return true;
}

void GameApp::decodeAboutFrames() {
    aboutFrames_.first = decodeProgramFrame("krab_1.asc");
    aboutFrames_.second = decodeProgramFrame("krab_2.asc");
}

bool GameApp::readSettings() {
    // A damaged file still hands over its complete entries, which the exit actions keep.
    if (!readConfig(kConfigFileName, state_.pictureSetNames, state_.pictureModuleFiles).ok) {
        showWarning(nullptr, QString::fromUtf8(kConfigUnreadableText));
        return false;
    }
    const RegistryStore key = RegistryStore::openKey(kRegistryKey, configFolder_);
    const RegistrySettings settings = readRegistrySettings(key);
    state_.layoutIndex = settings.layoutIndex;
    state_.picturesIndex = settings.picturesIndex;
    state_.warnNoWayOut = settings.warnNoWayOut;
    state_.fillScreen = settings.fillScreen;
    state_.clearableDeals = settings.clearableDeals;
    if (settings.recordsFile)
        records_.setFileName(*settings.recordsFile);
    clearableRecords_.setFileName(clearableRecordsFileName(records_.fileName()));
    return true;
}

void GameApp::serveCommandLine(const std::string& argument) {
    if (argument == "/?" || argument == "-?") {
        showUsage(nullptr);
    } else if (argument == "/compress") {
        recordsBoxes_.setOperation(RecordsOperation::Compressing);
        const CompressResult result = compressRecords(records_);
        // The clearable deals' file is compressed only where one exists: the command creates none.
        CompressResult clearable;
        if (std::filesystem::exists(clearableRecords_.fileName()))
            clearable = compressRecords(clearableRecords_,
                                        clearableRecordsFileName(records_.fileName()) + ".bak");
        if (result.compressed || clearable.compressed)
            showWarning(nullptr, QString::fromUtf8(kCompressingOkText));
    }
    // Any other argument ends the program without a word.
}

bool GameApp::readLayoutLibrary() {
    LayoutLibraryLoad library = loadLayoutLibrary(kLayoutLibraryFileName);
    if (!library.opened) {
        showWarning(nullptr, QString::fromUtf8(kNoLayoutLibraryText));
        return false;
    }
    // A damaged library still gives the layouts that were complete before the damage. A whole
    // library may be empty: the player can add a layout in the main dialog.
    if (library.contents.layouts.empty() && !library.contents.damage.empty()) {
        showWarning(nullptr, QString::fromUtf8(kEmptyLayoutLibraryText));
        return false;
    }
    state_.layouts = std::move(library.contents.layouts);
    return true;
}

void GameApp::runMainDialog() {
    const MainDialogServices services{state_,       records_,      recordsBoxes_,
                                      aboutFrames_, calendar_,     resourceSource_,
                                      screenSize_,  configFolder_, &clearableRecords_};
    MainDialog dialog(services, !state_.pictureSetNames.empty());
    mainDialog_ = &dialog;
    // Not QDialog::exec: its loop would end when the dialog hides for a game. Nor may the last
    // window's closing end it: a box closed while the dialog is hidden is no reason to stop.
    QApplication::setQuitOnLastWindowClosed(false);
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    loop.exec();
    mainDialog_ = nullptr;
}

void GameApp::exitActions() {
    // Opened afresh: the records page has written its own values to the key meanwhile.
    RegistryStore key = RegistryStore::openKey(kRegistryKey, configFolder_);
    storeWarnNoWayOut(key, state_.warnNoWayOut);
    // Stored only once the player has turned it on, so the store of a player who never did stays
    // as it always was.
    if (state_.fillScreen || key.queryDword(kFillScreenValue))
        setFillScreen(key, state_.fillScreen);
    setClearableDealsSetting(key, state_.clearableDeals);
    writeRegistrySettings(key, state_.layoutIndex, state_.picturesIndex);
    writeConfig(kConfigFileName, state_.pictureSetNames, state_.pictureModuleFiles);
}

} // namespace tessalo
