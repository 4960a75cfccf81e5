#pragma once

#include "platform/code_page_1251.h"

#include <QString>

#include <string>
#include <string_view>

namespace tessalo {

// Names and dates live as code page 1251 bytes; the windows show and edit them as QString.
inline QString qStringFromCp1251(std::string_view bytes) {
    return QString::fromStdU16String(cp1251ToUtf16(bytes));
}

// Characters the code page cannot hold become '?'; edits refuse them before it comes to that.
inline std::string cp1251FromQString(const QString& text) {
    return utf16ToCp1251(text.toStdU16String());
}

} // namespace tessalo
