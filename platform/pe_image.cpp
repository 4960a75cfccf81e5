#include "platform/pe_image.h"

#include "platform/byte_reader.h"

namespace tessalo {

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;        // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kResourceDirectoryIndex = 2;
// The loader refuses more sections than this.
constexpr std::uint16_t kMaxSections = 96;

} // namespace

std::variant<PeImage, std::string> PeImage::parse(std::span<const std::uint8_t> bytes) {
    ByteReader dos(bytes);
    if (dos.u16() != kDosMagic || !dos.ok())
        return std::string("not a PE module: no MZ signature");
    ByteReader lfanew(bytes.size() >= 0x40 ? bytes.subspan(0x3C) : std::span<const std::uint8_t>());
    const std::uint32_t peOffset = lfanew.u32();
    if (!lfanew.ok())
        return std::string("not a PE module: file ends inside the DOS header");
    if (peOffset >= bytes.size())
        return std::string("not a PE module: PE header offset lies outside the file");

    ByteReader coff(bytes.subspan(peOffset));
    if (coff.u32() != kPeSignature || !coff.ok())
        return std::string("not a PE module: no PE signature");
    PeImage image;
    image.machine_ = coff.u16();
    const std::uint16_t sectionCount = coff.u16();
    coff.bytes(12); // time stamp, symbol table
    const std::uint16_t optionalHeaderSize = coff.u16();
    coff.u16(); // characteristics
    if (!coff.ok())
        return std::string("damaged PE module: file ends inside the COFF header");
    if (sectionCount > kMaxSections)
        return "damaged PE module: " + std::to_string(sectionCount) + " sections";

    const std::size_t optionalOffset = peOffset + 4 + kCoffHeaderSize;
    const std::size_t sectionTableOffset = optionalOffset + optionalHeaderSize;
    if (sectionTableOffset + sectionCount * kSectionHeaderSize > bytes.size())
        return std::string("damaged PE module: file ends inside the headers");
    const auto optional = bytes.subspan(optionalOffset, optionalHeaderSize);

    ByteReader magicReader(optional);
    const std::uint16_t magic = magicReader.u16();
    if (!magicReader.ok() || (magic != kPe32Magic && magic != kPe32PlusMagic))
        return std::string("not a PE module: unknown optional header");
    image.pe32Plus_ = magic == kPe32PlusMagic;
    const std::size_t countOffset = image.pe32Plus_ ? 108 : 92;
    ByteReader directories(optional.size() >= countOffset ? optional.subspan(countOffset)
                                                          : std::span<const std::uint8_t>());
    const std::uint32_t directoryCount = directories.u32();
    if (!directories.ok())
        return std::string("damaged PE module: optional header too short");
    if (directoryCount > kResourceDirectoryIndex) {
        directories.bytes(8 * kResourceDirectoryIndex);
        image.resourceRva_ = directories.u32();
        image.resourceSize_ = directories.u32();
        if (!directories.ok())
            return std::string("damaged PE module: optional header too short for its directories");
    }

    ByteReader table(bytes.subspan(sectionTableOffset, sectionCount * kSectionHeaderSize));
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
        table.bytes(8); // name
        const std::uint32_t virtualSize = table.u32();
        Section section;
        section.virtualAddress = table.u32();
        const std::uint32_t rawSize = table.u32();
        section.rawOffset = table.u32();
        table.bytes(16); // relocations, line numbers, characteristics
        if (rawSize != 0 &&
            (section.rawOffset > bytes.size() || rawSize > bytes.size() - section.rawOffset))
            return "damaged PE module: data of section " + std::to_string(i + 1) +
                   " lies outside the file";
        // Some linkers leave the virtual size zero; the raw size then stands for it.
        section.fileBackedSize = virtualSize != 0 && virtualSize < rawSize ? virtualSize : rawSize;
        image.sections_.push_back(section);
    }
    return image;
}

std::optional<std::pair<std::size_t, std::size_t>> PeImage::sectionRest(std::uint32_t rva) const {
    for (const auto& section : sections_) {
        const std::uint64_t start = section.virtualAddress;
        const std::uint64_t end = start + section.fileBackedSize;
        if (rva >= start && rva < end)
            return std::pair<std::size_t, std::size_t>(section.rawOffset + (rva - start),
                                                       static_cast<std::size_t>(end - rva));
    }
    return std::nullopt;
}

std::optional<std::size_t> PeImage::fileOffset(std::uint32_t rva, std::uint32_t size) const {
    for (const auto& section : sections_) {
        const std::uint64_t start = section.virtualAddress;
        const std::uint64_t end = start + section.fileBackedSize;
        if (rva >= start && std::uint64_t(rva) + size <= end && (rva < end || size == 0))
            return section.rawOffset + (rva - start);
    }
    return std::nullopt;
}

} // namespace tessalo
