#include "skin/asc_decoder.h"
#include "skin/bmp_image.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
