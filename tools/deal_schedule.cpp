#include "tools/deal_schedule.h"

namespace tessalo::tool {

DealSchedule::DealSchedule(int layouts, int deals)
    : deals_(deals), nextSeed_(layouts, 0), finishedDeals_(layouts, 0),
      finishedMilliseconds_(layouts, 0.0) {}

std::optional<DealSchedule::Deal> DealSchedule::next() {
    const std::lock_guard lock(mutex_);
    int chosen = -1;
    for (int layout = 0; layout < static_cast<int>(nextSeed_.size()); ++layout) {
        if (nextSeed_[layout] < deals_ && (chosen < 0 || goesFirst(layout, chosen)))
            chosen = layout;
    }
    if (chosen < 0)
        return std::nullopt;
    return Deal{chosen, nextSeed_[chosen]++};
}

bool DealSchedule::goesFirst(int a, int b) const {
    if (nextSeed_[a] < kSampleDeals || nextSeed_[b] < kSampleDeals)
        return nextSeed_[a] < nextSeed_[b];
    // A layout none of whose deals is done yet may be the slowest of all.
    if (finishedDeals_[a] == 0 || finishedDeals_[b] == 0)
        return finishedDeals_[a] == 0 && finishedDeals_[b] != 0;
    return finishedMilliseconds_[a] * finishedDeals_[b] >
           finishedMilliseconds_[b] * finishedDeals_[a];
}

void DealSchedule::finished(const Deal& deal, double milliseconds) {
    const std::lock_guard lock(mutex_);
    ++finishedDeals_[deal.layout];
    finishedMilliseconds_[deal.layout] += milliseconds;
}

} // namespace tessalo::tool
