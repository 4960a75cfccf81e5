#include "platform/resource_directory.h"

#include "platform/byte_reader.h"

namespace tessalo {

namespace {

constexpr std::uint32_t kHighBit = 0x80000000;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
// Subdirectories may be shared between entries, so the walk is bounded by the entries it visits,
// not by the size of the directory.
constexpr std::size_t kMaxVisitedEntries = 1 << 16;

class DirectoryWalker {
  public:
    DirectoryWalker(const PeImage& image, std::span<const std::uint8_t> bytes,
                    std::span<const std::uint8_t> area)
        : image_(image), bytes_(bytes), area_(area) {}

    std::string walk() { return walkLevel(0, 0); }
    std::vector<StoredResource> take() { return std::move(resources_); }

  private:
    static constexpr int kLanguageLevel = 2;

    std::string walkLevel(std::uint32_t offset, int level) {
        if (offset > area_.size() || area_.size() - offset < kDirectoryHeaderSize)
            return "resource directory at " + hex(offset) + " lies outside the resource section";
        ByteReader header(area_.subspan(offset + 12, 4));
        const std::size_t count = std::size_t(header.u16()) + header.u16();
        if (count * kEntrySize > area_.size() - offset - kDirectoryHeaderSize)
            return "resource directory at " + hex(offset) + " claims " + std::to_string(count) +
                   " entries, more than the section holds";
        ByteReader entries(area_.subspan(offset + kDirectoryHeaderSize, count * kEntrySize));
        for (std::size_t i = 0; i < count; ++i) {
            if (++visited_ > kMaxVisitedEntries)
                return std::string("resource directory has too many entries");
            const std::uint32_t nameField = entries.u32();
            const std::uint32_t target = entries.u32();
            std::string error;
            StoredResourceKey key = readKey(nameField, error);
            if (!error.empty())
                return error;
            if (level < kLanguageLevel) {
                if ((target & kHighBit) == 0)
                    return "resource entry at " + hex(offset) +
                           " holds data where a directory "
                           "belongs";
                path_[level] = std::move(key);
                error = walkLevel(target & ~kHighBit, level + 1);
            } else {
                if ((target & kHighBit) != 0)
                    return "resource entry at " + hex(offset) +
                           " holds a directory where data belongs";
                if (!std::holds_alternative<std::uint16_t>(key))
                    return std::string("resource language given by name");
                error = readData(target, std::get<std::uint16_t>(key));
            }
            if (!error.empty())
                return error;
        }
        return {};
    }

    StoredResourceKey readKey(std::uint32_t field, std::string& error) {
        if ((field & kHighBit) == 0)
            return static_cast<std::uint16_t>(field);
        const std::uint32_t offset = field & ~kHighBit;
        ByteReader reader(offset < area_.size() ? area_.subspan(offset)
                                                : std::span<const std::uint8_t>());
        const std::uint16_t length = reader.u16();
        const auto text = reader.bytes(std::size_t(length) * 2);
        if (!reader.ok()) {
            error = "resource name at " + hex(offset) + " lies outside the resource section";
            return std::uint16_t(0);
        }
        std::u16string name(length, u'\0');
        for (std::size_t i = 0; i < length; ++i)
            name[i] = static_cast<char16_t>(text[2 * i] | (text[2 * i + 1] << 8));
        return name;
    }

    std::string readData(std::uint32_t offset, std::uint16_t language) {
        if (offset > area_.size() || area_.size() - offset < kDataEntrySize)
            return "resource data entry at " + hex(offset) + " lies outside the resource section";
        ByteReader entry(area_.subspan(offset, kDataEntrySize));
        const std::uint32_t rva = entry.u32();
        const std::uint32_t size = entry.u32();
        const auto fileOffset = image_.fileOffset(rva, size);
        if (!fileOffset || *fileOffset > bytes_.size() || size > bytes_.size() - *fileOffset)
            return "resource data at RVA " + hex(rva) + " (" + std::to_string(size) +
                   " bytes) lies outside the file data of the module";
        resources_.push_back({path_[0], path_[1], language, *fileOffset, size});
        return {};
    }

    static std::string hex(std::uint32_t value) {
        static const char digits[] = "0123456789ABCDEF";
        std::string text = "0x";
        bool started = false;
        for (int shift = 28; shift >= 0; shift -= 4) {
            const unsigned digit = (value >> shift) & 0xF;
            if (digit != 0 || started || shift == 0) {
                text += digits[digit];
                started = true;
            }
        }
        return text;
    }

    const PeImage& image_;
    std::span<const std::uint8_t> bytes_;
    std::span<const std::uint8_t> area_;
    StoredResourceKey path_[2] = {std::uint16_t(0), std::uint16_t(0)};
    std::size_t visited_ = 0;
    std::vector<StoredResource> resources_;
};

} // namespace

std::variant<std::vector<StoredResource>, std::string>
readResourceDirectory(const PeImage& image, std::span<const std::uint8_t> bytes) {
    if (image.resourceRva() == 0 && image.resourceSize() == 0)
        return std::vector<StoredResource>();
    // Offsets inside the directory count from its start and may reach anywhere up to the end of
    // the section that holds it.
    const auto rest = image.sectionRest(image.resourceRva());
    if (!rest)
        return std::string("damaged PE module: the resource directory lies outside every section");
    DirectoryWalker walker(image, bytes, bytes.subspan(rest->first, rest->second));
    if (auto error = walker.walk(); !error.empty())
        return "damaged PE module: " + error;
    return walker.take();
}

} // namespace tessalo
