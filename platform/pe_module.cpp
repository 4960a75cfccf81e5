#include "platform/pe_module.h"

#include "platform/byte_reader.h"
#include "platform/code_page_1251.h"
#include "platform/fresh_pages.h"

#include <fstream>

namespace tessalo {

namespace {

constexpr unsigned kStringsPerBlock = 16;

// The form a looked-up id or name takes for comparing with stored keys.
StoredResourceKey lookupKey(const ResourceId& wanted) {
    if (wanted.isId())
        return wanted.id();
    return resourceNameUpper(cp1251ToUtf16(wanted.name()));
}

ResourceId toResourceId(const StoredResourceKey& key) {
    if (std::holds_alternative<std::uint16_t>(key))
        return std::get<std::uint16_t>(key);
    return utf16ToCp1251(std::get<std::u16string>(key));
}

// A block holds 16 counted UTF-16 strings. Blocks that stop early leave the rest empty; a string
// that runs past the block's end is damage. Yields string `index` of the block (checking the
// strings before it), or none on damage.
std::optional<std::u16string> readBlockString(std::span<const std::uint8_t> block, unsigned index) {
    ByteReader reader(block);
    for (unsigned i = 0; i < kStringsPerBlock && reader.remaining() >= 2; ++i) {
        const std::uint16_t length = reader.u16();
        const auto text = reader.bytes(std::size_t(length) * 2);
        if (!reader.ok())
            return std::nullopt;
        if (i == index) {
            std::u16string value(length, u'\0');
            for (std::size_t k = 0; k < length; ++k)
                value[k] = static_cast<char16_t>(text[2 * k] | (text[2 * k + 1] << 8));
            return value;
        }
    }
    return std::u16string();
}

} // namespace

std::variant<PeModule, std::string> PeModule::parse(std::vector<std::uint8_t> bytes) {
    PeModule module;
    module.bytes_ = std::move(bytes);
    auto image = PeImage::parse(module.bytes_);
    if (auto* error = std::get_if<std::string>(&image))
        return std::move(*error);
    module.image_ = std::get<PeImage>(std::move(image));
    auto resources = readResourceDirectory(module.image_, module.bytes_);
    if (auto* error = std::get_if<std::string>(&resources))
        return std::move(*error);
    module.resources_ = std::get<std::vector<StoredResource>>(std::move(resources));
    // String tables are checked here too, so loading a string later cannot meet damage.
    for (const auto& resource : module.resources_) {
        if (resource.type == StoredResourceKey(kRtString)) {
            if (!readBlockString(module.bytesOf(resource), kStringsPerBlock))
                return std::string("damaged PE module: string runs past the end of its table");
        }
    }
    return module;
}

std::variant<PeModule, std::string> PeModule::open(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "cannot open " + path.string();
    // Read at once into a buffer of the file's size: sets with larger pictures run to megabytes,
    // and growing the buffer block by block copied them over and over. A file that grows while it
    // is read is still read to its end.
    constexpr std::size_t kBlock = std::size_t(1) << 16;
    constexpr std::uintmax_t kLargestFirstRead = std::uintmax_t(1) << 28;
    std::error_code sizeError;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, sizeError);
    std::size_t chunk =
        sizeError || fileSize == 0 || fileSize > kLargestFirstRead ? kBlock : std::size_t(fileSize);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(chunk);
    mapFreshPages(bytes.data(), chunk);
    while (file && file.peek() != std::ifstream::traits_type::eof()) {
        const std::size_t had = bytes.size();
        bytes.resize(had + chunk);
        file.read(reinterpret_cast<char*>(bytes.data() + had), std::streamsize(chunk));
        bytes.resize(had + std::size_t(file.gcount()));
        chunk = kBlock;
    }
    if (file.bad())
        return "cannot read " + path.string();
    auto module = parse(std::move(bytes));
    if (auto* error = std::get_if<std::string>(&module))
        return path.string() + ": " + *error;
    return module;
}

std::optional<std::span<const std::uint8_t>> PeModule::findResource(const ResourceId& type,
                                                                    const ResourceId& name) const {
    const StoredResourceKey typeKey = lookupKey(type);
    const StoredResourceKey nameKey = lookupKey(name);
    for (const auto& resource : resources_) {
        if (resource.type == typeKey && resource.name == nameKey)
            return bytesOf(resource);
    }
    return std::nullopt;
}

std::optional<std::string> PeModule::loadString(unsigned id, std::size_t bufferSize) const {
    if (id > 0xFFFF)
        return std::nullopt;
    const auto block =
        findResource(kRtString, static_cast<std::uint16_t>(id / kStringsPerBlock + 1));
    if (!block)
        return std::nullopt;
    // Parsing checked every block, so the string is always there.
    std::string text = utf16ToCp1251(readBlockString(*block, id % kStringsPerBlock).value_or(u""));
    text.resize(std::min(text.size(), bufferSize == 0 ? 0 : bufferSize - 1));
    return text;
}

std::vector<ResourceEntry> PeModule::catalogue() const {
    std::vector<ResourceEntry> entries;
    entries.reserve(resources_.size());
    for (const auto& resource : resources_)
        entries.push_back({toResourceId(resource.type), toResourceId(resource.name),
                           resource.language, resource.size});
    return entries;
}

} // namespace tessalo
