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

double AscStreamWriter::literalPrice(std::uint8_t byte) const {
    const DecisionModel::Counts counts = decisions_.counts();
    return bits(counts.literal, counts.total()) + symbolPrice(literals_, byte);
}

double AscStreamWriter::matchPrice(std::uint32_t distance, std::uint32_t length) const {
    const DecisionModel::Counts counts = decisions_.counts();
    double price = bits(counts.match, counts.total());
    const int slot = DistanceSlots::slotOf(distance);
    const std::uint32_t slotCount = slots_.tree().count(slot);
    // A slot not enabled yet gets its start count of 24.
    price += bits(slotCount != 0 ? slotCount : 24, slots_.tree().total() + 24);
    if (slot >= 2)
        price += slot - 1;
    const LengthCode code = lengthCode(length);
    price += symbolPrice(lengths_, code.symbol) + (code.extra >= 0 ? 4 : 0);
    return price;
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
