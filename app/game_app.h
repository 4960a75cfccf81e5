#pragma once

#include "app/about_dialog.h"
#include "app/app_state.h"
#include "platform/calendar_clock.h"
#include "platform/registry_store.h"
#include "platform/resource_source.h"
#include "records/records_message_boxes.h"
#include "records/records_table.h"

#include <QSize>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tessalo {

class MainDialog;

// The one application object. Start-up makes the program's folder current and reads the
// configuration; then either a command-line request is served, or the layouts and records are
// read and the main dialog runs. The exit actions follow every way start-up can end.
class GameApp {
  public:
    enum class StartUp { RunMainDialog, Ended };

    // `programFile` is the executable's full path, empty when the system could not tell it.
    // The registry store lives in `configFolder`.
    explicit GameApp(std::filesystem::path programFile,
                     std::filesystem::path configFolder = RegistryStore::userConfigFolder());
    GameApp(const GameApp&) = delete;
    GameApp& operator=(const GameApp&) = delete;

    // The whole run. `arguments` are those after the program's name, as the system gave them.
    void run(const std::vector<std::string>& arguments);

    // The steps of a run, apart for tests.
    StartUp startUp(const std::vector<std::string>& arguments);
    // Returns when the dialog is closed; its pages have stored their settings by then.
    void runMainDialog();
    void exitActions();

    // The screen the Game button checks; the primary screen unless a test gives another.
    void setScreenSize(std::function<QSize()> screenSize) { screenSize_ = std::move(screenSize); }

    AppState& state() { return state_; }
    const RecordsTable& records() const { return records_; }
    const RecordsTable& clearableRecords() const { return clearableRecords_; }
    const AboutFrames& aboutFrames() const { return aboutFrames_; }
    // The dialog while it runs, else null.
    MainDialog* mainDialog() const { return mainDialog_; }

  private:
    bool makeProgramFolderCurrent();
    void decodeAboutFrames();
    bool readSettings();
    void serveCommandLine(const std::string& argument);
    bool readLayoutLibrary();

    std::filesystem::path programFile_;
    std::filesystem::path configFolder_;
    std::function<QSize()> screenSize_;
    AppState state_;
    AboutFrames aboutFrames_;
    ResourceSource resourceSource_;
    SystemCalendarClock calendar_;
    RecordsMessageBoxes recordsBoxes_;
    RecordsTable records_{recordsBoxes_};
    RecordsTable clearableRecords_{recordsBoxes_};
    MainDialog* mainDialog_ = nullptr;
};

} // namespace tessalo
