#pragma once

#include "platform/resource_id.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tessalo {

inline constexpr std::uint16_t kLanguageNeutral = 0;

struct ModuleResource {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = kLanguageNeutral;
    std::vector<std::uint8_t> bytes;
};

// String-table resources for (id, text in code page 1251) pairs: blocks of 16 strings in UTF-16,
// block id / 16 + 1. A later pair with the same id replaces an earlier one.
std::vector<ModuleResource>
buildStringTables(std::span<const std::pair<std::uint16_t, std::string>> strings,
                  std::uint16_t language = kLanguageNeutral);

// A 32-bit resource-only library (no code, one ".rsrc" section) laid out as the platform's own
// tools lay it out. String names and types are stored as given; the platform finds only names
// stored in upper case. Fails on two resources with the same type, name and language.
std::variant<std::vector<std::uint8_t>, std::string>
writeResourceModule(std::span<const ModuleResource> resources);

} // namespace tessalo
