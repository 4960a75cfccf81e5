#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessalo {

// The game keeps its texts as bytes of code page 1251; these convert at the edges.
char16_t cp1251ToUnicode(unsigned char byte);
// None when the code page cannot hold the character.
std::optional<unsigned char> unicodeToCp1251(char16_t unit);
// Characters the code page cannot hold become '?', as the system's own conversion does.
std::string utf16ToCp1251(std::u16string_view text);
std::u16string cp1251ToUtf16(std::string_view text);
// For printing on a terminal.
std::string cp1251ToUtf8(std::string_view text);

} // namespace tessalo
