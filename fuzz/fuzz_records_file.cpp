#include "records/records_file.h"
#include "records/records_table.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto contents = tessalo::parseRecordsFile({data, size});
    // Whatever was read can be written, read back the same, and take a new result.
    const auto written = tessalo::serializeRecordsFile(contents.entries);
    const auto again = tessalo::parseRecordsFile(written);
    if (!again.damage.empty() || again.entries != contents.entries)
        std::abort();
    auto entries = contents.entries;
    tessalo::RecordEntry result;
    result.playerName = "fuzz";
    result.score = size > 0 ? data[0] : 0;
    if (!contents.entries.empty())
        result.picturesName = contents.entries.front().picturesName;
    if (tessalo::qualifiesIn(entries, result)) {
        tessalo::placeEntry(entries, result);
        if (entries.size() > contents.entries.size() + 1)
            std::abort();
    }
    return 0;
}
