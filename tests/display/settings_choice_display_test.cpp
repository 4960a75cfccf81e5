#include "app/config_file.h"
#include "app/game_app.h"
#include "app/layout_library.h"
#include "app/main_dialog.h"
#include "game/game_commands.h"
#include "platform/dialog_builder.h"
#include "platform/registry_settings.h"
#include "tests/display/real_input.h"
#include "tests/platform/pe_test_support.h"
#include "tests/support/test_layouts.h"
#include "tests/support/test_picture_set.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace tessalo::display {
namespace {

QPoint centreOf(const QWidget& widget) {
    return widget.mapToGlobal(widget.rect().center());
}

// Rows is played when each of its places holds a tile; Spread leaves (2, 0, 0) empty.
bool boardHoldsEveryPlaceOf(const Board& board, const LayoutRecord& layout) {
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i)
        if (board.cellAt(layout.x[i], layout.y[i], layout.z[i]) == kNoTile)
            return false;
    return true;
}

class SettingsChoiceOnScreen : public ::testing::Test {
  protected:
    test::TempDir program;
    test::TempDir config;

    void SetUp() override {
        const std::vector<std::string> names = {"Full", "Single"};
        const std::vector<std::string> files = {"full.tsp", "single.tsp"};
        ASSERT_EQ(writeConfig(program.path() / "ts220.cfg", names, files), "");
        // The second set has one picture, so the game shows which set it loaded.
        writeModuleFile(program.path() / "full.tsp", TestPictureSet().content());
        TestPictureSet single;
        single.pictureCount = 1;
        writeModuleFile(program.path() / "single.tsp", single.content());
        ASSERT_EQ(saveLayoutLibrary(program.path() / "ts220.tsl",
                                    std::vector{spreadLayout("Spread"), rowsLayout()}),
                  "");
    }

    // The player's part, while the main dialog runs.
    void play(MainDialog& dialog, AppState& state) {
        ASSERT_TRUE(waitUntil([&] { return dialog.windowHandle()->isExposed(); }));
        // No window manager hands out the focus.
        dialog.activateWindow();
        ASSERT_TRUE(waitUntil([&] { return dialog.isActiveWindow(); }));
        settle();
        auto& layouts = *dialog.findChild<QComboBox*>("1022");
        auto& tiles = *dialog.findChild<QComboBox*>("1026");

        // A turn of the wheel towards the player over the closed Tiles box shows the next set.
        turnWheel(centreOf(tiles), -1);
        ASSERT_TRUE(waitUntil([&] { return tiles.currentIndex() == 1; }));
        EXPECT_FALSE(tiles.view()->isVisible());
        EXPECT_EQ(state.picturesIndex, 1);

        layouts.setFocus();
        ASSERT_TRUE(waitUntil([&] { return layouts.hasFocus(); }));
        pressKey("Down");
        ASSERT_TRUE(waitUntil([&] { return layouts.currentIndex() == 1; }));
        EXPECT_FALSE(layouts.view()->isVisible());
        EXPECT_EQ(state.layoutIndex, 1);
        settle();

        auto& tabs = *dialogControl<QTabWidget>(dialog, MainDialog::kTabControl);
        QTabBar& bar = *tabs.tabBar();
        click(bar.mapToGlobal(bar.tabRect(1).center()));
        ASSERT_TRUE(waitUntil([&] { return dialog.findChild<QLabel*>("1035") != nullptr; }));
        EXPECT_EQ(dialog.findChild<QLabel*>("1035")->text(), "Layout - Rows");
        EXPECT_EQ(dialog.findChild<QCheckBox*>("1036")->text(), "Only Single");

        click(centreOf(*dialogControl<QPushButton>(dialog, MainDialog::kGameButton)));
        GameWindow& game = dialog.gameWindow();
        ASSERT_TRUE(waitUntil([&] {
            return game.gameState() != nullptr && game.gameState()->dealOrder().size() == 144u;
        })) << "no game was dealt";
        EXPECT_EQ(game.pictures().faces.size(), 1u);
        EXPECT_TRUE(boardHoldsEveryPlaceOf(game.gameState()->board(), rowsLayout()));
    }
};

// What the closed boxes show after a wheel turn and an arrow key is what is played and stored.
TEST_F(SettingsChoiceOnScreen, AWheelTurnAndAnArrowKeyChooseWhatIsPlayed) {
    GameApp app(program.path() / "tessalo2", config.path());
    QTimer::singleShot(0, [&] {
        MainDialog* dialog = app.mainDialog();
        ASSERT_NE(dialog, nullptr);
        play(*dialog, app.state());
        // Whatever happened, the run ends.
        if (dialog->gameWindow().isOpen())
            dialog->gameWindow().onCommand(GameCommand::exit);
        dialog->reject();
    });
    app.run({});
    const RegistryStore key = RegistryStore::openKey(kRegistryKey, config.path());
    EXPECT_EQ(key.queryDword("Layout"), 1);
    EXPECT_EQ(key.queryDword("Pictures"), 1);
}

} // namespace
} // namespace tessalo::display
