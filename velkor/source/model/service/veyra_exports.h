// The four entry points of the security-data module, looked up by name. The
// module is outside the library; this header is the contract both sides build
// against.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_VEYRA_EXPORTS_H_
#define VELKOR_SOURCE_MODEL_SERVICE_VEYRA_EXPORTS_H_

#include <cstdint>

// Non-zero when the module started.
using StartVeyraFunc = int32_t (*)();
// Non-zero when *buffer (owned by the module) and *length were filled.
using GetUAFunc = int32_t (*)(unsigned char** buffer, int32_t* length);
// Gives back a buffer from GetUA.
using FreeUABuffFunc = void (*)(unsigned char* buffer);
using StopVeyraFunc = int32_t (*)();

inline constexpr char kStartVeyraName[] = "StartVeyra";
inline constexpr char kGetUAName[] = "GetUA";
inline constexpr char kFreeUABuffName[] = "FreeUABuff";
inline constexpr char kStopVeyraName[] = "StopVeyra";

#endif  // VELKOR_SOURCE_MODEL_SERVICE_VEYRA_EXPORTS_H_
