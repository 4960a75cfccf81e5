#include "game/game_window.h"

#include "game/game_button.h"
#include "game/game_commands.h"
#include "game/game_events.h"
#include "game/game_refusals.h"
#include "game/game_window_output.h"
#include "game/layout_validation.h"
#include "game/no_way_out_notice.h"
#include "game/no_way_out_watch.h"
#include "game/pause_overlay.h"
#include "game/tile_window.h"
#include "platform/message_box.h"
#include "platform/pe_module.h"
#include "platform/program_resources.h"
#include "platform/sound_player.h"
#include "skin/clock_window.h"
#include "skin/indicator_window.h"
#include "skin/pictures_module.h"
#include "skin/scaled_picture_loading.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>

namespace tessalo {

namespace {

constexpr const char* kWindowTitle = "Tessalo Game";
constexpr int kStartButton = 0;
constexpr int kPauseButton = 1;
constexpr int kHelpButton = 2;
constexpr int kExitButton = 3;

int buttonSlot(PictureButton button) {
    switch (button) {
    case PictureButton::Start:
        return kStartButton;
    case PictureButton::Pause:
        return kPauseButton;
    case PictureButton::Help:
        return kHelpButton;
    case PictureButton::Exit:
        return kExitButton;
    }
    return kStartButton;
}

QPixmap pixmapOf(const std::optional<QImage>& image, qreal pixelRatio) {
    if (!image)
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(*image);
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

} // namespace

PlayArea playAreaOf(const GameSetup& setup) {
    return setup.fillScreen ? PlayArea::fillingScreen(setup.screenWidth, setup.screenHeight)
                            : PlayArea::centredOn(setup.screenWidth, setup.screenHeight);
}

PictureScale pictureScaleOf(const GameSetup& setup) {
    return playAreaOf(setup).scale().times(setup.devicePixelRatio);
}

GameWindow::GameWindow(GameEnvironment& environment)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      environment_(environment), sound_(std::make_unique<SoundPlayer>()) {
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    setWindowIcon(loadSourceIcon(environment_.resourceSource, kApplicationIconId));
    // Everything is painted by the window itself: the background and the black bands around it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
}

GameWindow::~GameWindow() = default;

bool GameWindow::open(const GameSetup& setup) {
    if (isOpen())
        return false;
    setup_ = setup;
    if (!layoutDefect(setup_.layout).empty()) {
        refuse(layoutDamagedMessage(setup_.layout.nameText()));
        return false;
    }
    auto opened = PeModule::open(setup_.picturesModule);
    if (std::holds_alternative<std::string>(opened)) {
        refuse(picturesModuleUnreadableMessage(setup_.picturesModule));
        return false;
    }
    const PeModule& module = std::get<PeModule>(opened);
    auto read = readPicturesCatalogue(module);
    if (std::holds_alternative<std::string>(read) ||
        std::get<PicturesCatalogue>(read).pictureNames.size() != pictures_.faces.size()) {
        refuse(picturesModuleDamagedMessage(setup_.picturesModule));
        return false;
    }
    const auto& catalogue = std::get<PicturesCatalogue>(read);

    playArea_ = playAreaOf(setup_);
    // The pictures were loaded for the device pixels; carrying the ratio they are drawn 1:1.
    pictures_.setDevicePixelRatio(setup_.devicePixelRatio.factor());
    createButtons(module, catalogue.buttonsPlace);
    {
        const ResourceSourceScope scope(environment_.resourceSource, module);
        clock_ = new ClockWindow(environment_.calendar, this);
        indicator_ = new IndicatorWindow(clock_->digitSet(), this);
        clock_->setScale(playArea_.scale(), setup_.devicePixelRatio);
        indicator_->setScale(playArea_.scale(), setup_.devicePixelRatio);
        clock_->loadSkin(module);
        indicator_->loadSkin(module);
    }
    const PixelPoint clockAt = playArea_.toWindow(clock_->place().x(), clock_->place().y());
    const PixelPoint indicatorAt =
        playArea_.toWindow(indicator_->place().x(), indicator_->place().y());
    clock_->createOwned(QPoint(clockAt.x, clockAt.y));
    indicator_->createOwned(QPoint(indicatorAt.x, indicatorAt.y));
    buttons_[kStartButton]->show();

    LayoutPositions positions;
    for (int i = 0; i < kTileCount; ++i) {
        positions.x[std::size_t(i)] = setup_.layout.x[std::size_t(i)];
        positions.y[std::size_t(i)] = setup_.layout.y[std::size_t(i)];
        positions.z[std::size_t(i)] = setup_.layout.z[std::size_t(i)];
    }
    output_ = std::make_unique<GameWindowOutput>(*this);
    gameState_ = std::make_unique<GameState>(*output_, environment_.calendar, positions);
    gameState_->setClearableDeals(clearableDeals_);
    createTiles(catalogue);
    if (warnNoWayOut_) {
        noWayOutNotice_ = new NoWayOutNotice(playArea_, this);
        if (!noWayOutWatch_)
            noWayOutWatch_ = std::make_unique<NoWayOutWatch>([this] {
                if (noWayOutNotice_ != nullptr)
                    noWayOutNotice_->showOver();
            });
    }
    // Clock and indicator float above everything else of the game.
    clock_->raise();
    indicator_->raise();

    showOnScreen();
    postCommand(GameCommand::start);
    return true;
}

void GameWindow::createButtons(const PeModule& module, const ButtonsPlace& place) {
    std::array<std::array<QPixmap, 2>, 4> images;
    {
        const ResourceSourceScope scope(environment_.resourceSource, module);
        for (auto button : {PictureButton::Exit, PictureButton::Help, PictureButton::Start,
                            PictureButton::Pause}) {
            for (bool down : {false, true}) {
                images[std::size_t(buttonSlot(button))][down] = pixmapOf(
                    loadScaledSourceBitmap(environment_.resourceSource,
                                           buttonBitmapName(button, down), pictureScaleOf(setup_)),
                    setup_.devicePixelRatio.factor());
            }
        }
    }
    const QCursor hand = loadSourceCursor(environment_.resourceSource, kPointingHandCursorId);
    for (std::size_t slot = 0; slot < kPictureButtons.size(); ++slot) {
        const PixelPoint at =
            playArea_.buttonPosition(place.buttons[slot].x, place.buttons[slot].y);
        const int command = GameCommand::start + int(slot);
        auto* button = new GameButton(command, images[slot][0], images[slot][1], this);
        button->move(at.x, at.y);
        button->setCursor(hand);
        // Posted, so that a command (Exit above all) never runs inside the button's own handler.
        connect(button, &QAbstractButton::clicked, this, [this, command] { postCommand(command); });
        if (int(slot) != kStartButton)
            button->show();
        buttons_[slot] = button;
    }
}

void GameWindow::createTiles(const PicturesCatalogue& catalogue) {
    const QPixmap* base = pictures_.base ? &*pictures_.base : nullptr;
    for (int i = 0; i < kTileCount; ++i) {
        const QPixmap* face = &pictures_.faces[catalogue.pictureOfTile[std::size_t(i)]];
        tiles_[std::size_t(i)] = new TileWindow(gameState_->board(), playArea_, i, face, base, this,
                                                setup_.devicePixelRatio);
    }
}

GameButton* GameWindow::button(int command) const {
    const int slot = command - GameCommand::start;
    if (slot < 0 || slot >= int(buttons_.size()))
        return nullptr;
    return buttons_[std::size_t(slot)];
}

void GameWindow::postCommand(int command) {
    QCoreApplication::postEvent(this, new PostedCommandEvent(command));
}

void GameWindow::onCommand(int command) {
    // A command posted before Exit may arrive after it.
    if (!isOpen())
        return;
    switch (command) {
    case GameCommand::start:
        forgetNoWayOut();
        gameState_->deal();
        break;
    case GameCommand::pause:
        pause();
        break;
    case GameCommand::help:
        gameState_->toggleHint();
        break;
    case GameCommand::exit:
        exitGame();
        break;
    default:
        break;
    }
}

bool GameWindow::event(QEvent* event) {
    if (event->type() == kTileClickedEvent) {
        // A click queued while the result of the game is being asked for, or before a pause,
        // belongs to no move.
        if (isOpen() && !endingGame_ && !paused_)
            gameState_->clickTile(static_cast<TileClickedEvent*>(event)->tile());
        return true;
    }
    if (event->type() == kPostedCommandEvent) {
        onCommand(static_cast<PostedCommandEvent*>(event)->command());
        return true;
    }
    return QWidget::event(event);
}

void GameWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const PixelPoint origin = playArea_.origin();
    const QRect area(origin.x, origin.y, playArea_.width(), playArea_.height());
    // Black bands where the screen is larger than the play area.
    const QRegion bands = QRegion(rect()) - QRegion(area);
    for (const QRect& band : bands)
        painter.fillRect(band, Qt::black);
    // At its own size: a background larger than the play area is cut, never scaled, and a
    // fractional device pixel ratio cannot stretch it by a pixel.
    if (!pictures_.background.isNull()) {
        painter.setClipRect(area);
        painter.drawPixmap(area.topLeft(), pictures_.background);
    }
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isOpen() && gameState_->hintShown())
        gameState_->clearHint();
    QWidget::mousePressEvent(event);
}

void GameWindow::closeEvent(QCloseEvent* event) {
    // A close from outside (window manager, Alt+F4) leaves the game as Exit does, so the main
    // dialog never stays hidden.
    event->ignore();
    if (isOpen())
        exitGame();
}

void GameWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isOpen()) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = change->oldState() & Qt::WindowMinimized;
        // Back on screen the clock starts a new run, as it does whenever its owner reopens; a
        // pause shown inside the window stays until the player ends it.
        if (wasMinimized && !(windowState() & Qt::WindowMinimized) && isVisible() &&
            !isPausedInWindow()) {
            if (paused_)
                playOn();
            else
                clock_->resumeRun();
        }
    }
    QWidget::changeEvent(event);
}

bool GameWindow::isPausedInWindow() const {
    return pauseOverlay_ != nullptr && pauseOverlay_->isVisible();
}

void GameWindow::pause() {
    // Pause again plays on where the pause is shown in the window.
    if (isPausedInWindow()) {
        playOn();
        return;
    }
    if (paused_)
        return;
    if (noWayOutWatch_)
        noWayOutWatch_->hold();
    clock_->stop();
    paused_ = true;
    if (environment_.trayAvailable && environment_.trayAvailable()) {
        pauseIntoTray();
        return;
    }
    // Minimizing cannot be relied on (no window manager, or one that never reports it), so the
    // game waits inside its own window, the board covered and the clock still in view.
    if (pauseOverlay_ == nullptr)
        pauseOverlay_ = new PauseOverlay([this] { playOn(); }, this);
    pauseOverlay_->cover({buttons_[kPauseButton], clock_, indicator_});
}

void GameWindow::pauseIntoTray() {
    showMinimized();
    trayIcon_ =
        std::make_unique<QSystemTrayIcon>(loadSourceIcon(environment_.resourceSource, kTrayIconId));
    trayIcon_->setToolTip(QString::fromLatin1(kWindowTitle));
    connect(trayIcon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // Only the left button's press restores; other clicks on the icon do nothing.
                if (reason == QSystemTrayIcon::Trigger)
                    restoreFromTray();
            });
    trayIcon_->show();
    hide();
}

void GameWindow::restoreFromTray() {
    if (!trayIcon_)
        return;
    trayIcon_->hide();
    trayIcon_.release()->deleteLater();
    showOnScreen();
    playOn();
}

// The one way out of a pause, so the clock resumes exactly once and counts none of it.
void GameWindow::playOn() {
    if (!paused_)
        return;
    paused_ = false;
    if (isPausedInWindow()) {
        pauseOverlay_->hide();
        // Back to the bottom of the stacking order, beneath the tiles again.
        buttons_[kPauseButton]->lower();
    }
    clock_->resumeRun();
    if (noWayOutWatch_)
        noWayOutWatch_->resume();
}

void GameWindow::showOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint topLeft = screen ? screen->geometry().topLeft() : QPoint();
    // Without a window manager full screen alone may leave a small window.
    setGeometry(QRect(topLeft, QSize(setup_.screenWidth, setup_.screenHeight)));
    showFullScreen();
    setGeometry(QRect(topLeft, QSize(setup_.screenWidth, setup_.screenHeight)));
    raise();
    activateWindow();
}

void GameWindow::exitGame() {
    forgetNoWayOut();
    delete noWayOutNotice_;
    noWayOutNotice_ = nullptr;
    delete indicator_;
    indicator_ = nullptr;
    delete clock_;
    clock_ = nullptr;
    for (int slot : {kExitButton, kStartButton, kHelpButton, kPauseButton}) {
        delete buttons_[std::size_t(slot)];
        buttons_[std::size_t(slot)] = nullptr;
    }
    for (int i = kTileCount - 1; i >= 0; --i) {
        delete tiles_[std::size_t(i)];
        tiles_[std::size_t(i)] = nullptr;
    }
    gameState_.reset();
    output_.reset();
    if (trayIcon_)
        trayIcon_.reset();
    delete pauseOverlay_;
    pauseOverlay_ = nullptr;
    paused_ = false;
    pictures_.releaseBitmaps();
    if (environment_.showMainWindow)
        environment_.showMainWindow();
    hide();
}

void GameWindow::endGame() {
    // No answer may turn up under the result of the game.
    forgetNoWayOut();
    endingGame_ = true;
    clock_->stop();
    GameResult result;
    result.remains = indicator_->remaining();
    result.seconds = clock_->shownSeconds();
    result.hints = gameState_->hintsUsed();
    result.picturesName = setup_.pictureSetName;
    result.layoutName = setup_.layout.nameText();
    result.provenClearableDeal = gameState_->dealProvenClearable();
    const int next = environment_.endOfGame ? environment_.endOfGame(result) : GameCommand::start;
    endingGame_ = false;
    postCommand(next == GameCommand::exit ? GameCommand::exit : GameCommand::start);
}

void GameWindow::playPairSound() {
    if (pictures_.okSound)
        sound_->play(*pictures_.okSound);
}

void GameWindow::watchForNoWayOut() {
    // A board with no way out keeps none whatever is taken from it: the notice stays unasked.
    if (noWayOutWatch_ && noWayOutNotice_ != nullptr && noWayOutNotice_->isHidden())
        noWayOutWatch_->check(boardPosition(gameState_->board(), gameState_->dealOrder()));
}

void GameWindow::forgetNoWayOut() {
    if (noWayOutWatch_)
        noWayOutWatch_->cancel();
    if (noWayOutNotice_ != nullptr)
        noWayOutNotice_->hide();
}

void GameWindow::refuse(const QString& message) {
    showWarning(parentWidget(), message);
}

} // namespace tessalo
