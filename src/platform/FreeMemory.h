#pragma once

namespace vesk::platform {

// Gives the heap's free pages back to the system, in every thread's arena. After a large piece
// of work a long-running process otherwise keeps its peak resident for good.
void releaseFreeMemory();

// Sets the heap up for a long-running process that holds a large working set between pieces of
// work: at most three arenas whatever the number of processors (the main thread's, the scan's
// and the folder walk's, whose names are all freed together so that it goes back whole; each
// arena keeps free pages of its own, and a fourth measured worse), and blocks of 256 KiB or more
// mapped on their own (given back when freed, never left as holes between the small ones that
// stay). Called at start, before any thread allocates.
void configureHeap();

} // namespace vesk::platform
