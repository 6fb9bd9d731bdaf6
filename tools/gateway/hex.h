#pragma once

// Bodies in the gateway's HTTP control texts travel as lower-case hex.

#include <optional>
#include <string>
#include <string_view>

namespace gateway {

std::string ToHex(std::string_view bytes);
// Nothing for an odd length or a character that is not a hex digit.
std::optional<std::string> FromHex(std::string_view text);

}  // namespace gateway
