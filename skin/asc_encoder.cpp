#include "skin/asc_encoder.h"

#include "skin/arithmetic_encoder.h"
#include "skin/asc_model.h"
#include "skin/match_finder.h"

#include <algorithm>
#include <cmath>

namespace tessalo {
namespace {

using namespace asc;

double bits(std::uint32_t count, std::uint32_t total) {
    return std::log2(static_cast<double>(total) / static_cast<double>(count));
}

// Mirrors the decoder's models step by step, and prices events with them for the parse.
class AscEncoder {
  public:
    void literal(std::uint8_t byte) {
        event(Event::Literal);
        symbol(literals_, byte);
        if (seenCount_ < kWindowSize)
            ++seenCount_;
    }

    void match(std::uint32_t distance, std::uint32_t length) {
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

    std::vector<std::uint8_t> finish(ArithmeticEncoder::Flush flush) {
        const DecisionModel::Counts counts = decisions_.counts();
        coder_.encode(counts.total() - 1, counts.total(), counts.total());
        return coder_.finish(flush);
    }

    double literalPrice(std::uint8_t byte) const {
        const DecisionModel::Counts counts = decisions_.counts();
        return bits(counts.literal, counts.total()) + symbolPrice(literals_, byte);
    }

    double matchPrice(std::uint32_t distance, std::uint32_t length) const {
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

  private:
    void event(Event kind) {
        const DecisionModel::Counts counts = decisions_.counts();
        if (kind == Event::Literal)
            coder_.encode(0, counts.literal, counts.total());
        else
            coder_.encode(counts.literal, counts.literal + counts.match, counts.total());
        decisions_.update(kind);
    }

    void symbol(EscapeModel& model, int value) {
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

    static double symbolPrice(const EscapeModel& model, int value) {
        const FrequencyTree& known = model.knownTree();
        const std::uint32_t total = known.total() + model.escape();
        if (known.count(value) != 0)
            return bits(known.count(value), total);
        return bits(model.escape(), total) +
               bits(model.newTree().count(value), model.newTree().total());
    }

    ArithmeticEncoder coder_;
    DecisionModel decisions_;
    EscapeModel literals_{kLiteralParameters};
    EscapeModel lengths_{kLengthParameters};
    DistanceSlots slots_;
    std::uint32_t seenCount_ = 0;
};

struct Choice {
    MatchFinder::Match match{0, 0};
    double gain = 0; // bits saved against coding the bytes as literals
};

// Bytes a match covers are priced as literals at the running average, which is cheap and close
// enough to pick between candidates.
Choice bestChoice(const AscEncoder& encoder, const std::vector<MatchFinder::Match>& matches,
                  double literalBits) {
    Choice best;
    for (const auto& match : matches) {
        const double gain =
            literalBits * match.length - encoder.matchPrice(match.distance, match.length);
        if (gain > best.gain)
            best = {match, gain};
    }
    return best;
}

void greedyParse(std::span<const std::uint8_t> data, AscEncoder& encoder) {
    MatchFinder finder(data, 64);
    std::size_t position = 0;
    while (position < data.size()) {
        const auto& matches = finder.find(position);
        if (matches.empty()) {
            encoder.literal(data[position++]);
            continue;
        }
        const auto longest = matches.back();
        encoder.match(longest.distance, longest.length);
        position += longest.length;
    }
}

void pricedParse(std::span<const std::uint8_t> data, AscEncoder& encoder) {
    MatchFinder finder(data, 256);
    double literalBits = 8;
    std::size_t position = 0;
    const auto codeLiteral = [&] {
        const double price = encoder.literalPrice(data[position]);
        literalBits = 0.95 * literalBits + 0.05 * price;
        encoder.literal(data[position++]);
    };
    while (position < data.size()) {
        const Choice here = bestChoice(encoder, finder.find(position), literalBits);
        if (here.match.length == 0) {
            codeLiteral();
            continue;
        }
        // One step of laziness: a literal now is worth it when the next position saves more.
        if (here.match.length < kMaxLength && position + 1 < data.size()) {
            const Choice next = bestChoice(encoder, finder.find(position + 1), literalBits);
            if (next.gain > here.gain + literalBits * 0.5) {
                codeLiteral();
                continue;
            }
        }
        encoder.match(here.match.distance, here.match.length);
        position += here.match.length;
    }
}

} // namespace

std::vector<std::uint8_t> encodeAsc(std::span<const std::uint8_t> data,
                                    const AscEncodeOptions& options) {
    AscEncoder encoder;
    if (options.greedyParse)
        greedyParse(data, encoder);
    else
        pricedParse(data, encoder);
    const auto stream = encoder.finish(options.textbookFlush ? ArithmeticEncoder::Flush::Textbook
                                                             : ArithmeticEncoder::Flush::Shortest);
    const auto size = static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> container(4 + stream.size());
    for (int i = 0; i < 4; ++i)
        container[i] = static_cast<std::uint8_t>(size >> (8 * i));
    std::copy(stream.begin(), stream.end(), container.begin() + 4);
    return container;
}

} // namespace tessalo
