#include "ProcessMemory.h"

#include <malloc.h>

#include <fstream>
#include <string>

namespace vesk::bench {

namespace {

constexpr double mebibyte = 1024.0 * 1024.0;

// A "Name:   1234 kB" line of /proc/self/status, in MiB.
double statusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(name + ":")) {
            return std::stod(line.substr(name.size() + 1)) / 1024;
        }
    }
    return 0;
}

} // namespace

ProcessMemory ProcessMemory::now() {
    const struct mallinfo2 heap = mallinfo2();
    return {statusField("VmRSS"), statusField("RssAnon"), statusField("RssFile"),
            static_cast<double>(heap.uordblks + heap.hblkhd) / mebibyte,
            static_cast<double>(heap.arena + heap.hblkhd) / mebibyte};
}

void printHeader(std::FILE* out) {
    std::fprintf(out, "| step | VmRSS | RssAnon | RssFile | heap in use | heap held |\n"
                      "|---|---:|---:|---:|---:|---:|\n");
}

void printRow(std::FILE* out, const char* step, const ProcessMemory& memory) {
    std::fprintf(out, "| %s | %.1f | %.1f | %.1f | %.1f | %.1f |\n", step, memory.resident,
                 memory.anonymous, memory.files, memory.heapInUse, memory.heapHeld);
}

} // namespace vesk::bench
