#pragma once

// What the model service says, made fit to show: one line, short, and never the key.

#include "core/model/ServiceConnection.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vesk {

// Control characters, line breaks above all, escaped.
[[nodiscard]] std::string oneLine(std::string_view text);

// The first `limit` bytes of a text, cut between characters, with "…" when cut.
[[nodiscard]] std::string excerpt(const std::string& text, std::size_t limit);

// The text with every occurrence of `secret` masked; an empty secret masks nothing.
[[nodiscard]] std::string withoutSecret(std::string text, const std::string& secret);

// Why the service refused a request: its status, what a refusal with 401 or 403 means, and
// the first line of its own error message, escaped and capped.
[[nodiscard]] std::string refusal(const ServiceReply& reply, const std::string& key);

// A refusal that a key would lift (or that refuses the key given).
[[nodiscard]] inline bool wantsKey(int status) {
    return status == 401 || status == 403;
}

} // namespace vesk
