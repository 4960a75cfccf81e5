#include "game/tile_window.h"

#include "game/game_events.h"
#include "game/play_area.h"
#include "game/tile_shape.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace tessalo {

namespace {

constexpr int kFaceLeft = 7;
constexpr int kFaceWidth = 45;
constexpr int kFaceHeight = 70;

} // namespace

TileWindow::TileWindow(const Board& board, const PlayArea& playArea, int tileIndex,
                       const QPixmap* face, const QPixmap* base, QWidget* gameWindow,
                       PictureScale devicePixelRatio)
    : QWidget(gameWindow), board_(board), playArea_(playArea), tileIndex_(tileIndex), face_(face),
      base_(base), pictureScale_(playArea.scale().times(devicePixelRatio)) {
    setObjectName(QStringLiteral("Fishka"));
    // With a picture for the whole outline nothing below needs painting first; a tile whose face
    // did not load shows what lies beneath it.
    const bool coversOutline =
        base_ != nullptr ? !base_->isNull() : face_ != nullptr && !face_->isNull();
    setAttribute(Qt::WA_OpaquePaintEvent, coversOutline);
    setGeometry(0, 0, playArea_.length(kTileWindowWidth), playArea_.length(kTileWindowHeight));
    setMask(tileOutline(playArea_.scale()));
    hide();
}

void TileWindow::setPosition(int x, int y, int z) {
    highlighted_ = false;
    const PixelPoint at = playArea_.tilePosition(x, y, z);
    move(at.x, at.y);
    lower();
}

void TileWindow::setHighlighted(bool on) {
    if (on == highlighted_)
        return;
    highlighted_ = on;
    update();
}

void TileWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Inverting the copy is the only marker of a selected or hinted tile.
    painter.setCompositionMode(highlighted_ ? QPainter::RasterOp_NotSource
                                            : QPainter::CompositionMode_Source);
    const bool hasFace = face_ != nullptr && !face_->isNull();
    // The pictures were resampled at load to these sizes in device pixels, so they are copied
    // 1:1; a picture larger than its part of the tile is cut.
    const auto part = [this](int width, int height) {
        return QRectF(0, 0, pictureScale_.of(width), pictureScale_.of(height));
    };
    if (base_ != nullptr) {
        if (!base_->isNull())
            painter.drawPixmap(QPointF(), *base_, part(kTileWindowWidth, kTileWindowHeight));
        if (hasFace)
            painter.drawPixmap(QPointF(pictureScale_.of(kFaceLeft) / face_->devicePixelRatio(), 0),
                               *face_, part(kFaceWidth, kFaceHeight));
    } else if (hasFace) {
        painter.drawPixmap(QPointF(), *face_, part(kTileWindowWidth, kTileWindowHeight));
    }
}

void TileWindow::mousePressEvent(QMouseEvent* event) {
    // Accepted here: a press on a tile is never a press on the background below it.
    event->accept();
    if (event->button() == Qt::LeftButton)
        QCoreApplication::postEvent(parentWidget(), new TileClickedEvent(tileIndex_));
}

} // namespace tessalo
