#include "support/ChildProcess.h"

#include <csignal>
#include <grp.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vesk::test {

ChildProcess::ChildProcess(const std::function<int()>& body) : pid_(::fork()) {
    if (pid_ == 0) {
        ::_exit(body());
    }
}

ChildProcess::~ChildProcess() {
    kill();
}

int ChildProcess::wait(std::chrono::seconds limit) {
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        } else if (std::chrono::steady_clock::now() > giveUp) {
            kill();
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return status_;
}

void ChildProcess::kill() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
        status_ = -1;
    }
}

void dropRoot() {
    if (::geteuid() == 0) {
        constexpr uid_t nobody = 65534;
        (void)::setgroups(0, nullptr);
        (void)::setgid(nobody);
        (void)::setuid(nobody);
    }
}

} // namespace vesk::test
