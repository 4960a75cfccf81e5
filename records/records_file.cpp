#include "records/records_file.h"

#include "platform/byte_reader.h"
#include "platform/byte_writer.h"
#include "platform/length_prefixed_string.h"

namespace tessalo {

namespace {

RecordEntry readEntry(ByteReader& reader) {
    RecordEntry entry;
    entry.playerName = readLengthPrefixedString(reader);
    entry.picturesName = readLengthPrefixedString(reader);
    entry.dateText = readLengthPrefixedString(reader);
    entry.layoutName = readLengthPrefixedString(reader);
    entry.remains = reader.i32();
    entry.seconds = reader.i32();
    entry.hints = reader.i32();
    entry.score = reader.u32();
    return entry;
}

} // namespace

RecordsFileContents parseRecordsFile(std::span<const std::uint8_t> bytes) {
    RecordsFileContents contents;
    // A file of no bytes is what a creation left when the program stopped before writing the
    // first result: it holds no entries, and is not damage.
    if (bytes.empty())
        return contents;
    ByteReader reader(bytes);
    const std::int32_t count = reader.i32();
    if (!reader.ok()) {
        contents.damage = "the file is shorter than its count of entries";
        return contents;
    }
    // The count comes from outside: entries are appended as they are read, never reserved.
    for (std::int32_t i = 0; i < count; ++i) {
        RecordEntry entry = readEntry(reader);
        if (!reader.ok()) {
            contents.damage = "the file announces " + std::to_string(count) +
                              " entries but ends inside entry " + std::to_string(i + 1);
            return contents;
        }
        contents.entries.push_back(std::move(entry));
    }
    return contents;
}

std::vector<std::uint8_t> serializeRecordsFile(std::span<const RecordEntry> entries) {
    ByteWriter writer;
    writer.i32(static_cast<std::int32_t>(entries.size()));
    for (const RecordEntry& entry : entries) {
        writeLengthPrefixedString(writer, entry.playerName);
        writeLengthPrefixedString(writer, entry.picturesName);
        writeLengthPrefixedString(writer, entry.dateText);
        writeLengthPrefixedString(writer, entry.layoutName);
        writer.i32(entry.remains);
        writer.i32(entry.seconds);
        writer.i32(entry.hints);
        writer.u32(entry.score);
    }
    return writer.take();
}

} // namespace tessalo
