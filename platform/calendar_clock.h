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

// A clock that always reads the same: a deal or a date that must come out again.
class FixedCalendarClock final : public CalendarClock {
  public:
    explicit FixedCalendarClock(std::int64_t seconds, LocalDate date = {})
        : seconds_(seconds), date_(date) {}
    std::int64_t secondsSinceEpoch() const override { return seconds_; }
    LocalDate localDate() const override { return date_; }

  private:
    std::int64_t seconds_;
    LocalDate date_;
};

// The machine's own clock.
class SystemCalendarClock final : public CalendarClock {
  public:
    std::int64_t secondsSinceEpoch() const override;
    LocalDate localDate() const override;
};

} // namespace tessalo
