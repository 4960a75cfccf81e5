#include "game/game_events.h"
#include "game/play_area.h"
#include "game/tile_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tessalo {
namespace {

// The game window's part in a tile click: it receives the posted message.
class ClickRecorder final : public QWidget {
  public:
    std::vector<int> clicks;
    int backgroundPresses = 0;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == kTileClickedEvent) {
            clicks.push_back(static_cast<TileClickedEvent*>(event)->tile());
            return true;
        }
        return QWidget::event(event);
    }
    void mousePressEvent(QMouseEvent*) override { ++backgroundPresses; }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::black); }
};

QPixmap solid(int width, int height, QColor colour) {
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

QColor inverted(QColor colour) {
    return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
}

class TileWindowTest : public ::testing::Test {
  protected:
    const QColor faceColour{200, 30, 60};
    const QColor baseColour{90, 90, 90};
    QPixmap face = solid(45, 70, faceColour);
    QPixmap wholeTile = solid(52, 77, faceColour);
    QPixmap base = solid(52, 77, baseColour);
    Board board;
    PlayArea area = PlayArea::centredOn(800, 600);
    std::unique_ptr<ClickRecorder> window = std::make_unique<ClickRecorder>();

    void SetUp() override { window->setGeometry(0, 0, 800, 600); }

    TileWindow* place(int tile, int x, int y, int z, const QPixmap* withFace,
                      const QPixmap* withBase) {
        auto* window = new TileWindow(board, area, tile, withFace, withBase, this->window.get());
        board.place(tile, x, y, z);
        board.setOnBoard(tile, true);
        window->setPosition(x, y, z);
        window->show();
        return window;
    }

    QColor pixelOf(QWidget* widget, int x, int y) {
        return widget->grab().toImage().pixelColor(x, y);
    }

    void clickAt(int x, int y) {
        window->show();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
        QCoreApplication::processEvents();
    }
};

TEST_F(TileWindowTest, StandsAtItsBoardPlaceAndMirrorsTheBoard) {
    area = PlayArea::centredOn(1024, 768);
    TileWindow* tile = place(5, 3, 2, 1, &face, &base);
    EXPECT_EQ(tile->geometry(), QRect(214, 135, 52, 77));
    EXPECT_EQ(tile->gridX(), 3);
    EXPECT_EQ(tile->gridY(), 2);
    EXPECT_EQ(tile->layer(), 1);
    EXPECT_EQ(tile->tileIndex(), 5);
    EXPECT_EQ(tile->objectName(), "Fishka");
}

TEST_F(TileWindowTest, DrawsBaseAndFaceAndInvertsBothWhileHighlighted) {
    TileWindow* tile = place(0, 4, 4, 0, &face, &base);
    // The face covers (7, 0) to (51, 69); the base shows along the left and the bottom.
    EXPECT_EQ(pixelOf(tile, 20, 30), faceColour);
    EXPECT_EQ(pixelOf(tile, 3, 40), baseColour);
    EXPECT_EQ(pixelOf(tile, 30, 73), baseColour);
    tile->setHighlighted(true);
    EXPECT_TRUE(tile->highlighted());
    EXPECT_EQ(pixelOf(tile, 20, 30), inverted(faceColour));
    EXPECT_EQ(pixelOf(tile, 3, 40), inverted(baseColour));
    tile->setHighlighted(false);
    EXPECT_EQ(pixelOf(tile, 20, 30), faceColour);
}

TEST_F(TileWindowTest, WithoutABaseTheFaceIsTheWholeTile) {
    TileWindow* tile = place(0, 4, 4, 0, &wholeTile, nullptr);
    EXPECT_EQ(pixelOf(tile, 3, 40), faceColour);
    EXPECT_EQ(pixelOf(tile, 30, 73), faceColour);
    EXPECT_EQ(pixelOf(tile, 48, 10), faceColour);
}

TEST_F(TileWindowTest, PositioningDropsAStaleHighlight) {
    TileWindow* tile = place(0, 4, 4, 0, &face, &base);
    tile->setHighlighted(true);
    tile->setPosition(6, 4, 0);
    EXPECT_FALSE(tile->highlighted());
    EXPECT_EQ(pixelOf(tile, 20, 30), faceColour);
}

TEST_F(TileWindowTest, RepaintsOnlyWhenTheHighlightChanges) {
    TileWindow* tile = place(0, 4, 4, 0, &face, &base);
    window->show();
    QCoreApplication::processEvents();
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++count;
            return false;
        }
    } counter(paints);
    tile->installEventFilter(&counter);
    tile->setHighlighted(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 0);
    tile->setHighlighted(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 1);
    tile->setHighlighted(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 1);
    tile->removeEventFilter(&counter);
}

TEST_F(TileWindowTest, ClickIsPostedWithTheTileIndex) {
    TileWindow* tile = place(17, 4, 4, 0, &face, &base);
    const QPointF centre(26, 38);
    QMouseEvent press(QEvent::MouseButtonPress, centre, tile->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tile, &press);
    // Posted, not sent: nothing has arrived before the event loop runs.
    EXPECT_TRUE(window->clicks.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(window->clicks, std::vector<int>{17});
    EXPECT_EQ(window->backgroundPresses, 0);
}

TEST_F(TileWindowTest, CutCornersBelongToWhatLiesBelow) {
    TileWindow* tile = place(3, 4, 4, 0, &face, &base);
    const QPoint topLeft = tile->geometry().topLeft();
    clickAt(topLeft.x() + 1, topLeft.y() + 1);
    clickAt(topLeft.x() + 50, topLeft.y() + 75);
    EXPECT_TRUE(window->clicks.empty());
    EXPECT_EQ(window->backgroundPresses, 2);
    // Just inside the cuts the tile takes the click.
    clickAt(topLeft.x() + 8, topLeft.y() + 1);
    clickAt(topLeft.x() + 43, topLeft.y() + 75);
    EXPECT_EQ(window->clicks, (std::vector<int>{3, 3}));
}

TEST_F(TileWindowTest, WhereTilesOverlapTheEarlierPositionTakesTheClick) {
    // Placed in layout order: each new tile goes beneath those placed before it.
    TileWindow* upper = place(8, 5, 5, 1, &face, &base);
    TileWindow* lower = place(9, 4, 4, 0, &face, &base);
    const QRect overlap = upper->geometry().intersected(lower->geometry());
    ASSERT_FALSE(overlap.isEmpty());
    clickAt(overlap.center().x(), overlap.center().y());
    // The upper tile's cut corner shows the tile below.
    const QPoint cut = upper->geometry().topLeft() + QPoint(1, 1);
    ASSERT_TRUE(lower->geometry().contains(cut));
    clickAt(cut.x(), cut.y());
    EXPECT_EQ(window->clicks, (std::vector<int>{8, 9}));
}

TEST_F(TileWindowTest, ATileWithoutAFaceIsStillShownAndClickable) {
    TileWindow* tile = place(2, 4, 4, 0, nullptr, &base);
    EXPECT_FALSE(tile->isHidden());
    EXPECT_EQ(pixelOf(tile, 20, 30), baseColour);
    clickAt(tile->geometry().center().x(), tile->geometry().center().y());
    EXPECT_EQ(window->clicks, std::vector<int>{2});
}

} // namespace
} // namespace tessalo
