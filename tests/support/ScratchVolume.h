#pragma once

#include "support/TempDir.h"

#include <cstddef>
#include <filesystem>
#include <memory>

namespace vesk::test {

// A small tmpfs of its own, for cases that need a volume that is full or read-only. Mounting
// needs root: elsewhere mount() gives nothing and the case skips.
class ScratchVolume {
public:
    [[nodiscard]] static std::unique_ptr<ScratchVolume> mount(std::size_t bytes);
    ~ScratchVolume();
    ScratchVolume(const ScratchVolume&) = delete;
    ScratchVolume& operator=(const ScratchVolume&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return mountPoint_.path(); }
    [[nodiscard]] std::filesystem::path operator/(const std::filesystem::path& rel) const {
        return mountPoint_ / rel;
    }
    [[nodiscard]] bool makeReadOnly() const;
    // Fills what space is left, so the next write fails with ENOSPC.
    void fill() const;

private:
    ScratchVolume() = default;

    TempDir mountPoint_;
};

} // namespace vesk::test
