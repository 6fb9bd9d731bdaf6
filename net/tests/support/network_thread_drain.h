#pragma once

namespace net::testing {

// Returns once the network thread has run everything posted to it before this call.
void DrainNetworkThread();

}  // namespace net::testing
