#pragma once

namespace vesk::platform {

// Gives the heap's free pages back to the system, in every thread's arena. After a large piece
// of work a long-running process otherwise keeps its peak resident for good.
void releaseFreeMemory();

// Lets the heap grow at most two arenas, whatever the number of processors: the main thread's
// and one the worker threads share. An arena keeps its own free pages, so each one more holds
// a scan's leftovers of its own. Called at start, before any thread allocates.
void limitHeapArenas();

} // namespace vesk::platform
