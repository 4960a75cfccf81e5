#pragma once

#include "skin/arithmetic_encoder.h"
#include "skin/asc_model.h"

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

    // Estimated cost in bits with the models as they stand.
    double literalPrice(std::uint8_t byte) const;
    double matchPrice(std::uint32_t distance, std::uint32_t length) const;

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
