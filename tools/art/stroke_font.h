#pragma once

#include <QPainterPath>
#include <QPointF>

#include <string_view>

namespace tessalo::art {

// Letters and digits drawn as strokes on a 4 × 6 grid, so every picture is made of our own paths
// and comes out the same on every machine, whatever fonts it has.
inline constexpr double kGlyphWidth = 4.0;
inline constexpr double kGlyphHeight = 6.0;
inline constexpr double kGlyphGap = 1.6;

// The centre lines of `text` with its top-left corner at `topLeft`, one grid unit being `unit`
// pixels; stroke it with a round pen. Characters without a glyph leave a gap.
QPainterPath strokeText(std::string_view text, QPointF topLeft, double unit);

double strokeTextWidth(std::string_view text, double unit);

} // namespace tessalo::art
