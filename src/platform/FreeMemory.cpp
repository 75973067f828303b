#include "platform/FreeMemory.h"

#include <malloc.h>

namespace vesk::platform {

void releaseFreeMemory() {
    malloc_trim(0);
}

void limitHeapArenas() {
    mallopt(M_ARENA_MAX, 2);
}

} // namespace vesk::platform
