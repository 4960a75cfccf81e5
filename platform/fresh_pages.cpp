#include "platform/fresh_pages.h"

#include <cstdint>

#include <sys/mman.h>
#include <unistd.h>

namespace tessalo {

void mapFreshPages(void* buffer, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
    // Below a few pages the call costs more than the faults it spares.
    constexpr std::size_t kWorthwhile = std::size_t(1) << 16;
    if (size < kWorthwhile)
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + size) / page * page;
    if (first < end)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)buffer;
    (void)size;
#endif
}

} // namespace tessalo
