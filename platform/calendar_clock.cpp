#include "platform/calendar_clock.h"

#include <ctime>

namespace tessalo {

std::int64_t SystemCalendarClock::secondsSinceEpoch() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

LocalDate SystemCalendarClock::localDate() const {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_mday, parts.tm_mon + 1, parts.tm_year + 1900};
}

} // namespace tessalo
