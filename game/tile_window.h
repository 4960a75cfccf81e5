#pragma once

#include "game/board.h"
#include "skin/picture_scale.h"

#include <QPixmap>
#include <QWidget>

#include <cstdint>

namespace tessalo {

class PlayArea;

// One tile on screen, cut to the tile's outline. Its position and contact bits are the board's
// own, read through the board, so the window never holds a copy that could drift from the rules.
class TileWindow final : public QWidget {
  public:
    // `face` and `base` belong to the game window and outlive the tile; either may be null. They
    // were resampled to the play area's scale times `devicePixelRatio`.
    TileWindow(const Board& board, const PlayArea& playArea, int tileIndex, const QPixmap* face,
               const QPixmap* base, QWidget* gameWindow, PictureScale devicePixelRatio = {});

    int tileIndex() const { return tileIndex_; }
    bool highlighted() const { return highlighted_; }
    std::uint32_t blockFlags() const { return board_.tile(tileIndex_).blockFlags; }
    int gridX() const { return board_.tile(tileIndex_).gridX; }
    int gridY() const { return board_.tile(tileIndex_).gridY; }
    int layer() const { return board_.tile(tileIndex_).layer; }

    // Moves the window to the place of (x, y, z), drops a stale highlight without repainting and
    // puts the tile beneath every sibling, so tiles placed earlier stay on top.
    void setPosition(int x, int y, int z);
    void setHighlighted(bool on);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const Board& board_;
    const PlayArea& playArea_;
    const int tileIndex_;
    const QPixmap* face_;
    const QPixmap* base_;
    const PictureScale pictureScale_;
    bool highlighted_ = false;
};

} // namespace tessalo
