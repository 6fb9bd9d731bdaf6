#include "gateway_channel.h"

#include "auth_dependencies.h"
#include "class_table.h"

namespace auth_test {

// Initialised services live until the process ends, and so does their channel.
GatewayChannel& SharedGatewayChannel() {
  static GatewayChannel* channel = [] {
    velkor::RegisterClasses(GetZephCOMFactory());
    auto* made = new GatewayChannel();
    // One second instead of ten: a silent gateway then costs a test one second.
    uauth::SetAuthDependenciesForTesting({made, 1});
    return made;
  }();
  return *channel;
}

}  // namespace auth_test
