#include "core/util/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace vesk {

namespace {

// Owns a file descriptor and, until committed, the temporary file it was opened on.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        pathTemplate_ = target.native() + ".tmp-XXXXXX";
        fd_ = mkostemp(pathTemplate_.data(), O_CLOEXEC);
    }
    ~TemporaryFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!committed_ && fd_ >= 0) {
            ::unlink(pathTemplate_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] bool valid() const { return fd_ >= 0; }

    [[nodiscard]] bool write(std::string_view bytes) const {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return ::fsync(fd_) == 0;
    }

    [[nodiscard]] bool commit(const std::filesystem::path& target) {
        // The file keeps mkstemp's 0600: what Vesk stores names the person's files.
        if (::rename(pathTemplate_.c_str(), target.c_str()) != 0) {
            return false;
        }
        committed_ = true;
        return true;
    }

private:
    std::string pathTemplate_;
    int fd_ = -1;
    bool committed_ = false;
};

} // namespace

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    TemporaryFile temporary(file);
    if (!temporary.valid() || !temporary.write(bytes)) {
        return false;
    }
    return temporary.commit(file);
}

} // namespace vesk
