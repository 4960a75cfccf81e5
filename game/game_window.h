#pragma once

#include "game/game_result.h"
#include "game/game_state.h"
#include "game/layout_record.h"
#include "game/loaded_pictures.h"
#include "game/play_area.h"
#include "platform/resource_source.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSystemTrayIcon;

namespace tessalo {

class ClockWindow;
class GameButton;
class GameWindowOutput;
class IndicatorWindow;
class NoWayOutNotice;
class NoWayOutWatch;
class PauseOverlay;
class SoundPlayer;
class TileWindow;

// What the game window uses for the whole run of the program.
struct GameEnvironment {
    const CalendarClock& calendar;
    ResourceSource& resourceSource;
    // Shows the result, stores a record and returns the command that follows (start or exit).
    std::function<int(const GameResult&)> endOfGame;
    // The main dialog comes back when the game is left.
    std::function<void()> showMainWindow;
    std::function<bool()> trayAvailable;
};

// The game chosen in the main dialog.
struct GameSetup {
    std::filesystem::path picturesModule;
    LayoutRecord layout;
    std::string pictureSetName; // code page 1251
    int screenWidth = 0;
    int screenHeight = 0;
    // The play area enlarged to the screen instead of 800 × 600 between black bands.
    bool fillScreen = false;
    // Device pixels per pixel of the screen's size above (above 1 on a HiDPI screen).
    PictureScale devicePixelRatio;
};

// Where the game of `setup` is drawn, in the screen's (logical) pixels.
PlayArea playAreaOf(const GameSetup& setup);
// The scale its pictures are loaded at: the play area's in device pixels, so they are drawn 1:1.
PictureScale pictureScaleOf(const GameSetup& setup);

// The full-screen window a game is played in. The object lives as long as the main dialog; its
// buttons, clock, indicator and tiles exist while a game is on screen.
class GameWindow final : public QWidget {
  public:
    explicit GameWindow(GameEnvironment& environment);
    ~GameWindow() override;

    // Filled by the loading dialog before `open`.
    LoadedPictures& pictures() { return pictures_; }
    bool soundOn() const { return soundOn_; }
    void setSoundOn(bool on) { soundOn_ = on; }
    // Whether the solver looks at the board after each pair; taken up by the next `open`.
    void setWarnNoWayOut(bool on) { warnNoWayOut_ = on; }
    // For the games opened from now on.
    void setClearableDeals(bool on) { clearableDeals_ = on; }

    // Builds everything from the set's module and posts the first deal. False, after telling the
    // player why, when the module no longer gives what the loaded pictures need.
    bool open(const GameSetup& setup);
    bool isOpen() const { return gameState_ != nullptr; }
    void onCommand(int command);
    void postCommand(int command);

    const PlayArea& playArea() const { return playArea_; }
    GameState* gameState() { return gameState_.get(); }
    TileWindow* tile(int index) const { return tiles_[std::size_t(index)]; }
    GameButton* button(int command) const;
    ClockWindow* clock() const { return clock_; }
    IndicatorWindow* indicator() const { return indicator_; }
    bool isPaused() const { return paused_; }
    // Where there is no notification area, the pause is shown inside the window.
    bool isPausedInWindow() const;
    // The notification-area icon while paused; a left-button press on it restores the game.
    QSystemTrayIcon* trayIcon() const { return trayIcon_.get(); }
    // Both none while the warning is off.
    NoWayOutNotice* noWayOutNotice() const { return noWayOutNotice_; }
    const NoWayOutWatch* noWayOutWatch() const { return noWayOutWatch_.get(); }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    friend class GameWindowOutput;

    void createButtons(const class PeModule& module, const struct ButtonsPlace& place);
    void createTiles(const struct PicturesCatalogue& catalogue);
    void pause();
    void pauseIntoTray();
    void restoreFromTray();
    void playOn();
    void exitGame();
    void endGame();
    void playPairSound();
    void watchForNoWayOut();
    void forgetNoWayOut();
    void showOnScreen();
    void refuse(const QString& message);

    GameEnvironment& environment_;
    GameSetup setup_;
    PlayArea playArea_;
    LoadedPictures pictures_;
    bool soundOn_ = true;
    bool clearableDeals_ = false;
    std::array<GameButton*, 4> buttons_{}; // Start, Pause, Help, Exit
    ClockWindow* clock_ = nullptr;
    IndicatorWindow* indicator_ = nullptr;
    std::array<TileWindow*, kTileCount> tiles_{};
    std::unique_ptr<GameWindowOutput> output_;
    std::unique_ptr<GameState> gameState_;
    std::unique_ptr<QSystemTrayIcon> trayIcon_;
    PauseOverlay* pauseOverlay_ = nullptr;
    std::unique_ptr<SoundPlayer> sound_;
    bool paused_ = false;
    bool endingGame_ = false;
    bool warnNoWayOut_ = false;
    NoWayOutNotice* noWayOutNotice_ = nullptr;
    std::unique_ptr<NoWayOutWatch> noWayOutWatch_;
};

} // namespace tessalo
