#pragma once

#include "platform/pe_module.h"
#include "skin/digit_set.h"
#include "skin/picture_scale.h"
#include "skin/window_drag.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <span>
#include <vector>

namespace tessalo {

// A face with digits drawn in figure-eight cells, floating over the game window and dragged
// anywhere on it: what the clock and the indicator have in common.
class DigitDisplay : public QWidget {
  public:
    // Relative to the play area.
    QPoint place() const { return place_; }
    // The play area's scale and the screen's device pixel ratio; set before the skin loads, as
    // the face and digits are resampled to their product.
    void setScale(PictureScale scale, PictureScale pixelRatio = {}) {
        scale_ = scale;
        pixelRatio_ = pixelRatio;
    }
    PictureScale scale() const { return scale_; }
    PictureScale pixelRatio() const { return pixelRatio_; }
    PictureScale pictureScale() const { return scale_.times(pixelRatio_); }

  protected:
    // Created hidden, or showing the game window would show it before it is placed.
    DigitDisplay(const char* name, QWidget* gameWindow);

    // Where the window and its digits go, and the face image. False when the face is missing or
    // undecodable: the window is then the size of its shape and its digits are drawn over
    // whatever lies beneath.
    bool loadFace(const PeModule& module, const char* faceName, QPoint place,
                  std::span<const std::int16_t> digitX, int digitY);
    // No place to show the window at: it stays hidden.
    void clearSkin();
    // Moves to `position` (game-window coordinates), sized to the face, cut to `shape`.
    void showAt(QPoint position, const QRegion& shape);
    // The face, then digit k of `values` at its place.
    void paintDigits(const DigitSet& digits, std::span<const int> values);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QImage face_;
    bool placed_ = false;
    QPoint place_;
    // Where the digits go, in device pixels of the face.
    std::vector<int> digitX_;
    int digitY_ = 0;
    WindowDrag drag_;
    PictureScale scale_;
    PictureScale pixelRatio_;
};

} // namespace tessalo
