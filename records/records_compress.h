#pragma once

#include "records/records_table.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace tessalo {

inline constexpr const char* kRecordsBackupFileName = "ts220.rec.bak";
inline constexpr const char* kCompressingOkText = "Compressing OK";

struct CompressResult {
    bool compressed = false; // false: cancelled, damaged or not written (already reported)
    std::size_t removed = 0;
    std::string message; // what the confirmation box shows when `compressed`
};

// Keeps, in table order, only the first entry of every (player, pictures set, layout).
std::size_t removeDuplicateResults(std::vector<RecordEntry>& entries);

// The "/compress" command: backs the file up, then keeps each player's best result per pictures
// set and layout. The backup is made before the file is touched; a failed copy (no file yet) is
// not an error.
CompressResult compressRecords(RecordsTable& table,
                               const std::filesystem::path& backupPath = kRecordsBackupFileName);

} // namespace tessalo
