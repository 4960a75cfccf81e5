#pragma once

#include "tools/art/set_params.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace tessalo::art {

inline constexpr int kDigitWidth = 26;
inline constexpr int kDigitHeight = 48;
// Left edges of the digit cells of the clock and of the indicator.
inline constexpr int kClockCellX[4] = {0, 26, 60, 86};
inline constexpr int kIndicatorCellX[3] = {0, 26, 52};

// Each image is drawn anew at `factor` times its size (the larger versions for big screens), not
// enlarged from the plain one.
QImage drawBase(const SetParams& params, int factor = 1);
QImage drawBackground(const SetParams& params, int factor = 1);
// Up or down image of button 0..3 (Start, Pause, Help, Exit), drawn over the background that
// lies under its place so its rounded corners blend in; `background` is drawn at `factor` too.
QImage drawButton(const SetParams& params, const QImage& background, int button, bool down,
                  int factor = 1);
QImage drawClockFace(const SetParams& params, int factor = 1);
QImage drawIndicatorFace(const SetParams& params, int factor = 1);
// Digit 0..9 as lit and unlit segments inside one figure-eight cell.
QImage drawDigit(const SetParams& params, int digit, int factor = 1);

// A RIFF WAVE file: two decaying tones, 8-bit mono.
std::vector<std::uint8_t> pairSound(const SetParams& params);

} // namespace tessalo::art
