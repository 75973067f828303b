#pragma once

#include <cstdio>

namespace vesk::bench {

// This process's memory as the kernel and the heap see it, in MiB.
struct ProcessMemory {
    double resident = 0;  // VmRSS
    double anonymous = 0; // RssAnon: the heap, stacks and other private pages
    double files = 0;     // RssFile: mapped libraries, fonts and data files
    double heapInUse = 0; // allocated and not freed, by mallinfo2()
    double heapHeld = 0;  // what the heap holds from the system, in use or not

    [[nodiscard]] static ProcessMemory now();
};

// One Markdown table row: the step, then the figures above.
void printRow(std::FILE* out, const char* step, const ProcessMemory& memory);
// The header of such a table.
void printHeader(std::FILE* out);

} // namespace vesk::bench
