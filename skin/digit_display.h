#pragma once

#include "platform/pe_module.h"
#include "skin/digit_set.h"
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

  protected:
    // Created hidden, or showing the game window would show it before it is placed.
    DigitDisplay(const char* name, QWidget* gameWindow);

    // The face image and where the window and its digits go. False, and no face kept, when the
    // image is missing or undecodable.
    bool loadFace(const PeModule& module, const char* faceName, QPoint place,
                  std::span<const std::int16_t> digitX, int digitY);
    void clearFace() { face_ = QImage(); }
    // Moves to `position` (game-window coordinates), sized to the face, cut to `shape`.
    void showAt(QPoint position, const QRegion& shape);
    // The face, then digit k of `values` at its place.
    void paintDigits(const DigitSet& digits, std::span<const int> values);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QImage face_;
    QPoint place_;
    std::vector<int> digitX_;
    int digitY_ = 0;
    WindowDrag drag_;
};

} // namespace tessalo
