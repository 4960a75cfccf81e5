#include "app/layout_library.h"
#include "game/layout_validation.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto contents = tessalo::parseLayoutLibrary({data, size});
    for (const auto& layout : contents.layouts) {
        if (tessalo::layoutDefect(layout).empty())
            tessalo::layoutDesignProblems(layout);
    }
    // A library that parsed whole must write back to the very same bytes.
    if (contents.damage.empty()) {
        const auto written = tessalo::serializeLayoutLibrary(contents.layouts);
        const std::size_t prefix = (size >= 2 && data[0] == 0xFF && data[1] == 0xFF) ? 6 : 2;
        const std::size_t used =
            prefix + contents.layouts.size() * tessalo::LayoutRecord::kByteSize;
        const bool longForm = contents.layouts.size() >= 0xFFFF;
        if (longForm == (prefix == 6) && written.size() == used &&
            !std::equal(written.begin(), written.end(), data))
            std::abort();
    }
    return 0;
}
