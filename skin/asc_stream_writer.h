#pragma once

#include "skin/arithmetic_encoder.h"
#include "skin/asc_model.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tessalo {

// Writes a compressed-bitmap stream event by event, mirroring the decoder's models step by step,
// and prices events with those models for the parse. The caller keeps every match codable: a
// distance below the bytes written so far (or 0), a length of 3 to 786.
class AscStreamWriter {
  public:
    void literal(std::uint8_t byte);
    void match(std::uint32_t distance, std::uint32_t length);
    // Codes the end symbol and returns the stream.
    std::vector<std::uint8_t> finish(ArithmeticEncoder::Flush flush);

    // Costs in bits of every event with the models as they stand, for the parse.
    struct Prices {
        unsigned history = 0;
        std::array<std::array<float, 2>, 4> decision{}; // [history][literal, match]
        std::array<float, 256> literal{};
        std::array<float, 16> slot{}; // the slot and its extra value
        std::array<float, asc::kMaxLength + 1> length{};
    };
    void prices(Prices& out) const;

  private:
    void event(asc::Event kind);
    void symbol(asc::EscapeModel& model, int value);
    static double symbolPrice(const asc::EscapeModel& model, int value);

    ArithmeticEncoder coder_;
    asc::DecisionModel decisions_;
    asc::EscapeModel literals_{asc::kLiteralParameters};
    asc::EscapeModel lengths_{asc::kLengthParameters};
    asc::DistanceSlots slots_;
    std::uint32_t seenCount_ = 0;
};

} // namespace tessalo
