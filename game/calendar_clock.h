#pragma once

#include <cstdint>

namespace tessalo {

struct LocalDate {
    int day = 1;
    int month = 1;
    int year = 1970;
};

// Calendar time, injected so deals and dates are reproducible in tests.
class CalendarClock {
  public:
    virtual ~CalendarClock() = default;
    virtual std::int64_t secondsSinceEpoch() const = 0;
    virtual LocalDate localDate() const = 0;
};

// The machine's own clock.
class SystemCalendarClock final : public CalendarClock {
  public:
    std::int64_t secondsSinceEpoch() const override;
    LocalDate localDate() const override;
};

} // namespace tessalo
