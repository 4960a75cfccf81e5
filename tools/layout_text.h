#pragma once

#include "game/layout_record.h"

#include <string>
#include <string_view>

namespace tessalo {

// A layout drawn as text, layer by layer:
//
//   tessalo-layout 1
//   name: Turtle
//   layer 0
//   ../\/\.
//   ..\/\/.
//
// One character per half-column and one line per half-row; each tile is the block "/\" over "\/"
// whose upper-left corner is its anchor. '.' and blanks are empty, '#' starts a comment line.
inline constexpr std::string_view kLayoutTextVersionLine = "tessalo-layout 1";

struct LayoutTextParse {
    LayoutRecord layout;
    // Empty when the text was a whole layout; otherwise the reason, led by "line N: " where one
    // line is at fault.
    std::string error;
};

// Orders the positions top layer first, then by ascending half-column and descending half-row:
// every tile comes after its left neighbours, and tiles nearer the viewer are drawn on top.
LayoutTextParse parseLayoutText(std::string_view text);

// The text that parses back to the same positions (in the order above) and name.
std::string formatLayoutText(const LayoutRecord& layout);

} // namespace tessalo
