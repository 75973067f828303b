#pragma once

// Reasons in test failure messages as their key and arguments: tooNew("2.5").

#include "core/plan/Reason.h"

#include <ostream>
#include <variant>

namespace vesk {

inline std::ostream& operator<<(std::ostream& out, const Reason& reason) {
    out << reasonKey(reason.code) << '(';
    for (std::size_t i = 0; i < reason.arguments.size(); ++i) {
        out << (i == 0 ? "\"" : ", \"");
        if (const auto* layer = std::get_if<Layer>(&reason.arguments[i])) {
            out << layerKey(*layer);
        } else {
            out << std::get<std::string>(reason.arguments[i]);
        }
        out << '"';
    }
    return out << ')';
}

} // namespace vesk
