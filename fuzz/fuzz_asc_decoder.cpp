#include "skin/asc_decoder.h"
#include "skin/bmp_image.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A few garbage bits can code megabytes of long copies once the models are skewed, which
    // is slow under the sanitizers. Sizes below 64 KiB still wrap the window and reach every
    // branch; larger ones only repeat them.
    if (size >= 4 && (data[3] != 0 || data[2] != 0))
        return 0;
    const auto decoded = tessalo::decodeAsc({data, size});
    if (!decoded)
        return 0;
    // Whatever comes out is exactly the size the container announced.
    const std::size_t announced =
        static_cast<std::size_t>(data[0]) | static_cast<std::size_t>(data[1]) << 8 |
        static_cast<std::size_t>(data[2]) << 16 | static_cast<std::size_t>(data[3]) << 24;
    if (decoded->size() != announced)
        std::abort();
    tessalo::parseBmp(*decoded);
    return 0;
}
