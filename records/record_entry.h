#pragma once

#include "platform/calendar_clock.h"

#include <cstdint>
#include <string>

namespace tessalo {

// One stored result. Texts are bytes of code page 1251, compared exactly.
struct RecordEntry {
    std::string playerName;
    std::string picturesName;
    std::string dateText;
    std::string layoutName;
    std::int32_t remains = 0;
    std::int32_t seconds = 0;
    std::int32_t hints = 0;
    std::uint32_t score = 0; // lower is better; always compared unsigned

    bool operator==(const RecordEntry&) const = default;
};

// seconds + 30 × (hints + remains), wrapping as the stored 32-bit value does.
inline std::uint32_t recordScore(std::int32_t seconds, std::int32_t hints, std::int32_t remains) {
    return static_cast<std::uint32_t>(seconds) +
           30u * (static_cast<std::uint32_t>(hints) + static_cast<std::uint32_t>(remains));
}

// Results compete only with results of the same pictures set and layout.
inline bool sameGroup(const RecordEntry& a, const RecordEntry& b) {
    return a.picturesName == b.picturesName && a.layoutName == b.layoutName;
}

// Minutes, ":" and two-digit seconds; the minutes are not wrapped at 60: 75:03.
inline std::string recordTimeText(std::int32_t seconds) {
    const std::int64_t total = seconds < 0 ? 0 : seconds;
    const std::int64_t rest = total % 60;
    return std::to_string(total / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

// Day.month.year without leading zeros: 7.3.1999.
inline std::string recordDateText(const LocalDate& date) {
    return std::to_string(date.day) + "." + std::to_string(date.month) + "." +
           std::to_string(date.year);
}

inline std::string recordDateText(const CalendarClock& clock) {
    return recordDateText(clock.localDate());
}

} // namespace tessalo
