#include "skin/bmp_image.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const auto& image : {tessalo::parseBmp({data, size}), tessalo::parseDib({data, size})}) {
        if (image && image->pixels.size() != static_cast<std::size_t>(image->width) *
                                                 static_cast<std::size_t>(image->height))
            std::abort();
    }
    return 0;
}
