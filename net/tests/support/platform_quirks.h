#pragma once

namespace net::testing {

// Wine turns a peer's reset into an end of stream now and then, depending on when
// it notices the reset; Windows and Linux always report it as a reset.
bool ResetMayArriveAsOrderlyClose();

}  // namespace net::testing
