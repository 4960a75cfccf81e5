#pragma once

#include "skin/frequency_tree.h"

#include <array>
#include <cstdint>

// The adaptive models shared by the compressed-bitmap decoder and its encoder. Both sides must
// update them at exactly the same moments, so every update rule lives here once.
namespace tessalo::asc {

inline constexpr std::uint32_t kWindowSize = 31200;
inline constexpr std::uint32_t kMinLength = 3;
inline constexpr std::uint32_t kMaxLength = 786;
// Larger images do not exist in picture sets; refusing them keeps a damaged size from
// allocating gigabytes.
inline constexpr std::uint32_t kMaxDecodedSize = 64u * 1024 * 1024;

enum class Event { Literal, Match, End };

// Literal count A and match count B per history of the last two events; the end event has the
// fixed count 1 after them.
class DecisionModel {
  public:
    struct Counts {
        std::uint32_t literal;
        std::uint32_t match;
        std::uint32_t total() const { return literal + match + 1; }
    };

    Counts counts() const { return counts(history_); }
    Counts counts(unsigned history) const {
        return {pairs_[history].literal, pairs_[history].match};
    }
    unsigned history() const { return history_; }
    void update(Event event);

  private:
    struct Pair {
        std::uint16_t literal = 40;
        std::uint16_t match = 40;
    };
    std::array<Pair, 4> pairs_{};
    unsigned history_ = 0;
};

struct EscapeParameters {
    int symbols;
    std::uint16_t escapeStep;
    std::uint16_t knownIncrement;
    std::uint32_t limit;
    std::uint16_t knownCountThatLowersEscape;
    int neighbourRadius;
    std::uint16_t initialEscape;
};

inline constexpr EscapeParameters kLiteralParameters{256, 1, 1, 1000, 3, 8, 1};
inline constexpr EscapeParameters kLengthParameters{64, 8, 8, 6000, 24, 4, 8};

// Symbols already seen are coded in the known tree; the escape count E, placed after the known
// total, leads to the tree of symbols not yet seen.
class EscapeModel {
  public:
    explicit EscapeModel(const EscapeParameters& parameters);

    const FrequencyTree& knownTree() const { return known_; }
    const FrequencyTree& newTree() const { return new_; }
    std::uint32_t escape() const { return escape_; }

    // A symbol coded through the escape leaves the new tree; its unseen neighbours gain weight,
    // since images tend to bring nearby values soon.
    void retire(int symbol);
    // Every coded symbol, known or new, is counted in the known tree afterwards.
    void learn(int symbol);

  private:
    EscapeParameters parameters_;
    FrequencyTree known_;
    FrequencyTree new_;
    std::uint16_t escape_;
};

// Distance slots: slot 0 is distance 0, slot 1 distance 1, slot s >= 2 the distances 2^(s-1) to
// 2^s - 1. Slots are enabled one by one as output grows, and the highest enabled one is narrowed
// to the distances that exist.
class DistanceSlots {
  public:
    struct Range {
        std::uint32_t base;
        std::uint32_t width; // 0: the slot carries no extra value
    };

    DistanceSlots();

    void enableFor(std::uint32_t seenCount);
    Range range(int slot, std::uint32_t seenCount) const;
    void learn(int slot) { tree_.add(slot, 24, 6000); }
    const FrequencyTree& tree() const { return tree_; }

    static int slotOf(std::uint32_t distance);

  private:
    FrequencyTree tree_;
    int nextSlot_ = 1;
    std::uint32_t slotLimit_ = 1;
};

// Copy lengths 3..786 as a length symbol 0..63 and, for symbols 16..63, an extra value 0..15.
struct LengthCode {
    int symbol;
    int extra; // -1 when the symbol carries none
};
LengthCode lengthCode(std::uint32_t length);
inline bool lengthSymbolHasExtra(int symbol) {
    return symbol >= 16;
}
std::uint32_t lengthFromCode(int symbol, std::uint32_t extra);

} // namespace tessalo::asc
