#include "tools/layout_text.h"

#include "game/board.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

namespace tessalo {

namespace {

// The drawing has one character per half-column and one line per half-row of the board grid.
constexpr int kDrawnColumns = kGridColumns;
constexpr int kDrawnRows = kGridRows;

struct Position {
    int x;
    int y;
    int z;
};

struct DrawnRow {
    int line;
    std::string text;
};

struct Layer {
    int z = 0;
    int line = 0;
    std::vector<DrawnRow> rows;
};

std::string_view trimEnd(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view trimStart(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string atLine(int line, const std::string& message) {
    return "line " + std::to_string(line) + ": " + message;
}

bool isBlankCell(char c) {
    return c == '.' || c == ' ';
}

// Finds the tiles of one layer; returns an error text or an empty string.
std::string readTiles(const Layer& layer, std::vector<Position>& positions) {
    std::array<std::array<char, kDrawnColumns>, kDrawnRows> cells;
    for (auto& row : cells)
        row.fill('.');
    for (std::size_t r = 0; r < layer.rows.size(); ++r) {
        const DrawnRow& row = layer.rows[r];
        if (r >= static_cast<std::size_t>(kDrawnRows)) {
            if (row.text.find_first_not_of(". ") != std::string::npos)
                return atLine(row.line, "row " + std::to_string(r) +
                                            " is outside the grid: a layer has at most " +
                                            std::to_string(kDrawnRows) + " rows");
            continue;
        }
        if (row.text.size() > static_cast<std::size_t>(kDrawnColumns))
            return atLine(row.line, "the row is " + std::to_string(row.text.size()) +
                                        " characters long; the grid has " +
                                        std::to_string(kDrawnColumns) + " half-columns");
        for (std::size_t c = 0; c < row.text.size(); ++c) {
            const char ch = row.text[c];
            if (!isBlankCell(ch) && ch != '/' && ch != '\\')
                return atLine(row.line, "column " + std::to_string(c + 1) +
                                            ": unexpected character '" + std::string(1, ch) +
                                            "' (a tile is drawn as /\\ over \\/, '.' is empty)");
            cells[r][c] = ch;
        }
    }
    const auto lineOf = [&](int r) {
        return r < static_cast<int>(layer.rows.size()) ? layer.rows[r].line : layer.line;
    };
    std::array<std::array<bool, kDrawnColumns>, kDrawnRows> used{};
    for (int r = 0; r < kDrawnRows; ++r) {
        for (int c = 0; c < kDrawnColumns; ++c) {
            const char ch = cells[r][c];
            if (isBlankCell(ch) || used[r][c])
                continue;
            const std::string where = "column " + std::to_string(c + 1) + ": ";
            if (ch == '\\')
                return atLine(lineOf(r), where + "'\\' belongs to no tile");
            const bool closed = c + 1 < kDrawnColumns && r + 1 < kDrawnRows &&
                                cells[r][c + 1] == '\\' && cells[r + 1][c] == '\\' &&
                                cells[r + 1][c + 1] == '/' && !used[r][c + 1] && !used[r + 1][c] &&
                                !used[r + 1][c + 1];
            if (!closed)
                return atLine(lineOf(r), where + "the tile starting here is not closed (expected "
                                                 "/\\ over \\/)");
            used[r][c] = used[r][c + 1] = used[r + 1][c] = used[r + 1][c + 1] = true;
            positions.push_back({c, r, layer.z});
        }
    }
    return {};
}

std::string readName(std::string_view value, LayoutRecord& layout) {
    value = trimEnd(trimStart(value));
    if (value.empty())
        return "the name is empty";
    if (value.size() > LayoutRecord::kMaxNameLength)
        return "the name has " + std::to_string(value.size()) + " characters; at most " +
               std::to_string(LayoutRecord::kMaxNameLength) + " fit";
    for (char c : value) {
        if (c < 0x20 || c > 0x7E)
            return "the name may hold printable ASCII characters only";
    }
    layout.setName(value);
    return {};
}

} // namespace

LayoutTextParse parseLayoutText(std::string_view text) {
    LayoutTextParse result;
    const std::vector<std::string_view> lines = splitLines(text);
    const auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };

    const std::string_view first = lines.empty() ? std::string_view{} : trimEnd(lines[0]);
    if (first != kLayoutTextVersionLine) {
        if (first.starts_with("tessalo-layout "))
            return fail(atLine(1, "unknown version '" + std::string(first.substr(15)) +
                                      "'; this reader knows '" +
                                      std::string(kLayoutTextVersionLine) + "'"));
        return fail(atLine(1, "not a layout text: the first line must be '" +
                                  std::string(kLayoutTextVersionLine) + "'"));
    }

    bool named = false;
    std::vector<Layer> layers;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string_view line = trimEnd(lines[i]);
        if (line.starts_with("#"))
            continue;
        if (line.starts_with("name:")) {
            if (named)
                return fail(atLine(lineNumber, "a second name"));
            if (!layers.empty())
                return fail(atLine(lineNumber, "the name must come before the first layer"));
            if (std::string problem = readName(line.substr(5), result.layout); !problem.empty())
                return fail(atLine(lineNumber, problem));
            named = true;
            continue;
        }
        if (line.starts_with("layer")) {
            const std::string_view number = trimStart(line.substr(5));
            if (number.size() != 1 || number[0] < '0' || number[0] > '9')
                return fail(atLine(lineNumber, "expected 'layer N' with N from 0 to " +
                                                   std::to_string(kGridLayers - 1)));
            const int z = number[0] - '0';
            if (z >= kGridLayers)
                return fail(atLine(lineNumber, "layer " + std::to_string(z) +
                                                   " is out of range: layers go from 0 to " +
                                                   std::to_string(kGridLayers - 1)));
            for (const Layer& other : layers) {
                if (other.z == z)
                    return fail(atLine(lineNumber, "layer " + std::to_string(z) +
                                                       " was already drawn at line " +
                                                       std::to_string(other.line)));
            }
            layers.push_back({z, lineNumber, {}});
            continue;
        }
        if (layers.empty()) {
            if (line.empty())
                continue;
            return fail(atLine(lineNumber, "expected 'name: ...' or 'layer N'"));
        }
        layers.back().rows.push_back({lineNumber, std::string(line)});
    }
    if (!named)
        return fail("the layout has no 'name:' line");

    std::vector<Position> positions;
    for (const Layer& layer : layers) {
        if (std::string problem = readTiles(layer, positions); !problem.empty())
            return fail(problem);
    }
    if (positions.size() != LayoutRecord::kPositions) {
        std::string perLayer;
        for (const Layer& layer : layers) {
            const auto count = std::count_if(positions.begin(), positions.end(),
                                             [&](const Position& p) { return p.z == layer.z; });
            perLayer += (perLayer.empty() ? "" : ", ") + std::string("layer ") +
                        std::to_string(layer.z) + ": " + std::to_string(count);
        }
        return fail("the layout has " + std::to_string(positions.size()) + " tiles on " +
                    std::to_string(layers.size()) + " layers (" + perLayer + "); it needs " +
                    std::to_string(LayoutRecord::kPositions));
    }

    std::sort(positions.begin(), positions.end(), [](const Position& a, const Position& b) {
        return std::tuple(-a.z, a.x, -a.y) < std::tuple(-b.z, b.x, -b.y);
    });
    for (std::size_t i = 0; i < positions.size(); ++i) {
        result.layout.x[i] = static_cast<std::uint8_t>(positions[i].x);
        result.layout.y[i] = static_cast<std::uint8_t>(positions[i].y);
        result.layout.z[i] = static_cast<std::uint8_t>(positions[i].z);
    }
    return result;
}

std::string formatLayoutText(const LayoutRecord& layout) {
    std::string text = std::string(kLayoutTextVersionLine) + "\nname: " + layout.nameText() + "\n";
    for (int z = 0; z < kGridLayers; ++z) {
        std::vector<std::string> rows(kDrawnRows, std::string(kDrawnColumns, '.'));
        bool any = false;
        for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
            const int x = layout.x[i];
            const int y = layout.y[i];
            if (layout.z[i] != z || x + 1 >= kDrawnColumns || y + 1 >= kDrawnRows)
                continue;
            rows[y][x] = '/';
            rows[y][x + 1] = '\\';
            rows[y + 1][x] = '\\';
            rows[y + 1][x + 1] = '/';
            any = true;
        }
        if (!any)
            continue;
        text += "layer " + std::to_string(z) + "\n";
        for (const std::string& row : rows)
            text += row + "\n";
    }
    return text;
}

} // namespace tessalo
