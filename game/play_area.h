#pragma once

#include "skin/picture_scale.h"

#include <cstdint>

namespace tessalo {

inline constexpr int kPlayAreaWidth = 800;
inline constexpr int kPlayAreaHeight = 600;
inline constexpr int kTileWindowWidth = 52;
inline constexpr int kTileWindowHeight = 77;

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The 800 × 600 play area centred on the screen, at its own size or enlarged to fill it. This is
// the one place where play-area and board coordinates become window coordinates.
class PlayArea {
  public:
    PlayArea() = default;
    static PlayArea centredOn(int screenWidth, int screenHeight);
    // As large as the screen allows with the play area's shape kept; black bands take the rest.
    static PlayArea fillingScreen(int screenWidth, int screenHeight);

    PixelPoint origin() const { return origin_; }
    PictureScale scale() const { return scale_; }
    // A width or height of the play area on the screen.
    int length(int playAreaLength) const { return scale_.of(playAreaLength); }
    int width() const { return length(kPlayAreaWidth); }
    int height() const { return length(kPlayAreaHeight); }

    // A point of the play area (a "PLACE" position of the clock or the indicator).
    PixelPoint toWindow(int x, int y) const;
    // Buttons are placed with the sum of origin and offset taken in 16 bits, as stored positions
    // were always placed.
    PixelPoint buttonPosition(std::int16_t x, std::int16_t y) const;
    // Upper-left corner of the window of a tile at half-column x, half-row y, layer z.
    PixelPoint tilePosition(int x, int y, int z) const;

  private:
    PixelPoint origin_;
    PictureScale scale_;
};

} // namespace tessalo
