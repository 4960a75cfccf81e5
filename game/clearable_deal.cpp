#include "game/clearable_deal.h"

#include "game/deal_random.h"

namespace tessalo {

ClearableDeal findClearableDeal(const PositionRelations& relations, std::uint32_t second,
                                std::uint64_t budget, int tries) {
    ClearableDeal deal;
    for (int offset = 0; offset < tries; ++offset) {
        // The seed wraps like the calendar second it stands for.
        const std::uint32_t seed = second + static_cast<std::uint32_t>(offset);
        std::vector<std::uint8_t> order = dealOrderForSeed(seed);
        SolveOutcome outcome = solveDeal(relations, order, budget);
        deal.tries = offset + 1;
        if (outcome.result == SolveResult::Clearable) {
            deal.seed = seed;
            deal.dealOrder = std::move(order);
            deal.proven = true;
            deal.pairs = std::move(outcome.pairs);
            return deal;
        }
    }
    deal.seed = second;
    deal.dealOrder = dealOrderForSeed(second);
    return deal;
}

} // namespace tessalo
