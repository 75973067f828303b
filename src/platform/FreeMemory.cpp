#include "platform/FreeMemory.h"

#include <malloc.h>

namespace vesk::platform {

void releaseFreeMemory() {
    malloc_trim(0);
}

void configureHeap() {
    mallopt(M_ARENA_MAX, 3);
    mallopt(M_MMAP_THRESHOLD, 256 * 1024); // fixed: glibc otherwise raises it as blocks are freed
}

} // namespace vesk::platform
