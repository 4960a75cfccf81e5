#include "tools/layout_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any text either parses or gives a reason; what parses formats back to the same layout.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tessalo::LayoutTextParse parsed = tessalo::parseLayoutText(text);
    if (!parsed.error.empty())
        return 0;
    const tessalo::LayoutTextParse again =
        tessalo::parseLayoutText(tessalo::formatLayoutText(parsed.layout));
    if (!again.error.empty() || !(again.layout == parsed.layout))
        std::abort();
    return 0;
}
