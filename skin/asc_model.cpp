#include "skin/asc_model.h"

#include <algorithm>
#include <bit>

namespace tessalo::asc {

void DecisionModel::update(Event event) {
    Pair& pair = pairs_[history_];
    const std::uint32_t sum = pair.literal + pair.match;
    if (event == Event::Literal)
        pair.literal = static_cast<std::uint16_t>(pair.literal + 40);
    else
        pair.match = static_cast<std::uint16_t>(pair.match + 40);
    if (sum >= 6000) {
        pair.literal = static_cast<std::uint16_t>(std::max(pair.literal >> 1, 1));
        pair.match = static_cast<std::uint16_t>(std::max(pair.match >> 1, 1));
    }
    history_ = ((history_ & 1u) << 1) | (event == Event::Match ? 1u : 0u);
}

EscapeModel::EscapeModel(const EscapeParameters& parameters)
    : parameters_(parameters), known_(parameters.symbols), new_(parameters.symbols),
      escape_(parameters.initialEscape) {
    new_.fill(1);
}

void EscapeModel::retire(int symbol) {
    new_.remove(symbol);
    escape_ = new_.total() != 0 ? static_cast<std::uint16_t>(escape_ + parameters_.escapeStep) : 0;
    const int from = std::max(symbol - parameters_.neighbourRadius, 0);
    const int to = std::min(symbol + parameters_.neighbourRadius, parameters_.symbols - 1);
    for (int i = from; i < to; ++i) {
        if (new_.count(i) != 0)
            new_.add(i, 1, parameters_.limit);
    }
}

void EscapeModel::learn(int symbol) {
    known_.add(symbol, parameters_.knownIncrement, parameters_.limit);
    if (known_.count(symbol) == parameters_.knownCountThatLowersEscape) {
        escape_ = escape_ > parameters_.escapeStep
                      ? static_cast<std::uint16_t>(escape_ - parameters_.escapeStep)
                      : std::uint16_t{1};
    }
}

DistanceSlots::DistanceSlots() : tree_(16) {
    tree_.add(0, 24, 6000);
}

void DistanceSlots::enableFor(std::uint32_t seenCount) {
    while (seenCount > slotLimit_ && nextSlot_ < tree_.leaves()) {
        tree_.add(nextSlot_, 24, 6000);
        ++nextSlot_;
        slotLimit_ *= 2;
    }
}

DistanceSlots::Range DistanceSlots::range(int slot, std::uint32_t seenCount) const {
    if (slot < 2)
        return {static_cast<std::uint32_t>(slot), 0};
    const std::uint32_t base = 1u << (slot - 1);
    if (slot == nextSlot_ - 1)
        return {base, seenCount - slotLimit_ / 2};
    return {base, base};
}

int DistanceSlots::slotOf(std::uint32_t distance) {
    return distance < 2 ? static_cast<int>(distance) : std::bit_width(distance);
}

LengthCode lengthCode(std::uint32_t length) {
    if (length <= 17)
        return {static_cast<int>(length - 3), -1};
    if (length == kMaxLength)
        return {15, -1};
    return {static_cast<int>((length + 238) / 16), static_cast<int>((length + 238) % 16)};
}

std::uint32_t lengthFromCode(int symbol, std::uint32_t extra) {
    if (symbol < 15)
        return static_cast<std::uint32_t>(symbol) + 3;
    if (symbol == 15)
        return kMaxLength;
    return 16 * static_cast<std::uint32_t>(symbol) - 238 + extra;
}

} // namespace tessalo::asc
