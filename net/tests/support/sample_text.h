#pragma once

#include <cstddef>
#include <string>

namespace net::testing {

// JSON-like text of about `size` bytes, the kind the channel compresses.
std::string JsonLikeText(std::size_t size);

}  // namespace net::testing
