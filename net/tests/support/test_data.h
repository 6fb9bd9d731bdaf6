#pragma once

#include <string>

namespace net::testing {

// Contents of a file in net/tests/data; empty when it cannot be read.
std::string ReadTestData(const std::string& name);

std::string FromHex(const std::string& hex);
std::string ToHex(const std::string& bytes);

}  // namespace net::testing
