#pragma once

#include "platform/pe_image.h"
#include "platform/resource_directory.h"
#include "platform/resource_id.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tessalo {

// One line of a module's resource catalogue.
struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = 0;
    std::size_t size = 0;
};

// A resource-only module read from its file: what the platform's module loader, resource lookup
// and string loading give the game. The whole file is checked when it is parsed, so every lookup
// afterwards either finds complete bytes inside the file or finds nothing.
class PeModule {
  public:
    static std::variant<PeModule, std::string> parse(std::vector<std::uint8_t> bytes);
    // Reads the whole file; the error names the file.
    static std::variant<PeModule, std::string> open(const std::filesystem::path& path);

    // Names are compared as the platform compares them: the looked-up name upper-cased against
    // the stored name. With several languages, the first one stored wins.
    std::optional<std::span<const std::uint8_t>> findResource(const ResourceId& type,
                                                              const ResourceId& name) const;
    // String `id` cut to `bufferSize` - 1 characters, as a zero-terminated buffer of that size
    // would hold it. None when the string's block is absent.
    std::optional<std::string> loadString(unsigned id, std::size_t bufferSize) const;
    // A bitmap resource: a device-independent bitmap without the file header.
    std::optional<std::span<const std::uint8_t>> loadBitmap(const ResourceId& name) const {
        return findResource(kRtBitmap, name);
    }

    std::vector<ResourceEntry> catalogue() const;
    bool isPe32Plus() const { return image_.isPe32Plus(); }

  private:
    PeModule() = default;
    std::span<const std::uint8_t> bytesOf(const StoredResource& resource) const {
        return std::span<const std::uint8_t>(bytes_).subspan(resource.fileOffset, resource.size);
    }

    std::vector<std::uint8_t> bytes_;
    PeImage image_;
    std::vector<StoredResource> resources_;
};

} // namespace tessalo
