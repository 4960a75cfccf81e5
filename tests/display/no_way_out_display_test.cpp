#include "game/deal_random.h"
#include "game/game_button.h"
#include "game/no_way_out_notice.h"
#include "game/no_way_out_watch.h"
#include "tests/display/real_input.h"
#include "tests/game/game_window_fixture.h"
#include "tests/support/no_way_out_layout.h"

#include <gtest/gtest.h>

namespace tessalo::display {
namespace {

// A point of the widget where no tile lies over it: the layout's upper layer overlaps.
std::optional<QPoint> uncoveredPointOf(const QWidget& target, const QRect& within = QRect()) {
    for (int y = 4; y < target.height(); y += 4) {
        for (int x = 4; x < target.width(); x += 4) {
            const QPoint at = target.mapToGlobal(QPoint(x, y));
            if ((within.isNull() || within.contains(at)) && QApplication::widgetAt(at) == &target)
                return at;
        }
    }
    return std::nullopt;
}

class NoWayOutOnScreen : public GameWindowTest {
  protected:
    void takePair(int first, int second) {
        click(uncoveredPointOf(*window->tile(first)).value());
        click(uncoveredPointOf(*window->tile(second)).value());
        ASSERT_TRUE(waitUntil([&] { return window->tile(second)->isHidden(); }))
            << "pair " << first << ", " << second;
    }
};

// The notice is drawn over the play area, and a real click where it lies over a tile takes the
// tile.
TEST_F(NoWayOutOnScreen, TheNoticeIsShownAndLetsClicksThroughToTheTiles) {
    window->setWarnNoWayOut(true);
    openGame(crossedPilesLayout(dealOrderForSeed(std::uint32_t(calendar.seconds))), 1024, 768);
    ASSERT_TRUE(waitUntil([&] { return window->isVisible(); }));
    settle(300);
    takePair(2, 3);
    takePair(6, 7);
    ASSERT_TRUE(waitUntil([&] { return !window->noWayOutNotice()->isHidden(); }, 1000));
    settle(300);
    const QWidget& notice = *window->noWayOutNotice();
    const QRect noticeOnScreen(notice.mapToGlobal(QPoint(0, 0)), notice.size());
    if (const char* path = std::getenv("TESSALO_SCREENSHOT"))
        screenImage().save(QString::fromLocal8Bit(path));
    // White letters on the dark band: both appear inside the notice.
    const QImage shot = screenImage().copy(noticeOnScreen);
    bool white = false, dark = false;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            white |= pixel.lightness() > 230;
            dark |= pixel.lightness() < 60;
        }
    }
    EXPECT_TRUE(white && dark) << "the notice was not drawn";

    // A free tile seen through the notice, and its partner. The notice is no target of its own:
    // what lies under a point of it is the tile.
    int under = kNoTile;
    std::optional<QPoint> through;
    for (int tile = 8; tile < kTileCount && under == kNoTile; ++tile) {
        if (window->tile(tile)->isHidden())
            continue;
        through = uncoveredPointOf(*window->tile(tile), noticeOnScreen);
        if (through)
            under = tile;
    }
    ASSERT_NE(under, kNoTile) << "no tile lies under the notice";
    click(*through);
    click(uncoveredPointOf(*window->tile(under ^ 1)).value());
    EXPECT_TRUE(waitUntil([&] { return window->tile(under)->isHidden(); }))
        << "the click on the notice did not reach the tile";
    EXPECT_FALSE(notice.isHidden());

    click(uncoveredPointOf(*window->button(GameCommand::start)).value());
    EXPECT_TRUE(waitUntil([&] { return window->noWayOutNotice()->isHidden(); }));
}

} // namespace
} // namespace tessalo::display
