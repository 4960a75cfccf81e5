#include "game/play_area.h"

namespace tessalo {

namespace {

// Where the board's half-column 0, half-row 0 lies in the play area.
constexpr int kBoardOffsetX = 28;
constexpr int kBoardOffsetY = -12;

} // namespace

PlayArea PlayArea::centredOn(int screenWidth, int screenHeight) {
    PlayArea area;
    // Division truncates toward zero, also for a screen smaller than the play area.
    area.origin_ = {(screenWidth - kPlayAreaWidth) / 2, (screenHeight - kPlayAreaHeight) / 2};
    return area;
}

PlayArea PlayArea::fillingScreen(int screenWidth, int screenHeight) {
    PlayArea area;
    // min(w / 800, h / 600) as a fraction: compare w · 600 with h · 800.
    if (std::int64_t(screenWidth) * kPlayAreaHeight <= std::int64_t(screenHeight) * kPlayAreaWidth)
        area.scale_ = {screenWidth, kPlayAreaWidth};
    else
        area.scale_ = {screenHeight, kPlayAreaHeight};
    area.origin_ = {(screenWidth - area.width()) / 2, (screenHeight - area.height()) / 2};
    return area;
}

PixelPoint PlayArea::toWindow(int x, int y) const {
    return {origin_.x + length(x), origin_.y + length(y)};
}

PixelPoint PlayArea::buttonPosition(std::int16_t x, std::int16_t y) const {
    const auto wrap = [](int value) {
        return static_cast<int>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    };
    return {wrap(origin_.x + length(x)), wrap(origin_.y + length(y))};
}

PixelPoint PlayArea::tilePosition(int x, int y, int z) const {
    return toWindow(kBoardOffsetX + (45 * x) / 2 + 7 * z, kBoardOffsetY + (70 * y) / 2 - 7 * z);
}

} // namespace tessalo
