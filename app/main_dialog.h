#pragma once

#include "app/about_dialog.h"
#include "game/game_window.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <memory>

class QMenu;

namespace tessalo {

struct AppState;
class CalendarClock;
class PageTabs;
class RecordsMessageBoxes;
class RecordsTable;
class ResourceSource;

// What the main dialog works with; all of it outlives the dialog.
struct MainDialogServices {
    AppState& state;
    RecordsTable& records;
    RecordsMessageBoxes& recordsBoxes;
    const AboutFrames& aboutFrames;
    const CalendarClock& calendar;
    ResourceSource& resourceSource;
    // The primary screen's size in pixels.
    std::function<QSize()> screenSize;
    // Where the records page keeps its column widths and filter.
    std::filesystem::path configFolder;
    // The records of games dealt proven clearable; without it such results are not stored.
    RecordsTable* clearableRecords = nullptr;
};

// "Tessalo 2": the settings and records pages, the Game button that opens the full-screen game,
// and Quit. Hidden while a game is on screen; the game window shows it again when it is left.
class MainDialog final : public QDialog {
  public:
    static constexpr int kGameButton = 32772;
    static constexpr int kQuitButton = 2;
    static constexpr int kTabControl = 1021;
    // The system menu's own item; any id with 16 in all but its low four bits opens the box.
    static constexpr int kAboutCommand = 16;
    // The standard items of the system menu, by the system's command ids.
    static constexpr int kRestoreCommand = 0xF120;
    static constexpr int kMoveCommand = 0xF010;
    static constexpr int kSizeCommand = 0xF000;
    static constexpr int kMinimizeCommand = 0xF020;
    static constexpr int kMaximizeCommand = 0xF030;
    static constexpr int kCloseCommand = 0xF060;

    // Without an installed picture set the settings page looks for sets in the program's folder.
    MainDialog(const MainDialogServices& services, bool picturesInstalled);
    ~MainDialog() override;

    bool picturesInstalled() const { return picturesInstalled_; }
    void onCommand(int id);
    void onSystemCommand(int id);
    void openSystemMenu(const QPoint& globalPosition);
    // What the game window runs when a game is over: the result, perhaps a record, and the
    // game window's command that follows.
    int endOfGame(const GameResult& result);

    QMenu& systemMenu() const { return *systemMenu_; }
    PageTabs& pageTabs() const { return *pageTabs_; }
    GameWindow& gameWindow() const { return *gameWindow_; }

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void buildSystemMenu();
    void startGame();
    void showAgain();
    void runAbout();

    MainDialogServices services_;
    GameEnvironment environment_;
    std::unique_ptr<GameWindow> gameWindow_;
    PageTabs* pageTabs_ = nullptr;
    QMenu* systemMenu_ = nullptr;
    bool picturesInstalled_ = false;
};

} // namespace tessalo
