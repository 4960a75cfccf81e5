#pragma once

#include "platform/byte_reader.h"
#include "platform/byte_writer.h"

#include <string>
#include <string_view>

namespace tessalo {

// The string encoding of the records and configuration files: a length, then that many bytes of
// 8-bit text. On a short or malformed input the reader's failure flag is set and "" returned;
// nothing is allocated for a length the input cannot hold.
std::string readLengthPrefixedString(ByteReader& reader);
// Never writes the UTF-16 form that the reader accepts.
void writeLengthPrefixedString(ByteWriter& writer, std::string_view text);

} // namespace tessalo
