#include "nexa/channel_settings.h"

#include "nexa/public_key.h"

namespace nexalib {

ChannelSettings DefaultChannelSettings() {
  ChannelSettings settings;
  settings.publicKeyBase64 = kGatewayPublicKeyBase64;
  settings.createConnection = [](net::INetConnect** out, net::INetConnectCallback* callback) {
    return net::CreateNetConnect(out, callback);
  };
  return settings;
}

}  // namespace nexalib
