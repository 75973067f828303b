#include "platform/FaultPoint.h"

#ifdef VESK_FAULT_POINTS
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <string>
#endif

namespace vesk::platform {

#ifdef VESK_FAULT_POINTS

namespace {

struct Armed {
    std::string name;
    long at = 0;
    bool stop = false;
};

Armed armedPoint() {
    const char* value = std::getenv("VESK_FAULT_POINT");
    if (value == nullptr) {
        return {};
    }
    const std::string text(value);
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        return {};
    }
    Armed armed{text.substr(0, colon), std::atol(text.c_str() + colon + 1), false};
    armed.stop = text.ends_with(":stop");
    return armed;
}

} // namespace

void faultPoint(std::string_view name) {
    static const Armed armed = armedPoint();
    static std::atomic<long> passes{0};
    if (armed.at <= 0 || name != armed.name || ++passes != armed.at) {
        return;
    }
    ::raise(armed.stop ? SIGSTOP : SIGKILL);
}

#else

void faultPoint(std::string_view /*name*/) {}

#endif

} // namespace vesk::platform
