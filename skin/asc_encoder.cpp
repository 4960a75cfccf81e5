#include "skin/asc_encoder.h"

#include "skin/asc_model.h"
#include "skin/asc_stream_writer.h"
#include "skin/match_finder.h"

#include <algorithm>

namespace tessalo {
namespace {

using namespace asc;

struct Choice {
    MatchFinder::Match match{0, 0};
    double gain = 0; // bits saved against coding the bytes as literals
};

// Bytes a match covers are priced as literals at the running average, which is cheap and close
// enough to pick between candidates.
Choice bestChoice(const AscStreamWriter& writer, const std::vector<MatchFinder::Match>& matches,
                  double literalBits) {
    Choice best;
    for (const auto& match : matches) {
        const double gain =
            literalBits * match.length - writer.matchPrice(match.distance, match.length);
        if (gain > best.gain)
            best = {match, gain};
    }
    return best;
}

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

void pricedParse(std::span<const std::uint8_t> data, AscStreamWriter& writer) {
    MatchFinder finder(data, 256);
    double literalBits = 8;
    std::size_t position = 0;
    const auto codeLiteral = [&] {
        const double price = writer.literalPrice(data[position]);
        literalBits = 0.95 * literalBits + 0.05 * price;
        writer.literal(data[position++]);
    };
    while (position < data.size()) {
        const Choice here = bestChoice(writer, finder.find(position), literalBits);
        if (here.match.length == 0) {
            codeLiteral();
            continue;
        }
        // One step of laziness: a literal now is worth it when the next position saves more.
        if (here.match.length < kMaxLength && position + 1 < data.size()) {
            const Choice next = bestChoice(writer, finder.find(position + 1), literalBits);
            if (next.gain > here.gain + literalBits * 0.5) {
                codeLiteral();
                continue;
            }
        }
        writer.match(here.match.distance, here.match.length);
        position += here.match.length;
    }
}

} // namespace

std::vector<std::uint8_t> encodeAsc(std::span<const std::uint8_t> data,
                                    const AscEncodeOptions& options) {
    AscStreamWriter writer;
    if (options.greedyParse)
        greedyParse(data, writer);
    else
        pricedParse(data, writer);
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
