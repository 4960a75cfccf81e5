#include "game/layout_record.h"

#include <algorithm>

namespace tessalo {

std::string LayoutRecord::nameText() const {
    const auto end = std::find(name.begin(), name.end(), std::uint8_t{0});
    return std::string(name.begin(), end);
}

void LayoutRecord::setName(std::string_view text) {
    name.fill(0);
    const std::size_t length = std::min(text.size(), kMaxNameLength);
    std::copy_n(text.begin(), length, name.begin());
}

} // namespace tessalo
