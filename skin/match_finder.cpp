#include "skin/match_finder.h"

#include "skin/asc_model.h"

#include <algorithm>

namespace tessalo {
namespace {

constexpr int kHashBits = 16;

} // namespace

MatchFinder::MatchFinder(std::span<const std::uint8_t> data, int chainDepth)
    : data_(data), chainDepth_(chainDepth), head_(std::size_t{1} << kHashBits, -1),
      previous_(data.size(), -1) {}

std::uint32_t MatchFinder::hashAt(std::size_t position) const {
    const std::uint32_t key = static_cast<std::uint32_t>(data_[position]) << 16 |
                              static_cast<std::uint32_t>(data_[position + 1]) << 8 |
                              data_[position + 2];
    return (key * 2654435761u) >> (32 - kHashBits);
}

void MatchFinder::insertUpTo(std::size_t position) {
    for (; inserted_ < position && inserted_ + asc::kMinLength <= data_.size(); ++inserted_) {
        std::int32_t& head = head_[hashAt(inserted_)];
        previous_[inserted_] = head;
        head = static_cast<std::int32_t>(inserted_);
    }
}

const std::vector<MatchFinder::Match>& MatchFinder::find(std::size_t position) {
    matches_.clear();
    insertUpTo(position);
    if (position + asc::kMinLength > data_.size())
        return matches_;
    const std::size_t maxLength = std::min<std::size_t>(asc::kMaxLength, data_.size() - position);
    const std::uint8_t* here = data_.data() + position;
    std::size_t best = asc::kMinLength - 1;
    std::int32_t candidate = head_[hashAt(position)];
    for (int depth = 0; candidate >= 0 && depth < chainDepth_; ++depth) {
        const std::size_t distance = position - static_cast<std::size_t>(candidate) - 1;
        if (distance >= asc::kWindowSize)
            break;
        const std::uint8_t* there = data_.data() + candidate;
        // A cheap reject before the full comparison: the byte that would make it longer.
        if (there[best] == here[best]) {
            std::size_t length = 0;
            while (length < maxLength && there[length] == here[length])
                ++length;
            if (length > best) {
                best = length;
                matches_.push_back(
                    {static_cast<std::uint32_t>(distance), static_cast<std::uint32_t>(length)});
                if (length == maxLength)
                    break;
            }
        }
        candidate = previous_[static_cast<std::size_t>(candidate)];
    }
    return matches_;
}

} // namespace tessalo
