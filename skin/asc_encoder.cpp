#include "skin/asc_encoder.h"

#include "skin/asc_model.h"
#include "skin/asc_stream_writer.h"
#include "skin/match_finder.h"

#include <algorithm>
#include <limits>

namespace tessalo {
namespace {

using namespace asc;

void greedyParse(std::span<const std::uint8_t> data, AscStreamWriter& writer) {
    MatchFinder finder(data, 64);
    std::size_t position = 0;
    while (position < data.size()) {
        const auto& matches = finder.find(position);
        if (matches.empty()) {
            writer.literal(data[position++]);
            continue;
        }
        const auto longest = matches.back();
        writer.match(longest.distance, longest.length);
        position += longest.length;
    }
}

// Cheapest parse of one block at a time with the prices frozen at the block's start. A node is a
// position together with the kind of the event that reached it, since the next decision is coded
// in the context of the last two kinds.
class OptimalParser {
  public:
    OptimalParser(std::span<const std::uint8_t> data, AscStreamWriter& writer)
        : data_(data), writer_(writer), finder_(data, 128) {}

    void run() {
        std::size_t start = 0;
        while (start < data_.size())
            start = parseBlock(start);
    }

  private:
    static constexpr std::size_t kBlockSize = 2048;
    // A match this long is taken at once: nothing cheaper is likely, and a long run would
    // otherwise be priced at every length from every position.
    static constexpr std::uint32_t kTakeAtOnce = 160;

    struct Node {
        float cost = std::numeric_limits<float>::infinity();
        std::uint32_t step = 0; // 1 for a literal, else the match length
        std::uint32_t distance = 0;
        unsigned fromKind = 0; // 0 literal, 1 match: the kind that reached the previous node
    };

    std::size_t parseBlock(std::size_t start) {
        writer_.prices(prices_);
        const std::size_t end = std::min(data_.size(), start + kBlockSize);
        const std::size_t size = end - start;
        nodes_.assign(2 * (size + 1), Node{});
        const unsigned startKind = prices_.history & 1;
        node(0, startKind).cost = 0;
        node(0, startKind).fromKind = prices_.history >> 1;

        for (std::size_t p = 0; p < size; ++p) {
            const auto& matches = finder_.find(start + p);
            if (!matches.empty() && matches.back().length >= kTakeAtOnce) {
                emit(start, p);
                writer_.match(matches.back().distance, matches.back().length);
                return start + p + matches.back().length;
            }
            for (unsigned kind = 0; kind < 2; ++kind) {
                const Node& from = node(p, kind);
                if (from.cost == std::numeric_limits<float>::infinity())
                    continue;
                const auto& decision = prices_.decision[(from.fromKind << 1) | kind];
                relax(p + 1, 0, from.cost + decision[0] + prices_.literal[data_[start + p]], 1, 0,
                      kind);
                const float matchBase = from.cost + decision[1];
                std::uint32_t length = kMinLength;
                for (const auto& match : matches) {
                    const float base =
                        matchBase + prices_.slot[DistanceSlots::slotOf(match.distance)];
                    const std::uint32_t longest =
                        std::min<std::uint32_t>(match.length, static_cast<std::uint32_t>(size - p));
                    for (; length <= longest; ++length)
                        relax(p + length, 1, base + prices_.length[length], length, match.distance,
                              kind);
                }
            }
        }
        emit(start, size);
        return end;
    }

    Node& node(std::size_t p, unsigned kind) { return nodes_[2 * p + kind]; }

    void relax(std::size_t p, unsigned kind, float cost, std::uint32_t step, std::uint32_t distance,
               unsigned fromKind) {
        Node& target = node(p, kind);
        if (cost < target.cost)
            target = {cost, step, distance, fromKind};
    }

    // Writes the cheapest path from the block's start to `p`.
    void emit(std::size_t start, std::size_t p) {
        path_.clear();
        unsigned kind = node(p, 0).cost <= node(p, 1).cost ? 0 : 1;
        while (p > 0) {
            const Node& at = node(p, kind);
            path_.push_back(at);
            p -= at.step;
            kind = at.fromKind;
        }
        std::size_t position = start;
        for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
            if (it->step < kMinLength)
                writer_.literal(data_[position]);
            else
                writer_.match(it->distance, it->step);
            position += it->step;
        }
    }

    std::span<const std::uint8_t> data_;
    AscStreamWriter& writer_;
    MatchFinder finder_;
    AscStreamWriter::Prices prices_;
    std::vector<Node> nodes_;
    std::vector<Node> path_;
};

} // namespace

std::vector<std::uint8_t> encodeAsc(std::span<const std::uint8_t> data,
                                    const AscEncodeOptions& options) {
    AscStreamWriter writer;
    if (options.greedyParse)
        greedyParse(data, writer);
    else
        OptimalParser(data, writer).run();
    const auto stream = writer.finish(options.textbookFlush ? ArithmeticEncoder::Flush::Textbook
                                                            : ArithmeticEncoder::Flush::Shortest);
    const auto size = static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> container(4 + stream.size());
    for (int i = 0; i < 4; ++i)
        container[i] = static_cast<std::uint8_t>(size >> (8 * i));
    std::copy(stream.begin(), stream.end(), container.begin() + 4);
    return container;
}

} // namespace tessalo
