#pragma once

#include "platform/pe_image.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tessalo {

// A type or name as the directory stores it: an integer id or UTF-16 text.
using StoredResourceKey = std::variant<std::uint16_t, std::u16string>;

struct StoredResource {
    StoredResourceKey type;
    StoredResourceKey name;
    std::uint16_t language = 0;
    std::size_t fileOffset = 0;
    std::size_t size = 0;
};

// Walks the whole three-level resource directory (type, name, language) of `image` and checks
// every entry, name and data range against the file. Resources come in directory order. An image
// without a resource directory has no resources.
std::variant<std::vector<StoredResource>, std::string>
readResourceDirectory(const PeImage& image, std::span<const std::uint8_t> bytes);

} // namespace tessalo
