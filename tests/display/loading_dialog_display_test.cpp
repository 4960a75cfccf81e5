#include "game/loading_dialog.h"
#include "tests/display/real_input.h"
#include "tests/game/game_window_fixture.h"

#include <QPainter>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>

namespace tessalo {
namespace {

// The screen as another client (a player's eyes) sees it. The program stays inside its load
// meanwhile, so whatever it drew but left unsent is not there.
QImage screenSeenByAnotherClient() {
    QProcess grab;
    grab.start(QStringLiteral("import"), {"-window", "root", "png:-"});
    EXPECT_TRUE(grab.waitForFinished(10000)) << "import did not finish";
    return QImage::fromData(grab.readAllStandardOutput(), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

// The main dialog in one colour no style paints, so a frozen main dialog is told from the
// loading dialog.
class MainDialogStandIn final : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kColour); }

  public:
    static constexpr QColor kColour{200, 0, 200};
};

// Columns along the middle row of `bar` whose pixel differs from `empty`, the same row drawn
// empty: how far the bar is filled.
int filledColumns(const QImage& screen, const QImage& empty, QRect bar) {
    const int y = bar.center().y();
    int filled = 0;
    for (int x = bar.left(); x <= bar.right(); ++x)
        filled += screen.pixel(x, y) != empty.pixel(x, y);
    return filled;
}

// Calls `seen` before each paint of `widget`.
class PaintWatch final : public QObject {
  public:
    PaintWatch(QWidget* widget, std::function<void()> seen) : seen_(std::move(seen)) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            seen_();
        return false;
    }

  private:
    std::function<void()> seen_;
};

class LoadingDialogOnScreen : public GameWindowTest {};

TEST_F(LoadingDialogOnScreen, TheEmptyBarIsShownBeforeDecodingAndEachPositionReachesTheScreen) {
    if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
        GTEST_SKIP() << "import (ImageMagick) is missing";
    constexpr int kPictures = 120;
    constexpr int kLaterPosition = 60;
    pictureSet.pictureCount = kPictures;
    const auto path = folder.path() / "many.tsp";
    writeModuleFile(path, pictureSet.content());

    MainDialogStandIn mainDialog;
    mainDialog.setGeometry(200, 150, 600, 450);
    mainDialog.show();
    ASSERT_TRUE(display::waitUntil([&] {
        return display::screenPixel({500, 375}) == MainDialogStandIn::kColour;
    }));

    LoadingDialog loading(path, *window, &mainDialog);
    QProgressBar* bar = loading.progressBar();
    QRect barOnScreen;
    QImage emptyScreen;
    bool rangeSeen = false;
    bool laterSeen = false;
    // The first paint of the bar once the load has set its range: the screen then shows what
    // was drawn before the load began.
    PaintWatch watch(bar, [&] {
        if (rangeSeen || bar->maximum() != kPictures)
            return;
        rangeSeen = true;
        EXPECT_EQ(bar->minimum(), 0);
        // The load has begun and not one picture is decoded yet.
        EXPECT_TRUE(window->pictures().faces.empty());
        barOnScreen = QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size()).adjusted(3, 3, -3, -3);
        const QPoint body = loading.mapToGlobal(QPoint(loading.width() / 2, 4));
        emptyScreen = screenSeenByAnotherClient();
        EXPECT_NE(emptyScreen.pixelColor(body), MainDialogStandIn::kColour)
            << "the loading dialog is not on the screen when decoding begins";
        const QRgb first = emptyScreen.pixel(barOnScreen.left(), barOnScreen.center().y());
        EXPECT_NE(QColor(first), MainDialogStandIn::kColour) << "no bar on the screen";
        for (int x = barOnScreen.left(); x <= barOnScreen.right(); ++x) {
            // One colour from end to end: empty, and not the busy indicator's moving chunk.
            ASSERT_EQ(emptyScreen.pixel(x, barOnScreen.center().y()), first)
                << "the bar is not empty at x = " << x;
        }
    });
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        if (value != kLaterPosition || emptyScreen.isNull())
            return;
        laterSeen = true;
        // Position 59 was the last one set; the event loop has not run since the load began.
        const int expected = barOnScreen.width() * (kLaterPosition - 1) / kPictures;
        const int filled = filledColumns(screenSeenByAnotherClient(), emptyScreen, barOnScreen);
        EXPECT_NEAR(filled, expected, 4) << "the bar on the screen lags behind its position";
    });

    loading.exec();
    EXPECT_EQ(loading.result(), QDialog::Accepted);
    EXPECT_TRUE(rangeSeen);
    EXPECT_TRUE(laterSeen);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), kPictures);
    EXPECT_EQ(bar->value(), kPictures - 1);
    EXPECT_EQ(window->pictures().faces.size(), std::size_t(kPictures));
}

} // namespace
} // namespace tessalo
