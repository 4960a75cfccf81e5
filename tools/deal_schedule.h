#pragma once

#include <mutex>
#include <optional>
#include <vector>

namespace tessalo::tool {

// Hands out the deals of several layouts to workers. A few deals of each layout go first, seed by
// seed; after that the next deal comes from the layout whose deals have taken longest on average
// so far. The cheap layouts are then left for the end, and no worker sits idle for long while
// another finishes a slow deal that was handed out last.
class DealSchedule {
  public:
    struct Deal {
        int layout;
        int seed;
    };

    DealSchedule(int layouts, int deals);

    // Each deal of each layout once, then nothing. Safe to call from several threads.
    std::optional<Deal> next();
    // What a deal handed out by next() took.
    void finished(const Deal& deal, double milliseconds);

  private:
    // Whether layout a's next deal is handed out before layout b's.
    bool goesFirst(int a, int b) const;

    // Deals each layout hands out before its time counts.
    static constexpr int kSampleDeals = 4;

    std::mutex mutex_;
    int deals_;
    std::vector<int> nextSeed_;
    std::vector<int> finishedDeals_;
    std::vector<double> finishedMilliseconds_;
};

} // namespace tessalo::tool
