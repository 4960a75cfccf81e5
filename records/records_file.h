#pragma once

#include "records/record_entry.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessalo {

struct RecordsFileContents {
    std::vector<RecordEntry> entries;
    // Empty when the file was whole. Otherwise says what was wrong; `entries` then holds the
    // entries that were complete before the damage.
    std::string damage;
};

// The file is used in its own order: nothing is sorted or trimmed.
RecordsFileContents parseRecordsFile(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> serializeRecordsFile(std::span<const RecordEntry> entries);

} // namespace tessalo
