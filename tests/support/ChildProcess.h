#pragma once

#include <chrono>
#include <functional>
#include <sys/types.h>

namespace vesk::test {

// Runs `body` in a forked copy of the test process, for cases that must kill their subject half
// way or that would hang before their fault was mended. Killed when it goes out of scope.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<int()>& body);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status; -1 when it was killed or did not end within `limit`.
    int wait(std::chrono::seconds limit = std::chrono::seconds(30));
    void kill();

private:
    pid_t pid_ = -1;
    int status_ = -1;
};

// Gives up root (for the rest of a child's life), so that permissions apply to it.
void dropRoot();

} // namespace vesk::test
