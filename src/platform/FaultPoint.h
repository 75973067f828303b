#pragma once

#include <string_view>

namespace vesk::platform {

// A named point where a test can stop the process, to see what a kill there leaves behind.
// VESK_FAULT_POINT="name:n" kills the process (SIGKILL) the n-th time it passes `name`;
// "name:n:stop" stops it (SIGSTOP) instead, for the test to signal and continue it. Only builds
// with tests compile the points in; elsewhere this does nothing.
void faultPoint(std::string_view name);

} // namespace vesk::platform
