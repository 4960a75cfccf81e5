#include "tools/deal_schedule.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace tessalo::tool {
namespace {

using Handed = std::pair<int, int>; // layout, seed

Handed take(DealSchedule& schedule) {
    const auto deal = schedule.next();
    EXPECT_TRUE(deal.has_value());
    return deal ? Handed{deal->layout, deal->seed} : Handed{-1, -1};
}

TEST(DealSchedule, StartsSeedBySeedThenFavoursTheSlowestLayout) {
    DealSchedule schedule(3, 10);
    // Four deals of each layout first, seed by seed.
    for (int seed = 0; seed < 4; ++seed) {
        for (int layout = 0; layout < 3; ++layout)
            EXPECT_EQ(take(schedule), Handed(layout, seed));
    }
    // Layout 1 is slow, layout 2 has nothing finished yet, layout 0 is quick.
    for (int seed = 0; seed < 4; ++seed) {
        schedule.finished({0, seed}, 1.0);
        schedule.finished({1, seed}, 30.0);
    }
    EXPECT_EQ(take(schedule), Handed(2, 4));
    schedule.finished({2, 0}, 10.0);
    EXPECT_EQ(take(schedule), Handed(1, 4));
    EXPECT_EQ(take(schedule), Handed(1, 5));
    // One slow deal of layout 2 (mean 50) puts it ahead of layout 1 (mean 30).
    schedule.finished({2, 1}, 90.0);
    EXPECT_EQ(take(schedule), Handed(2, 5));
}

TEST(DealSchedule, HandsOutEveryDealOnceAmongThreads) {
    constexpr int kLayouts = 5;
    constexpr int kDeals = 200;
    DealSchedule schedule(kLayouts, kDeals);
    std::vector<std::vector<Handed>> handed(4);
    {
        std::vector<std::jthread> workers;
        for (auto& mine : handed) {
            workers.emplace_back([&schedule, &mine] {
                while (const auto deal = schedule.next()) {
                    mine.emplace_back(deal->layout, deal->seed);
                    schedule.finished(*deal, deal->layout == 3 ? 5.0 : 0.5);
                }
            });
        }
    }
    std::set<Handed> all;
    std::size_t count = 0;
    for (const auto& mine : handed) {
        count += mine.size();
        all.insert(mine.begin(), mine.end());
    }
    EXPECT_EQ(count, std::size_t{kLayouts * kDeals});
    EXPECT_EQ(all.size(), std::size_t{kLayouts * kDeals});
    EXPECT_EQ(*all.begin(), Handed(0, 0));
    EXPECT_EQ(*all.rbegin(), Handed(kLayouts - 1, kDeals - 1));
    EXPECT_FALSE(schedule.next().has_value());
}

TEST(DealSchedule, NothingToHandOutForNoLayoutsOrNoDeals) {
    DealSchedule noLayouts(0, 10);
    EXPECT_FALSE(noLayouts.next().has_value());
    DealSchedule noDeals(3, 0);
    EXPECT_FALSE(noDeals.next().has_value());
}

} // namespace
} // namespace tessalo::tool
