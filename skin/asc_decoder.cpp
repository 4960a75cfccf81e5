#include "skin/asc_decoder.h"

#include "platform/fresh_pages.h"
#include "skin/arithmetic_decoder.h"
#include "skin/asc_model.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tessalo {
namespace {

using namespace asc;

// One decode: fresh models and one output, bounded by D, that is also the window.
class AscDecoder {
  public:
    AscDecoder(std::span<const std::uint8_t> stream, std::uint32_t decodedSize,
               std::size_t stopAfter)
        : coder_(stream), decodedSize_(decodedSize), stopAfter_(stopAfter) {
        // Address space only: the pages are touched as output is produced, so a damaged D costs
        // nothing, and the output never moves.
        output_.reserve(std::min<std::size_t>(decodedSize, stopAfter));
    }

    std::optional<std::vector<std::uint8_t>> run() {
        for (;;) {
            if (produced_ >= stopAfter_) {
                output_.resize(stopAfter_);
                return std::move(output_);
            }
            const Event event = decodeEvent();
            if (event == Event::End)
                break;
            const bool ok = event == Event::Literal ? decodeLiteral() : decodeMatch();
            if (!ok)
                return std::nullopt;
        }
        if (produced_ != decodedSize_)
            return std::nullopt;
        output_.resize(produced_);
        return std::move(output_);
    }

  private:
    Event decodeEvent() {
        const DecisionModel::Counts counts = decisions_.counts();
        const std::uint32_t total = counts.total();
        const std::uint32_t t = coder_.count(total);
        Event event = Event::Match;
        if (t < counts.literal) {
            coder_.consume(0, counts.literal, total);
            event = Event::Literal;
        } else if (t >= counts.literal + counts.match) {
            coder_.consume(total - 1, total, total);
            return Event::End;
        } else {
            coder_.consume(counts.literal, counts.literal + counts.match, total);
        }
        decisions_.update(event);
        return event;
    }

    // -1 when the stream codes an escape although no new symbol is left.
    int decodeSymbol(EscapeModel& model) {
        const FrequencyTree& known = model.knownTree();
        const std::uint32_t knownTotal = known.total();
        const std::uint32_t total = knownTotal + model.escape();
        if (total == 0)
            return -1;
        const std::uint32_t t = coder_.count(total);
        int symbol = 0;
        if (t < knownTotal) {
            const auto found = known.find(t);
            coder_.consume(found.low, found.high, total);
            symbol = found.symbol;
        } else {
            coder_.consume(knownTotal, total, total);
            const FrequencyTree& fresh = model.newTree();
            const std::uint32_t freshTotal = fresh.total();
            if (freshTotal == 0)
                return -1;
            const auto found = fresh.find(coder_.count(freshTotal));
            coder_.consume(found.low, found.high, freshTotal);
            symbol = found.symbol;
            model.retire(symbol);
        }
        model.learn(symbol);
        return symbol;
    }

    std::uint32_t decodeUniform(std::uint32_t width) {
        const std::uint32_t value = coder_.count(width);
        coder_.consume(value, value + 1, width);
        return value;
    }

    bool decodeLiteral() {
        const int symbol = decodeSymbol(literals_);
        if (symbol < 0 || produced_ >= decodedSize_)
            return false;
        makeRoom(produced_ + 1);
        output_[produced_++] = static_cast<std::uint8_t>(symbol);
        if (seenCount_ < kWindowSize)
            ++seenCount_;
        return true;
    }

    bool decodeMatch() {
        slots_.enableFor(seenCount_);
        const FrequencyTree& slotTree = slots_.tree();
        const auto slot = slotTree.find(coder_.count(slotTree.total()));
        coder_.consume(slot.low, slot.high, slotTree.total());
        slots_.learn(slot.symbol);
        const DistanceSlots::Range range = slots_.range(slot.symbol, seenCount_);
        std::uint32_t distance = range.base;
        if (range.width != 0)
            distance += decodeUniform(range.width);

        const int symbol = decodeSymbol(lengths_);
        if (symbol < 0)
            return false;
        const std::uint32_t extra = lengthSymbolHasExtra(symbol) ? decodeUniform(16) : 0;
        const std::uint32_t length = lengthFromCode(symbol, extra);
        if (length > decodedSize_ - produced_)
            return false;
        if (seenCount_ < kWindowSize)
            seenCount_ = std::min(seenCount_ + length, kWindowSize);

        copyMatch(distance, length);
        return true;
    }

    // Grown in blocks ahead of the bytes produced, and zero beyond them, so a byte costs no
    // resize.
    void makeRoom(std::size_t needed) {
        if (needed <= output_.size())
            return;
        constexpr std::size_t kBlock = std::size_t(1) << 18;
        const std::size_t had = output_.size();
        const std::size_t size = std::min<std::size_t>(
            std::max(needed, had + kBlock), std::max<std::size_t>(output_.capacity(), needed));
        if (size <= output_.capacity())
            mapFreshPages(output_.data() + had, size - had);
        output_.resize(size);
    }

    // The output is its own window: a distance never reaches back further than the window, and
    // the bytes before the first one read as zero.
    void copyMatch(std::uint32_t distance, std::uint32_t length) {
        const std::size_t start = produced_;
        const std::size_t back = std::size_t(distance) + 1;
        makeRoom(start + length);
        produced_ = start + length;
        std::uint8_t* out = output_.data();
        std::size_t to = std::max(start, back);
        const std::size_t end = start + length;
        if (back >= length) {
            if (to < end)
                std::memcpy(out + to, out + to - back, end - to);
            return;
        }
        // Byte by byte on purpose: an overlapping copy repeats a short pattern.
        for (; to < end; ++to)
            out[to] = out[to - back];
    }

    ArithmeticDecoder coder_;
    std::uint32_t decodedSize_;
    std::size_t stopAfter_;
    std::vector<std::uint8_t> output_;
    std::size_t produced_ = 0;
    std::uint32_t seenCount_ = 0;
    DecisionModel decisions_;
    EscapeModel literals_{kLiteralParameters};
    EscapeModel lengths_{kLengthParameters};
    DistanceSlots slots_;
};

std::optional<std::vector<std::uint8_t>> decodeUpTo(std::span<const std::uint8_t> container,
                                                    std::size_t stopAfter) {
    if (container.size() < 4)
        return std::nullopt;
    const std::uint32_t decodedSize = static_cast<std::uint32_t>(container[0]) |
                                      static_cast<std::uint32_t>(container[1]) << 8 |
                                      static_cast<std::uint32_t>(container[2]) << 16 |
                                      static_cast<std::uint32_t>(container[3]) << 24;
    if (decodedSize > asc::kMaxDecodedSize)
        return std::nullopt;
    // A prefix reaching D is a whole decode, end symbol included.
    if (stopAfter >= decodedSize)
        stopAfter = std::numeric_limits<std::size_t>::max();
    AscDecoder decoder(container.subspan(4), decodedSize, stopAfter);
    return decoder.run();
}

} // namespace

std::optional<std::vector<std::uint8_t>> decodeAsc(std::span<const std::uint8_t> container) {
    return decodeUpTo(container, std::numeric_limits<std::size_t>::max());
}

std::optional<std::vector<std::uint8_t>> decodeAscPrefix(std::span<const std::uint8_t> container,
                                                         std::size_t count) {
    return decodeUpTo(container, count);
}

} // namespace tessalo
