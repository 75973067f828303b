#pragma once

#include <csignal>

namespace vesk::platform {

// The signals that ask a program to stop: SIGTERM (a logout, a service manager), SIGINT
// (Ctrl+C) and SIGHUP (a closed terminal).
[[nodiscard]] sigset_t stopSignals();

// Blocks them in the calling thread and in every thread it starts afterwards, so that they wait
// to be taken with sigwait or a signalfd instead of ending the program in the middle of a move.
// Call before any thread is started.
void blockStopSignals();

// Ends the program the way `signal` would have, had it not been blocked.
[[noreturn]] void endBySignal(int signal);

} // namespace vesk::platform
