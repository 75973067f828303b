#pragma once

#include <string>
#include <string_view>

namespace vesk::test {

// `text` written `count` times over.
inline std::string times(int count, std::string_view text) {
    std::string result;
    for (int n = 0; n < count; ++n) {
        result += text;
    }
    return result;
}

} // namespace vesk::test
