#include "platform_quirks.h"

namespace net::testing {

bool ResetMayArriveAsOrderlyClose() { return false; }

}  // namespace net::testing
