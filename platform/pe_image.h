#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tessalo {

// The headers of a PE32 or PE32+ image and the mapping from addresses in the loaded image (RVAs)
// to offsets in the file. Holds no bytes of its own.
class PeImage {
  public:
    struct Section {
        std::uint32_t virtualAddress = 0;
        // How many bytes of the section the file supplies: the raw size, cut to the virtual size.
        std::uint32_t fileBackedSize = 0;
        std::uint32_t rawOffset = 0;
    };

    // Every section's raw data must lie inside `bytes`.
    static std::variant<PeImage, std::string> parse(std::span<const std::uint8_t> bytes);

    bool isPe32Plus() const { return pe32Plus_; }
    std::uint16_t machine() const { return machine_; }
    std::uint32_t resourceRva() const { return resourceRva_; }
    std::uint32_t resourceSize() const { return resourceSize_; }
    const std::vector<Section>& sections() const { return sections_; }

    // File offset of [rva, rva + size) when that range lies in the file data of one section.
    std::optional<std::size_t> fileOffset(std::uint32_t rva, std::uint32_t size) const;
    // File offset of `rva` and the number of file bytes from there to the end of its section.
    std::optional<std::pair<std::size_t, std::size_t>> sectionRest(std::uint32_t rva) const;

  private:
    bool pe32Plus_ = false;
    std::uint16_t machine_ = 0;
    std::uint32_t resourceRva_ = 0;
    std::uint32_t resourceSize_ = 0;
    std::vector<Section> sections_;
};

} // namespace tessalo
