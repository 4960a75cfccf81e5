#include "platform/code_page_1251.h"

#include <array>

namespace tessalo {

namespace {

// Unicode of the bytes 0x80..0xFF; 0 marks the one byte the code page leaves undefined.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

} // namespace

char16_t cp1251ToUnicode(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    const char16_t unit = kHighHalf[byte - 0x80];
    return unit != 0 ? unit : u'\uFFFD';
}

std::optional<unsigned char> unicodeToCp1251(char16_t unit) {
    if (unit < 0x80)
        return static_cast<unsigned char>(unit);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == unit)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string utf16ToCp1251(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char16_t unit : text)
        result.push_back(static_cast<char>(unicodeToCp1251(unit).value_or('?')));
    return result;
}

std::u16string cp1251ToUtf16(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (const char byte : text)
        result.push_back(cp1251ToUnicode(static_cast<unsigned char>(byte)));
    return result;
}

std::string cp1251ToUtf8(std::string_view text) {
    std::string result;
    result.reserve(text.size() * 2);
    for (const char byte : text) {
        const char16_t unit = cp1251ToUnicode(static_cast<unsigned char>(byte));
        if (unit < 0x80) {
            result.push_back(static_cast<char>(unit));
        } else if (unit < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (unit >> 6)));
            result.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xE0 | (unit >> 12)));
            result.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        }
    }
    return result;
}

} // namespace tessalo
