#include "tools/art/stroke_font.h"

#include <initializer_list>
#include <vector>

namespace tessalo::art {
namespace {

using Polyline = std::vector<QPointF>;
using Glyph = std::vector<Polyline>;

Glyph glyphFor(char c) {
    switch (c) {
    case '0':
        return {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}};
    case '1':
        return {{{0.8, 1.2}, {2.2, 0}, {2.2, 6}}, {{0.8, 6}, {3.6, 6}}};
    case '2':
        return {{{0, 1.2}, {1, 0}, {3, 0}, {4, 1}, {4, 2.2}, {0, 6}, {4, 6}}};
    case '3':
        return {{{0, 0}, {4, 0}, {1.8, 2.5}, {3, 2.5}, {4, 3.5}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}};
    case '4':
        return {{{3, 6}, {3, 0}, {0, 4.2}, {4, 4.2}}};
    case '5':
        return {{{4, 0}, {0.3, 0}, {0, 2.6}, {3, 2.6}, {4, 3.6}, {4, 5}, {3, 6}, {0, 6}}};
    case '6':
        return {{{3.4, 0},
                 {1.2, 0},
                 {0, 1.2},
                 {0, 5},
                 {1, 6},
                 {3, 6},
                 {4, 5},
                 {4, 3.6},
                 {3, 2.6},
                 {0, 2.6}}};
    case '7':
        return {{{0, 0}, {4, 0}, {1.4, 6}}};
    case '8':
        return {{{1, 2.8},
                 {0, 1.8},
                 {0, 1},
                 {1, 0},
                 {3, 0},
                 {4, 1},
                 {4, 1.8},
                 {3, 2.8},
                 {1, 2.8},
                 {0, 3.8},
                 {0, 5},
                 {1, 6},
                 {3, 6},
                 {4, 5},
                 {4, 3.8},
                 {3, 2.8}}};
    case '9':
        return {{{4, 3.4},
                 {1, 3.4},
                 {0, 2.4},
                 {0, 1},
                 {1, 0},
                 {3, 0},
                 {4, 1},
                 {4, 4.8},
                 {2.8, 6},
                 {0.6, 6}}};
    case 'A':
        return {{{0, 6}, {0, 2}, {2, 0}, {4, 2}, {4, 6}}, {{0, 3.6}, {4, 3.6}}};
    case 'E':
        return {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}};
    case 'H':
        return {{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}};
    case 'I':
        return {{{2, 0}, {2, 6}}, {{0.8, 0}, {3.2, 0}}, {{0.8, 6}, {3.2, 6}}};
    case 'L':
        return {{{0, 0}, {0, 6}, {4, 6}}};
    case 'N':
        return {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}};
    case 'P':
        return {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2.4}, {3, 3.4}, {0, 3.4}}};
    case 'R':
        return {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2.4}, {3, 3.4}, {0, 3.4}}, {{2, 3.4}, {4, 6}}};
    case 'S':
        return {{{4, 1},
                 {3, 0},
                 {1, 0},
                 {0, 1},
                 {0, 2},
                 {1, 3},
                 {3, 3},
                 {4, 4},
                 {4, 5},
                 {3, 6},
                 {1, 6},
                 {0, 5}}};
    case 'T':
        return {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}};
    case 'U':
        return {{{0, 0}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 0}}};
    case 'W':
        return {{{0, 0}, {0.9, 6}, {2, 2.2}, {3.1, 6}, {4, 0}}};
    case 'X':
        return {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}};
    case '?':
        return {{{0, 1.2}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {2, 3.4}, {2, 4.4}}, {{2, 5.9}, {2, 6}}};
    default:
        return {};
    }
}

} // namespace

QPainterPath strokeText(std::string_view text, QPointF topLeft, double unit) {
    QPainterPath path;
    double x = topLeft.x();
    for (char c : text) {
        for (const Polyline& line : glyphFor(c)) {
            path.moveTo(x + line.front().x() * unit, topLeft.y() + line.front().y() * unit);
            for (std::size_t i = 1; i < line.size(); ++i)
                path.lineTo(x + line[i].x() * unit, topLeft.y() + line[i].y() * unit);
        }
        x += (kGlyphWidth + kGlyphGap) * unit;
    }
    return path;
}

double strokeTextWidth(std::string_view text, double unit) {
    if (text.empty())
        return 0;
    return (static_cast<double>(text.size()) * (kGlyphWidth + kGlyphGap) - kGlyphGap) * unit;
}

} // namespace tessalo::art
