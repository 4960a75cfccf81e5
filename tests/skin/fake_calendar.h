#pragma once

#include "platform/calendar_clock.h"

namespace tessalo {

// A calendar the test moves by hand.
class FakeCalendar final : public CalendarClock {
  public:
    std::int64_t now = 1'000'000'000;
    std::int64_t secondsSinceEpoch() const override { return now; }
    LocalDate localDate() const override { return {}; }
};

} // namespace tessalo
