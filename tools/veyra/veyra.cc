// Stand-in for the security-data module that ships beside the library: the four
// entry points with a small opaque blob. It checks how it is used and aborts on
// a broken contract (data asked before a successful start, a buffer given back
// that it did not hand out, a stop without a start), so tests see misuse.
//
// VEYRA_FAULT selects a failing variant: 1 "StartVeyra" returns 0, 2 "GetUA"
// reports success with a null buffer.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "veyra_exports.h"

#ifndef VEYRA_FAULT
#define VEYRA_FAULT 0
#endif

namespace {

constexpr int kMaxBuffers = 8;

bool g_started = false;
int g_handed_out = 0;                         // GetUA answers so far
unsigned char* g_buffers[kMaxBuffers] = {};  // handed out, not yet given back

unsigned char** FreeSlot() {
  for (unsigned char*& slot : g_buffers) {
    if (!slot) return &slot;
  }
  std::abort();  // The caller never gives buffers back.
}

unsigned char** SlotOf(unsigned char* buffer) {
  for (unsigned char*& slot : g_buffers) {
    if (buffer && slot == buffer) return &slot;
  }
  std::abort();
}

}  // namespace

extern "C" int32_t StartVeyra() {
  g_started = VEYRA_FAULT != 1;
  return g_started ? 1 : 0;
}

extern "C" int32_t GetUA(unsigned char** buffer, int32_t* length) {
  if (!g_started) std::abort();
  if (VEYRA_FAULT == 2) {
    *buffer = nullptr;
    *length = 0;
    return 1;
  }
  char text[32];
  int size = std::snprintf(text, sizeof(text), "stand-in-ua-%d", ++g_handed_out);
  unsigned char** slot = FreeSlot();
  *slot = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
  std::memcpy(*slot, text, static_cast<size_t>(size));
  *buffer = *slot;
  *length = size;
  return 1;
}

extern "C" void FreeUABuff(unsigned char* buffer) {
  unsigned char** slot = SlotOf(buffer);
  std::free(*slot);
  *slot = nullptr;
}

extern "C" int32_t StopVeyra() {
  if (!g_started) std::abort();
  g_started = false;
  return 1;
}

static_assert(std::is_same_v<decltype(&StartVeyra), StartVeyraFunc>);
static_assert(std::is_same_v<decltype(&GetUA), GetUAFunc>);
static_assert(std::is_same_v<decltype(&FreeUABuff), FreeUABuffFunc>);
static_assert(std::is_same_v<decltype(&StopVeyra), StopVeyraFunc>);
