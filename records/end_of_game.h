#pragma once

// Provisional: the end-of-game sequence lands with the result dialog.
#include <string>

namespace tessalo {

// The counters and names of a finished game. Names are code page 1251.
struct GameResult {
    int remains = 0;
    int seconds = 0;
    int hints = 0;
    std::string picturesName;
    std::string layoutName;
};

} // namespace tessalo
