#include "core/util/AtomicFile.h"

#include "platform/FileDescriptor.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace vesk {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Owns a file descriptor and, until committed, the temporary file it was opened on.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
        : pathTemplate_(target.native() + ".tmp-XXXXXX"),
          fd_(mkostemp(pathTemplate_.data(), O_CLOEXEC)) {}
    ~TemporaryFile() {
        if (!committed_ && fd_.valid()) {
            ::unlink(pathTemplate_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] bool valid() const { return fd_.valid(); }

    [[nodiscard]] std::error_code write(std::string_view bytes) const {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_.get(), bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return lastError();
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return ::fsync(fd_.get()) == 0 ? std::error_code() : lastError();
    }

    [[nodiscard]] std::error_code commit(const std::filesystem::path& target) {
        // The file keeps mkstemp's 0600: what Vesk stores names the person's files.
        if (::rename(pathTemplate_.c_str(), target.c_str()) != 0) {
            return lastError();
        }
        committed_ = true;
        return {};
    }

private:
    std::string pathTemplate_;
    platform::FileDescriptor fd_;
    bool committed_ = false;
};

} // namespace

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code ignored;
    return writeFileAtomically(file, bytes, ignored);
}

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::error_code& ec) {
    std::filesystem::create_directories(file.parent_path(), ec);
    TemporaryFile temporary(file);
    if (!temporary.valid()) {
        ec = lastError();
        return false;
    }
    ec = temporary.write(bytes);
    if (!ec) {
        ec = temporary.commit(file);
    }
    return !ec;
}

} // namespace vesk
