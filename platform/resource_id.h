#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessalo {

// Standard resource types, numbered as the platform numbers them.
inline constexpr std::uint16_t kRtCursor = 1;
inline constexpr std::uint16_t kRtBitmap = 2;
inline constexpr std::uint16_t kRtIcon = 3;
inline constexpr std::uint16_t kRtMenu = 4;
inline constexpr std::uint16_t kRtDialog = 5;
inline constexpr std::uint16_t kRtString = 6;
inline constexpr std::uint16_t kRtRcData = 10;
inline constexpr std::uint16_t kRtGroupCursor = 12;
inline constexpr std::uint16_t kRtGroupIcon = 14;
inline constexpr std::uint16_t kRtVersion = 16;

// A resource type or name: an integer id or a string name (bytes of code page 1251).
class ResourceId {
  public:
    ResourceId(std::uint16_t id) : id_(id) {}
    ResourceId(std::string name) : named_(true), name_(std::move(name)) {}
    ResourceId(const char* name) : named_(true), name_(name) {}

    bool isId() const { return !named_; }
    // Zero for a string name.
    std::uint16_t id() const { return id_; }
    // Empty for an integer id.
    std::string_view name() const { return name_; }
    // For people: the name itself, or the id in decimal.
    std::string text() const { return named_ ? name_ : std::to_string(id_); }

    friend bool operator==(const ResourceId&, const ResourceId&) = default;

  private:
    // Two plain members rather than a variant: gcc 12 warns falsely on moving the variant.
    bool named_ = false;
    std::uint16_t id_ = 0;
    std::string name_;
};

// The upper case the platform gives a looked-up name before comparing it with stored names.
char16_t resourceNameUpper(char16_t unit);
std::u16string resourceNameUpper(std::u16string_view name);

} // namespace tessalo
