#include "tests/game/game_window_fixture.h"

#include "game/deal_random.h"
#include "game/game_events.h"
#include "game/picture_set_loading.h"

namespace tessalo {

std::optional<std::uint32_t> findDealWithoutMove(const LayoutRecord& layout, std::uint32_t first,
                                                 int count) {
    for (std::uint32_t seed = first; seed < first + std::uint32_t(count); ++seed) {
        const auto order = dealOrderForSeed(seed);
        Board board;
        for (std::size_t position = 0; position < order.size(); ++position)
            board.place(order[position], layout.x[position], layout.y[position],
                        layout.z[position]);
        for (int tile = 0; tile < kTileCount; ++tile)
            board.setOnBoard(tile, true);
        if (!board.hasMove())
            return seed;
    }
    return std::nullopt;
}

void GameWindowTest::openGame(const LayoutRecord& layout, int width, int height, bool fillScreen) {
    const auto game = setup(layout, width, height, fillScreen);
    if (damageSet)
        test::writeFile(game.picturesModule, moduleBytesWith(pictureSet.content(), damageSet));
    else
        writeModuleFile(game.picturesModule, pictureSet.content());
    ASSERT_FALSE(loadPictureSet(game.picturesModule, window->soundOn(), window->pictures(), {},
                                pictureScaleOf(game)));
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
