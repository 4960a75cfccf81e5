#include "records/records_compress.h"

#include <set>
#include <tuple>

namespace tessalo {

std::size_t removeDuplicateResults(std::vector<RecordEntry>& entries) {
    std::set<std::tuple<std::string, std::string, std::string>> seen;
    const auto before = entries.size();
    std::erase_if(entries, [&seen](const RecordEntry& entry) {
        return !seen.emplace(entry.playerName, entry.picturesName, entry.layoutName).second;
    });
    return before - entries.size();
}

CompressResult compressRecords(RecordsTable& table, const std::filesystem::path& backupPath) {
    CompressResult result;
    std::error_code ignored;
    std::filesystem::copy_file(table.fileName(), backupPath,
                               std::filesystem::copy_options::overwrite_existing, ignored);
    if (!table.load(false))
        return result;
    result.removed = removeDuplicateResults(table.mutableEntries());
    if (!table.save())
        return result;
    result.compressed = true;
    result.message = kCompressingOkText;
    return result;
}

} // namespace tessalo
