#pragma once

#include <string>

namespace vesk {

// Numbers as every reason and message writes them: with a decimal point, whatever the
// process locale says (a desktop sets LC_NUMERIC, and "0,51" would then stand beside "0.51").

// Rounded to `places` decimals, as "%.2f" would in the C locale.
[[nodiscard]] std::string decimalText(double value, int places);
// The fewest decimals that still read back as the same number: "0.5", "3", "12.25".
[[nodiscard]] std::string decimalText(double value);

} // namespace vesk
