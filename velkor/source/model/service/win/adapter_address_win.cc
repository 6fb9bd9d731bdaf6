#include <windows.h>
// nb30.h needs the types of windows.h.
#include <nb30.h>

#include <cstring>

#include "adapter_address.h"

namespace {

// The status query's buffer: the adapter status and room for its name table.
struct AdapterStatus {
  ADAPTER_STATUS status;
  NAME_BUFFER names[30];
};

}  // namespace

std::optional<AdapterAddress> ReadAdapterAddress() {
  LANA_ENUM adapters{};
  NCB ncb{};
  ncb.ncb_command = NCBENUM;
  ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&adapters);
  ncb.ncb_length = sizeof(adapters);
  UCHAR adapter = 0;
  if (Netbios(&ncb) == NRC_GOODRET) adapter = adapters.lana[0];

  ncb = NCB{};
  ncb.ncb_command = NCBRESET;
  ncb.ncb_lana_num = adapter;
  Netbios(&ncb);  // Its result does not matter: the status query below decides.

  AdapterStatus status{};
  ncb = NCB{};
  ncb.ncb_command = NCBASTAT;
  ncb.ncb_lana_num = adapter;
  std::memcpy(ncb.ncb_callname, "*               ", NCBNAMSZ);
  ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&status);
  ncb.ncb_length = sizeof(status);
  if (Netbios(&ncb) != NRC_GOODRET) return std::nullopt;

  AdapterAddress address;
  std::memcpy(address.data(), status.status.adapter_address, address.size());
  return address;
}
