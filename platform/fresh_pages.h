#pragma once

#include <cstddef>

namespace tessalo {

// Maps in one go the pages of a buffer that is about to be written through: touched one by one,
// each fresh page costs a fault of its own, and on virtual machines a fault costs many times a
// page's writing. Only whole pages inside the buffer are mapped. A hint: where the system cannot,
// the pages are mapped as they are touched, as always.
void mapFreshPages(void* buffer, std::size_t size);

} // namespace tessalo
