#include "app/main_dialog.h"

#include "app/app_state.h"
#include "app/page_tabs.h"
#include "app/settings_tab.h"
#include "app/usage_box.h"
#include "game/game_commands.h"
#include "game/game_launch.h"
#include "platform/dialog_builder.h"
#include "platform/message_box.h"
#include "platform/program_resources.h"
#include "records/end_of_game.h"
#include "records/records_message_boxes.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QWindow>

#include <array>

namespace tessalo {

namespace {

using Kind = ControlKind;

constexpr std::array<DialogControl, 3> kControls = {{
    {MainDialog::kGameButton, Kind::PushButton, "Game", {79, 154, 50, 21}, kTabStop},
    {MainDialog::kTabControl, Kind::TabControl, "", {2, 2, 302, 142}, kTabStop},
    {MainDialog::kQuitButton, Kind::PushButton, "Quit", {164, 154, 50, 21}, kTabStop},
}};

constexpr DialogTemplate kTemplate{"Tessalo 2", 305, 181, kControls};

constexpr int kLeastScreenWidth = 800;
constexpr int kLeastScreenHeight = 600;

const char* const kNoPicturesText = "Проинсталируйте картинки.";
const char* const kSmallScreenText = "800 x 600 хочу.";
const char* const kNoLayoutText =
    "Нет ни одной раскладки. Добавьте раскладку кнопкой «Add...» в группе «Layout». "
    "Игра не начата.";
const char* const kGameTip = "Начало игры";
const char* const kAboutItemText = "About Tessalo2 ...";

} // namespace

MainDialog::MainDialog(const MainDialogServices& services, bool picturesInstalled)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      services_(services), environment_{
                               services_.calendar, services_.resourceSource,
                               [this](const GameResult& result) { return endOfGame(result); },
                               [this] { showAgain(); },
                               [] { return QSystemTrayIcon::isSystemTrayAvailable(); }},
      gameWindow_(std::make_unique<GameWindow>(environment_)),
      picturesInstalled_(picturesInstalled) {
    buildDialog(*this, kTemplate, [this](int id) { onCommand(id); });
    buildSystemMenu();
    setWindowIcon(loadSourceIcon(services_.resourceSource, kApplicationIconId));

    pageTabs_ = new PageTabs(*dialogControl<QTabWidget>(*this, kTabControl), services_.state,
                             services_.records, services_.configFolder);
    pageTabs_->setClearableRecords(services_.clearableRecords);
    pageTabs_->showSelectedPage();
    if (!picturesInstalled_ && pageTabs_->settingsTab() != nullptr)
        pageTabs_->settingsTab()->scanPictureModules();

    dialogControl(*this, kGameButton)->setToolTip(QString::fromUtf8(kGameTip));

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { showUsage(this); });
    auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { openSystemMenu(mapToGlobal(QPoint(0, 0))); });
}

// The game window goes first: its end-of-game sequence reaches into the pages.
MainDialog::~MainDialog() {
    gameWindow_.reset();
}

void MainDialog::buildSystemMenu() {
    systemMenu_ = new QMenu(this);
    systemMenu_->setObjectName(QStringLiteral("system menu"));
    const auto add = [this](const char* text, int command) {
        QAction* action = systemMenu_->addAction(QString::fromLatin1(text));
        action->setData(command);
        connect(action, &QAction::triggered, this, [this, command] { onSystemCommand(command); });
        return action;
    };
    QAction* restore = add("&Restore", kRestoreCommand);
    add("&Move", kMoveCommand);
    add("&Size", kSizeCommand);
    QAction* minimize = add("Mi&nimize", kMinimizeCommand);
    add("Ma&ximize", kMaximizeCommand);
    systemMenu_->addSeparator();
    add("&Close\tAlt+F4", kCloseCommand);
    // The dialog has a fixed size: its Size and Maximize items stay greyed.
    systemMenu_->actions().at(2)->setEnabled(false);
    systemMenu_->actions().at(4)->setEnabled(false);
    systemMenu_->addSeparator();
    add(kAboutItemText, kAboutCommand);
    connect(systemMenu_, &QMenu::aboutToShow, this, [this, restore, minimize] {
        restore->setEnabled(isMinimized());
        minimize->setEnabled(!isMinimized());
    });
}

void MainDialog::openSystemMenu(const QPoint& globalPosition) {
    systemMenu_->popup(globalPosition);
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
    openSystemMenu(event->globalPos());
    event->accept();
}

void MainDialog::onCommand(int id) {
    if (id == kGameButton)
        startGame();
    else if (id == kQuitButton)
        reject();
}

void MainDialog::onSystemCommand(int id) {
    if ((id & ~0xF) == kAboutCommand) {
        runAbout();
        return;
    }
    switch (id) {
    case kRestoreCommand:
        showNormal();
        break;
    case kMoveCommand:
        if (windowHandle() != nullptr)
            windowHandle()->startSystemMove();
        break;
    case kMinimizeCommand:
        showMinimized();
        break;
    case kCloseCommand:
        reject();
        break;
    default:
        break;
    }
}

void MainDialog::startGame() {
    // The sound choice reaches the game window even when no game starts.
    if (SettingsTab* settings = pageTabs_->settingsTab())
        gameWindow_->setSoundOn(settings->soundOn());
    gameWindow_->setWarnNoWayOut(services_.state.warnNoWayOut);
    gameWindow_->setClearableDeals(services_.state.clearableDeals);
    const AppState& state = services_.state;
    const std::string* moduleFile = state.currentPictureModuleFile();
    if (state.pictureSetNames.empty() || moduleFile == nullptr) {
        showWarning(this, QString::fromUtf8(kNoPicturesText));
        return;
    }
    const QSize screen = services_.screenSize();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const PictureScale pixelRatio =
        PictureScale::nearestTo(primary != nullptr ? primary->devicePixelRatio() : 1.0);
    // The least screen is counted in device pixels: a HiDPI screen whose scaled size is smaller
    // than the play area still shows all of it, shrunk to fit.
    const bool shrunk = screen.width() < kLeastScreenWidth || screen.height() < kLeastScreenHeight;
    if (pixelRatio.of(screen.width()) < kLeastScreenWidth ||
        pixelRatio.of(screen.height()) < kLeastScreenHeight) {
        showWarning(this, QString::fromUtf8(kSmallScreenText));
        return;
    }
    const LayoutRecord* layout = state.currentLayout();
    if (layout == nullptr) {
        showWarning(this, QString::fromUtf8(kNoLayoutText));
        return;
    }
    GameSetup setup;
    // Named without a folder: the module lies in the program's folder, or is a shipped one.
    setup.picturesModule = locateModuleFile(state.folders, *moduleFile);
    setup.layout = *layout;
    setup.pictureSetName = *state.currentPictureSetName();
    setup.screenWidth = screen.width();
    setup.screenHeight = screen.height();
    setup.fillScreen = state.fillScreen || shrunk;
    setup.devicePixelRatio = pixelRatio;
    launchGame(this, *gameWindow_, setup);
}

int MainDialog::endOfGame(const GameResult& result) {
    // A deal the search could not prove is an ordinary deal, and ranks with them.
    if (result.provenClearableDeal && services_.clearableRecords == nullptr)
        return GameCommand::start;
    RecordsTable& table =
        result.provenClearableDeal ? *services_.clearableRecords : services_.records;
    EndOfGameContext context{table,
                             &services_.recordsBoxes,
                             services_.state.lastPlayerName,
                             services_.calendar,
                             gameWindow_.get(),
                             [this] { pageTabs_->refillRecords(); }};
    return runEndOfGame(result, context);
}

void MainDialog::showAgain() {
    show();
    raise();
    activateWindow();
}

void MainDialog::runAbout() {
    AboutDialog about(services_.aboutFrames, this);
    about.exec();
}

} // namespace tessalo
