// tessalo-preview: a layout and a picture set on screen as a game shows them, for authors checking
// their work and for the README's screenshots. Deals a fixed game, takes away some pairs a player
// could take, and either stays until closed or quits after a while.
#include "app/layout_library.h"
#include "game/game_commands.h"
#include "game/game_window.h"
#include "game/picture_set_loading.h"
#include "game/tile_window.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <string>

namespace tessalo {
namespace {

// Takes away up to `pairs` pairs of free tiles, as a player would, through the rules.
void removePairs(GameWindow& window, int pairs) {
    GameState& state = *window.gameState();
    for (int done = 0; done < pairs; ++done) {
        bool found = false;
        for (int group = 0; group < kGroupCount && !found; ++group) {
            int first = kNoTile;
            for (int tile = 4 * group; tile < 4 * group + 4 && !found; ++tile) {
                const TileState& placed = state.board().tile(tile);
                if (!placed.onBoard || state.board().isBlocked(tile))
                    continue;
                if (first == kNoTile) {
                    first = tile;
                } else {
                    state.clickTile(first);
                    state.clickTile(tile);
                    found = true;
                }
            }
        }
        if (!found)
            return;
    }
}

int usage() {
    std::fprintf(stderr, "usage: tessalo-preview PICTURES.tsp LIBRARY.tsl LAYOUT-INDEX [--pairs N] "
                         "[--seed S] [--select] [--quit-after SECONDS]\n");
    return 2;
}

} // namespace
} // namespace tessalo

int main(int argc, char** argv) {
    using namespace tessalo;
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return usage();
    int pairs = 20;
    std::int64_t seed = 20261209;
    int quitAfter = 0;
    bool select = false;
    for (int i = 4; i < args.size(); ++i) {
        if (args[i] == "--pairs" && i + 1 < args.size())
            pairs = args[++i].toInt();
        else if (args[i] == "--seed" && i + 1 < args.size())
            seed = args[++i].toLongLong();
        else if (args[i] == "--quit-after" && i + 1 < args.size())
            quitAfter = args[++i].toInt();
        else if (args[i] == "--select")
            select = true;
        else
            return usage();
    }
    const auto library = loadLayoutLibrary(args[2].toStdString());
    const int index = args[3].toInt();
    if (!library.opened || index < 0 || index >= int(library.contents.layouts.size())) {
        std::fprintf(stderr, "tessalo-preview: no layout %d in %s\n", index,
                     args[2].toLocal8Bit().constData());
        return 1;
    }

    FixedCalendarClock calendar(seed);
    ResourceSource source;
    GameEnvironment environment{calendar, source,
                                [](const GameResult&) { return GameCommand::start; },
                                [&app] { app.quit(); }, [] { return false; }};
    GameWindow window(environment);
    GameSetup setup;
    setup.picturesModule = args[1].toStdString();
    setup.layout = library.contents.layouts[std::size_t(index)];
    setup.pictureSetName = "Preview";
    const QSize screen = app.primaryScreen()->size();
    setup.screenWidth = screen.width();
    setup.screenHeight = screen.height();
    if (auto refusal = loadPictureSet(setup.picturesModule, false, window.pictures(), {})) {
        showWarning(nullptr, *refusal);
        return 1;
    }
    if (!window.open(setup))
        return 1;
    QCoreApplication::processEvents();
    removePairs(window, pairs);
    if (select) {
        for (int tile = 0; tile < kTileCount; ++tile) {
            if (window.gameState()->board().tile(tile).onBoard &&
                !window.gameState()->board().isBlocked(tile)) {
                window.gameState()->clickTile(tile);
                break;
            }
        }
    }
    if (quitAfter > 0)
        QTimer::singleShot(quitAfter * 1000, &app, &QApplication::quit);
    return app.exec();
}
