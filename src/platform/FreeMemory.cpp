#include "platform/FreeMemory.h"

#include <malloc.h>

namespace vesk::platform {

void releaseFreeMemory() {
    malloc_trim(0);
}

} // namespace vesk::platform
