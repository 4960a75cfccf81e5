#pragma once

#include "platform/pe_module.h"
#include "skin/picture_scale.h"

#include <QImage>
#include <QPointF>

#include <array>

class QPainter;

namespace tessalo {

// The ten digit images shared by the clock and the indicator.
class DigitSet {
  public:
    // "IDB_0".."IDB_9" from the module; width and height are those of digit 0 (of the first
    // digit that decoded when digit 0 did not). False if any is missing or undecodable; that
    // digit then stays blank and the others are kept. The images are resampled to `scale`, in
    // device pixels, and carry `devicePixelRatio`.
    bool load(const PeModule& module, PictureScale scale = {}, double devicePixelRatio = 1);
    void clear();
    int width() const { return width_; }
    int height() const { return height_; }
    // A null image for a value outside 0..9 or a digit that did not load.
    const QImage& digit(int value) const;

    // Copies the top-left width × height pixels of digit `value` to `topLeft`, replacing what is
    // there; every digit is drawn in the size of digit 0, a smaller one only as far as it reaches.
    void draw(QPainter& painter, QPointF topLeft, int value) const;

  private:
    std::array<QImage, 10> images_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace tessalo
