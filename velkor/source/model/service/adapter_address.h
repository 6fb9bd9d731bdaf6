// The hardware address of the machine's first network adapter (the operating
// system's part of the device identity).
#ifndef VELKOR_SOURCE_MODEL_SERVICE_ADAPTER_ADDRESS_H_
#define VELKOR_SOURCE_MODEL_SERVICE_ADAPTER_ADDRESS_H_

#include <array>
#include <cstdint>
#include <optional>

using AdapterAddress = std::array<uint8_t, 6>;

// Windows: the adapter status of the first NetBIOS adapter. Elsewhere: the
// first non-loopback interface, in name order, that has a 6-byte address.
// Nothing when no address can be read.
std::optional<AdapterAddress> ReadAdapterAddress();

#endif  // VELKOR_SOURCE_MODEL_SERVICE_ADAPTER_ADDRESS_H_
