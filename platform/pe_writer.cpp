#include "platform/pe_writer.h"

#include "platform/byte_writer.h"
#include "platform/code_page_1251.h"

#include <algorithm>
#include <map>

namespace tessalo {

namespace {

constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::uint32_t kHeadersSize = 0x200;
constexpr std::uint32_t kPeOffset = 0x40;
constexpr std::uint32_t kImageBase = 0x10000000;
constexpr std::uint16_t kMachineI386 = 0x14C;
// Executable image, no relocations needed, line numbers, symbols and debug data stripped,
// 32-bit, library.
constexpr std::uint16_t kCharacteristics = 0x0002 | 0x0004 | 0x0008 | 0x0100 | 0x0200 | 0x2000;
constexpr std::uint16_t kSubsystemWindowsGui = 2;
constexpr std::uint32_t kSectionInitializedDataRead = 0x40000040;
constexpr std::uint32_t kHighBit = 0x80000000;

std::uint32_t alignUp(std::uint32_t value, std::uint32_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

// Directory order: named entries first, compared without case, then ids ascending.
struct Key {
    bool named = false;
    std::u16string name;
    std::uint16_t id = 0;

    explicit Key(const ResourceId& resourceId)
        : named(!resourceId.isId()), name(cp1251ToUtf16(resourceId.name())), id(resourceId.id()) {}

    friend bool operator<(const Key& a, const Key& b) {
        if (a.named != b.named)
            return a.named;
        if (!a.named)
            return a.id < b.id;
        const auto upperA = resourceNameUpper(a.name);
        const auto upperB = resourceNameUpper(b.name);
        return upperA != upperB ? upperA < upperB : a.name < b.name;
    }
};

using LanguageMap = std::map<std::uint16_t, const ModuleResource*>;
using NameMap = std::map<Key, LanguageMap>;
using TypeMap = std::map<Key, NameMap>;

class SectionBuilder {
  public:
    explicit SectionBuilder(const TypeMap& types) : types_(types) {}

    std::vector<std::uint8_t> build() {
        layOut();
        ByteWriter out;
        writeDirectories(out);
        for (const auto& [name, offset] : stringOffsets_) {
            (void)offset;
            out.u16(static_cast<std::uint16_t>(name.size()));
            for (char16_t unit : name)
                out.u16(unit);
        }
        pad(out, dataEntriesOffset_);
        std::uint32_t dataOffset = dataOffset_;
        for (const auto* resource : leaves_) {
            out.u32(kSectionRva + dataOffset);
            out.u32(static_cast<std::uint32_t>(resource->bytes.size()));
            out.u32(0); // code page
            out.u32(0);
            dataOffset = alignUp(dataOffset + std::uint32_t(resource->bytes.size()), 8);
        }
        for (const auto* resource : leaves_) {
            pad(out, alignUp(static_cast<std::uint32_t>(out.data().size()), 8));
            out.bytes(resource->bytes);
        }
        return out.take();
    }

  private:
    static void pad(ByteWriter& out, std::uint32_t size) {
        while (out.data().size() < size)
            out.u8(0);
    }

    static std::uint32_t directorySize(std::size_t entries) {
        return static_cast<std::uint32_t>(16 + 8 * entries);
    }

    void noteString(const Key& key) {
        if (key.named)
            stringOffsets_.emplace(key.name, 0);
    }

    void layOut() {
        std::uint32_t offset = directorySize(types_.size());
        for (const auto& [type, names] : types_) {
            noteString(type);
            offset += directorySize(names.size());
        }
        for (const auto& [type, names] : types_) {
            for (const auto& [name, languages] : names) {
                noteString(name);
                offset += directorySize(languages.size());
                for (const auto& [language, resource] : languages)
                    leaves_.push_back(resource);
            }
        }
        for (auto& [name, stringOffset] : stringOffsets_) {
            stringOffset = offset;
            offset += static_cast<std::uint32_t>(2 + 2 * name.size());
        }
        dataEntriesOffset_ = alignUp(offset, 4);
        dataOffset_ = alignUp(dataEntriesOffset_ + 16 * std::uint32_t(leaves_.size()), 8);
    }

    std::uint32_t nameField(const Key& key) const {
        return key.named ? kHighBit | stringOffsets_.at(key.name) : key.id;
    }

    static void writeHeader(ByteWriter& out, std::size_t named, std::size_t total) {
        out.u32(0); // characteristics
        out.u32(0); // time stamp
        out.u32(0); // version
        out.u16(static_cast<std::uint16_t>(named));
        out.u16(static_cast<std::uint16_t>(total - named));
    }

    template <typename Map> static std::size_t namedCount(const Map& map) {
        return std::count_if(map.begin(), map.end(),
                             [](const auto& entry) { return entry.first.named; });
    }

    // Breadth first: the root, every type's directory, then every name's directory.
    void writeDirectories(ByteWriter& out) {
        std::uint32_t next = directorySize(types_.size());
        writeHeader(out, namedCount(types_), types_.size());
        for (const auto& [type, names] : types_) {
            out.u32(nameField(type));
            out.u32(kHighBit | next);
            next += directorySize(names.size());
        }
        for (const auto& [type, names] : types_) {
            writeHeader(out, namedCount(names), names.size());
            for (const auto& [name, languages] : names) {
                out.u32(nameField(name));
                out.u32(kHighBit | next);
                next += directorySize(languages.size());
            }
        }
        std::uint32_t leaf = dataEntriesOffset_;
        for (const auto& [type, names] : types_) {
            for (const auto& [name, languages] : names) {
                writeHeader(out, 0, languages.size());
                for (const auto& [language, resource] : languages) {
                    (void)resource;
                    out.u32(language);
                    out.u32(leaf);
                    leaf += 16;
                }
            }
        }
    }

    const TypeMap& types_;
    std::map<std::u16string, std::uint32_t> stringOffsets_;
    std::vector<const ModuleResource*> leaves_;
    std::uint32_t dataEntriesOffset_ = 0;
    std::uint32_t dataOffset_ = 0;
};

void writeHeaders(ByteWriter& out, std::uint32_t sectionSize) {
    const std::uint32_t rawSize = alignUp(sectionSize, kFileAlignment);
    out.u16(0x5A4D); // "MZ"
    while (out.data().size() < 0x3C)
        out.u8(0);
    out.u32(kPeOffset);
    out.u32(0x00004550); // "PE\0\0"
    out.u16(kMachineI386);
    out.u16(1);   // sections
    out.u32(0);   // no time stamp, so the same input gives the same file
    out.u32(0);   // symbol table
    out.u32(0);   // symbols
    out.u16(224); // optional header
    out.u16(kCharacteristics);

    out.u16(0x10B); // PE32
    out.u8(2);      // linker version
    out.u8(0);
    out.u32(0);           // code
    out.u32(rawSize);     // initialized data
    out.u32(0);           // uninitialized data
    out.u32(0);           // entry point: none
    out.u32(kSectionRva); // base of code
    out.u32(kSectionRva); // base of data
    out.u32(kImageBase);
    out.u32(kSectionAlignment);
    out.u32(kFileAlignment);
    out.u16(4); // operating system version
    out.u16(0);
    out.u16(0); // image version
    out.u16(0);
    out.u16(4); // subsystem version
    out.u16(0);
    out.u32(0); // reserved
    out.u32(kSectionRva + alignUp(std::max<std::uint32_t>(sectionSize, 1), kSectionAlignment));
    out.u32(kHeadersSize);
    out.u32(0); // checksum
    out.u16(kSubsystemWindowsGui);
    out.u16(0);        // DLL characteristics
    out.u32(0x100000); // stack reserve
    out.u32(0x1000);   // stack commit
    out.u32(0x100000); // heap reserve
    out.u32(0x1000);   // heap commit
    out.u32(0);        // loader flags
    out.u32(16);       // data directories
    for (int i = 0; i < 16; ++i) {
        out.u32(i == 2 ? kSectionRva : 0);
        out.u32(i == 2 ? sectionSize : 0);
    }

    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (char c : name)
        out.u8(static_cast<std::uint8_t>(c));
    out.u32(sectionSize);
    out.u32(kSectionRva);
    out.u32(rawSize);
    out.u32(kHeadersSize);
    out.u32(0); // relocations
    out.u32(0); // line numbers
    out.u16(0);
    out.u16(0);
    out.u32(kSectionInitializedDataRead);
    while (out.data().size() < kHeadersSize)
        out.u8(0);
}

} // namespace

std::vector<ModuleResource>
buildStringTables(std::span<const std::pair<std::uint16_t, std::string>> strings,
                  std::uint16_t language) {
    std::map<unsigned, std::array<std::u16string, 16>> blocks;
    for (const auto& [id, text] : strings)
        blocks[id / 16u][id % 16u] = cp1251ToUtf16(text);
    std::vector<ModuleResource> resources;
    for (const auto& [block, texts] : blocks) {
        ByteWriter out;
        for (const auto& text : texts) {
            out.u16(static_cast<std::uint16_t>(text.size()));
            for (char16_t unit : text)
                out.u16(unit);
        }
        resources.push_back(
            {kRtString, static_cast<std::uint16_t>(block + 1), language, out.take()});
    }
    return resources;
}

std::variant<std::vector<std::uint8_t>, std::string>
writeResourceModule(std::span<const ModuleResource> resources) {
    TypeMap types;
    for (const auto& resource : resources) {
        auto& slot = types[Key(resource.type)][Key(resource.name)][resource.language];
        if (slot != nullptr)
            return "two resources of type " + resource.type.text() + " named " +
                   resource.name.text() + " in language " + std::to_string(resource.language);
        slot = &resource;
    }
    const std::vector<std::uint8_t> section = SectionBuilder(types).build();
    ByteWriter out;
    writeHeaders(out, static_cast<std::uint32_t>(section.size()));
    out.bytes(section);
    while (out.data().size() % kFileAlignment != 0)
        out.u8(0);
    return out.take();
}

} // namespace tessalo
