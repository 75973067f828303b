#include "support/ScratchVolume.h"

#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

namespace vesk::test {

std::unique_ptr<ScratchVolume> ScratchVolume::mount(std::size_t bytes) {
    if (::geteuid() != 0) {
        return nullptr;
    }
    std::unique_ptr<ScratchVolume> volume(new ScratchVolume());
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", volume->path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return nullptr;
    }
    return volume;
}

ScratchVolume::~ScratchVolume() {
    ::umount2(path().c_str(), MNT_DETACH);
}

bool ScratchVolume::makeReadOnly() const {
    return ::mount(nullptr, path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void ScratchVolume::fill() const {
    const int fd = ::open((path() / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::vector<char> block(64 * 1024, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    // Whatever fits in the last partial block.
    while (::write(fd, block.data(), 1) > 0) {
    }
    ::close(fd);
}

} // namespace vesk::test
