#include "tests/game/game_window_fixture.h"

#include "game/game_events.h"
#include "game/picture_set_loading.h"

namespace tessalo {

void GameWindowTest::openGame(const LayoutRecord& layout, int width, int height) {
    const auto game = setup(layout, width, height);
    writeModuleFile(game.picturesModule, pictureSet.content());
    ASSERT_FALSE(loadPictureSet(game.picturesModule, window->soundOn(), window->pictures(), {}));
    ASSERT_TRUE(window->open(game));
    run();
}

void GameWindowTest::clickTile(int tile) {
    QCoreApplication::postEvent(window.get(), new TileClickedEvent(tile));
    run();
}

int GameWindowTest::firstFreeTileOfGroupOtherThan(int group, int except) const {
    const Board& board = window->gameState()->board();
    for (int tile = 4 * group; tile < 4 * group + 4; ++tile) {
        if (tile != except && board.tile(tile).onBoard && !board.isBlocked(tile))
            return tile;
    }
    return kNoTile;
}

} // namespace tessalo
