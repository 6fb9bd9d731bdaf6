#pragma once

// Result codes and type codes of the packed record format.

#include <cstdint>

namespace codec {

// Results of an unpack. Inside the codec the failures are thrown as these values;
// every record operation catches them and returns them as an int.
enum PACKRETCODE : int {
  PACK_OK = 0,
  PACK_SHORT_DATA = 3,      // a read would pass the end, or too few fields
  PACK_TYPE_MISMATCH = 5,   // a field carries another type code than expected
  PACK_INVALID_TYPE = 6,    // unknown type code, nesting too deep, wrong check byte
  PACK_STD_EXCEPTION = 7,   // a std::exception was caught (never thrown)
};

// Type codes a field descriptor carries. Codes below 0x40 are the descriptor byte itself;
// from 0x40 on the high nibble is the code and the low nibble a width.
enum PACKTYPE : uint8_t {
  PT_UINT8 = 0x02,
  PT_INT32 = 0x05,
  PT_UINT32 = 0x06,
  PT_INT64 = 0x08,
  PT_STRUCT = 0x09,
  PT_MAP = 0x0A,
  PT_LIST = 0x0E,
  PT_STRING = 0x40,
  PT_SIZED_LIST = 0x50,
};

// Descriptor and value nesting allowed on input, counted together. Deeper input is
// rejected with PACK_INVALID_TYPE so that hostile bytes cannot exhaust the stack.
inline constexpr int kMaxNesting = 64;

}  // namespace codec
