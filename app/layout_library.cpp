#include "app/layout_library.h"

#include "platform/atomic_file.h"
#include "platform/byte_reader.h"
#include "platform/byte_writer.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace tessalo {

namespace {

LayoutRecord readRecord(ByteReader& reader) {
    LayoutRecord record;
    const auto copy = [&reader](auto& field) {
        const auto bytes = reader.bytes(field.size());
        std::copy(bytes.begin(), bytes.end(), field.begin());
    };
    copy(record.name);
    copy(record.x);
    copy(record.y);
    copy(record.z);
    return record;
}

} // namespace

LayoutLibraryContents parseLayoutLibrary(std::span<const std::uint8_t> bytes) {
    LayoutLibraryContents contents;
    ByteReader reader(bytes);
    const std::uint32_t count = reader.countPrefix();
    if (!reader.ok()) {
        contents.damage = "the file ends inside its count of layouts";
        return contents;
    }
    // The count comes from outside: reserve only what the file can really hold.
    const std::size_t complete = reader.remaining() / LayoutRecord::kByteSize;
    contents.layouts.reserve(std::min<std::size_t>(count, complete));
    for (std::uint32_t i = 0; i < count; ++i) {
        if (reader.remaining() < LayoutRecord::kByteSize) {
            contents.damage = "the file announces " + std::to_string(count) +
                              " layouts but ends inside layout " + std::to_string(i + 1);
            return contents;
        }
        contents.layouts.push_back(readRecord(reader));
    }
    return contents;
}

std::vector<std::uint8_t> serializeLayoutLibrary(std::span<const LayoutRecord> layouts) {
    ByteWriter writer;
    writer.countPrefix(static_cast<std::uint32_t>(layouts.size()));
    for (const LayoutRecord& record : layouts) {
        writer.bytes(record.name);
        writer.bytes(record.x);
        writer.bytes(record.y);
        writer.bytes(record.z);
    }
    return writer.take();
}

LayoutLibraryLoad loadLayoutLibrary(const std::filesystem::path& path) {
    LayoutLibraryLoad result;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return result;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
    if (file.bad())
        return result;
    result.opened = true;
    result.contents = parseLayoutLibrary(bytes);
    return result;
}

std::string saveLayoutLibrary(const std::filesystem::path& path,
                              std::span<const LayoutRecord> layouts) {
    // Replaced as a whole, so a crash while writing never leaves a library without its layouts.
    return writeFileAtomically(path, serializeLayoutLibrary(layouts));
}

} // namespace tessalo
