#include "skin/asc_stream_writer.h"

#include <algorithm>
#include <cmath>

namespace tessalo {

using namespace asc;

namespace {

double bits(std::uint32_t count, std::uint32_t total) {
    return std::log2(static_cast<double>(total) / static_cast<double>(count));
}

} // namespace

void AscStreamWriter::literal(std::uint8_t byte) {
    event(Event::Literal);
    symbol(literals_, byte);
    if (seenCount_ < kWindowSize)
        ++seenCount_;
}

void AscStreamWriter::match(std::uint32_t distance, std::uint32_t length) {
    event(Event::Match);
    slots_.enableFor(seenCount_);
    const int slot = DistanceSlots::slotOf(distance);
    const auto interval = slots_.tree().interval(slot);
    coder_.encode(interval.low, interval.high, slots_.tree().total());
    slots_.learn(slot);
    const DistanceSlots::Range range = slots_.range(slot, seenCount_);
    if (range.width != 0)
        coder_.encode(distance - range.base, distance - range.base + 1, range.width);
    const LengthCode code = lengthCode(length);
    symbol(lengths_, code.symbol);
    if (code.extra >= 0)
        coder_.encode(static_cast<std::uint32_t>(code.extra),
                      static_cast<std::uint32_t>(code.extra) + 1, 16);
    seenCount_ = std::min(seenCount_ + length, kWindowSize);
}

std::vector<std::uint8_t> AscStreamWriter::finish(ArithmeticEncoder::Flush flush) {
    const DecisionModel::Counts counts = decisions_.counts();
    coder_.encode(counts.total() - 1, counts.total(), counts.total());
    return coder_.finish(flush);
}

void AscStreamWriter::prices(Prices& out) const {
    out.history = decisions_.history();
    for (unsigned history = 0; history < 4; ++history) {
        const DecisionModel::Counts counts = decisions_.counts(history);
        out.decision[history] = {static_cast<float>(bits(counts.literal, counts.total())),
                                 static_cast<float>(bits(counts.match, counts.total()))};
    }
    for (int byte = 0; byte < 256; ++byte)
        out.literal[byte] = static_cast<float>(symbolPrice(literals_, byte));
    const FrequencyTree& slots = slots_.tree();
    for (int slot = 0; slot < 16; ++slot) {
        // A slot not enabled yet will come with its start count of 24.
        const std::uint32_t count = slots.count(slot);
        out.slot[slot] = static_cast<float>(bits(count != 0 ? count : 24, slots.total() + 24) +
                                            (slot >= 2 ? slot - 1 : 0));
    }
    double symbolPrices[64];
    for (int symbol = 0; symbol < 64; ++symbol)
        symbolPrices[symbol] = symbolPrice(lengths_, symbol);
    for (std::uint32_t length = kMinLength; length <= kMaxLength; ++length) {
        const LengthCode code = lengthCode(length);
        out.length[length] =
            static_cast<float>(symbolPrices[code.symbol] + (code.extra >= 0 ? 4 : 0));
    }
}

void AscStreamWriter::event(Event kind) {
    const DecisionModel::Counts counts = decisions_.counts();
    if (kind == Event::Literal)
        coder_.encode(0, counts.literal, counts.total());
    else
        coder_.encode(counts.literal, counts.literal + counts.match, counts.total());
    decisions_.update(kind);
}

void AscStreamWriter::symbol(EscapeModel& model, int value) {
    const FrequencyTree& known = model.knownTree();
    const std::uint32_t total = known.total() + model.escape();
    if (known.count(value) != 0) {
        const auto interval = known.interval(value);
        coder_.encode(interval.low, interval.high, total);
    } else {
        coder_.encode(known.total(), total, total);
        const auto interval = model.newTree().interval(value);
        coder_.encode(interval.low, interval.high, model.newTree().total());
        model.retire(value);
    }
    model.learn(value);
}

double AscStreamWriter::symbolPrice(const EscapeModel& model, int value) {
    const FrequencyTree& known = model.knownTree();
    const std::uint32_t total = known.total() + model.escape();
    if (known.count(value) != 0)
        return bits(known.count(value), total);
    return bits(model.escape(), total) +
           bits(model.newTree().count(value), model.newTree().total());
}

} // namespace tessalo
