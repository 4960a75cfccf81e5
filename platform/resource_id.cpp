#include "platform/resource_id.h"

namespace tessalo {

// Covers every letter code page 1251 can hold: ASCII, the Latin-1 letters that reach names through
// Unicode input, and Cyrillic.
char16_t resourceNameUpper(char16_t unit) {
    if (unit >= u'a' && unit <= u'z')
        return static_cast<char16_t>(unit - 0x20);
    if (unit >= 0x00E0 && unit <= 0x00FE && unit != 0x00F7)
        return static_cast<char16_t>(unit - 0x20);
    if (unit == 0x00FF)
        return 0x0178;
    if (unit >= 0x0430 && unit <= 0x044F)
        return static_cast<char16_t>(unit - 0x20);
    if (unit >= 0x0450 && unit <= 0x045F)
        return static_cast<char16_t>(unit - 0x50);
    if (unit == 0x0491)
        return 0x0490;
    return unit;
}

std::u16string resourceNameUpper(std::u16string_view name) {
    std::u16string result(name);
    for (auto& unit : result)
        unit = resourceNameUpper(unit);
    return result;
}

} // namespace tessalo
