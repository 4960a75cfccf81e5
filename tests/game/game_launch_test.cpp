#include "tests/game/game_window_fixture.h"

#include "app/layout_library.h"
#include "game/game_launch.h"
#include "game/loading_dialog.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QTest>

namespace tessalo {
namespace {

class GameLaunchTest : public GameWindowTest {
  protected:
    QWidget mainDialog;
    std::vector<QString> boxes;

    void SetUp() override {
        mainDialog.show();
        writeModuleFile(folder.path() / "test.tsp", pictureSet.content());
    }

    // Reads the next message box and closes it with OK. The loading dialog is modal too until
    // its first paint starts the load that refuses the set, so other modals are passed over.
    void expectBox() {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [this, timer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                boxes.push_back(box->windowTitle() + "|" + box->text());
                box->accept();
            }
        });
        timer->start(10);
    }
};

TEST_F(GameLaunchTest, TheLoadingDialogStartsOnceShownAndStopsOneShortOfTheEnd) {
    LoadingDialog loading(folder.path() / "test.tsp", *window, &mainDialog);
    EXPECT_EQ(loading.windowTitle(), "Wait. Loading...");
    EXPECT_EQ(loading.progressBar()->objectName(), "1042");
    // 187 × 39 and (7, 14, 173 × 10) dialog units at 6 × 13 pixels to four by eight units.
    EXPECT_EQ(loading.size(), QSize(281, 63));
    EXPECT_EQ(loading.progressBar()->geometry(), QRect(11, 23, 259, 16));
    loading.show();
    // Nothing is decoded before the dialog has had its chance to appear.
    EXPECT_TRUE(window->pictures().faces.empty());
    // The load starts once the dialog has been painted.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->pictures().faces.empty(); }, 3000));
    EXPECT_EQ(loading.result(), QDialog::Accepted);
    EXPECT_EQ(window->pictures().faces.size(), 36u);
    EXPECT_EQ(loading.progressBar()->maximum(), 36);
    EXPECT_EQ(loading.progressBar()->value(), 35);
}

TEST_F(GameLaunchTest, AGoodGameHidesTheMainDialogAndOpensTheWindow) {
    ASSERT_TRUE(launchGame(&mainDialog, *window, setup(spreadLayout())));
    EXPECT_FALSE(mainDialog.isVisible());
    EXPECT_TRUE(window->isOpen());
    run();
    EXPECT_EQ(window->gameState()->dealOrder().size(), 144u);
}

TEST_F(GameLaunchTest, ALayoutOutsideTheBoardIsRefusedBeforeAnyDeal) {
    // A library whose record puts a tile at half-column 200 reads without complaint.
    LayoutRecord broken = spreadLayout();
    broken.setName("Broken");
    broken.x[70] = 200;
    const auto bytes = serializeLayoutLibrary(std::vector<LayoutRecord>{broken});
    const auto library = parseLayoutLibrary(bytes);
    ASSERT_EQ(library.layouts.size(), 1u);
    ASSERT_TRUE(library.damage.empty());

    expectBox();
    EXPECT_FALSE(launchGame(&mainDialog, *window, setup(library.layouts[0])));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "game_window_tests|Раскладка «Broken» повреждена. Игра не начата.");
    EXPECT_FALSE(window->isOpen());
    EXPECT_TRUE(window->pictures().faces.empty());
    EXPECT_TRUE(mainDialog.isVisible());
}

TEST_F(GameLaunchTest, ADamagedSetIsRefusedAndTheMainDialogStays) {
    auto content = pictureSet.content();
    const auto bytes = moduleBytesWith(content, [](std::vector<ModuleResource>& resources) {
        std::erase_if(resources, [](const ModuleResource& resource) {
            return resource.name.text() == "IDR_PLACE_BUTTONS";
        });
    });
    test::writeFile(folder.path() / "test.tsp", bytes);
    expectBox();
    EXPECT_FALSE(launchGame(&mainDialog, *window, setup(spreadLayout())));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "game_window_tests|Файл картинок «test.tsp» повреждён: в нём нет всего, "
                        "что нужно для игры. Игра не начата.");
    EXPECT_FALSE(window->isOpen());
    EXPECT_TRUE(mainDialog.isVisible());
}

TEST_F(GameLaunchTest, AMissingSetIsRefused) {
    std::filesystem::remove(folder.path() / "test.tsp");
    expectBox();
    EXPECT_FALSE(launchGame(&mainDialog, *window, setup(spreadLayout())));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0],
              "game_window_tests|Не удалось прочитать файл картинок «test.tsp». Игра не начата.");
    EXPECT_FALSE(window->isOpen());
}

} // namespace
} // namespace tessalo
