#pragma once

#include <string>

namespace tessalo {

// A finished game's counters and the names of what it was played with (code page 1251).
struct GameResult {
    int remains = 0;
    int seconds = 0;
    int hints = 0;
    std::string picturesName;
    std::string layoutName;
    // Dealt by the clearable deals' search and proven clearable: ranked in their own table.
    bool provenClearableDeal = false;
};

} // namespace tessalo
