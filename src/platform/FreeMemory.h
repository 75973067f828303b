#pragma once

namespace vesk::platform {

// Gives the heap's free pages back to the system, in every thread's arena. After a large piece
// of work a long-running process otherwise keeps its peak resident for good.
void releaseFreeMemory();

} // namespace vesk::platform
