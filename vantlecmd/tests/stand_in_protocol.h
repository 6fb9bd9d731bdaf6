// What the tests and the stand-in host agree on. The host's window class is
// spelled here on its own, so that a wrong name in the forwarder shows.
//
// The stand-in's modes, by its first argument:
//   --serve <log>  owns a message-only window of the host's class and appends
//                  every WM_COPYDATA it receives to <log> as a little-endian
//                  uint32 dwData, uint32 cbData and the cbData payload bytes;
//   --hang         owns that window but never pumps its messages;
//   anything else  writes its own command line, a NUL unit and its current
//                  directory, all UTF-16, to kStartRecordName beside itself,
//                  then exits. This is how it runs when started as the host.
#ifndef VANTLECMD_TESTS_STAND_IN_PROTOCOL_H_
#define VANTLECMD_TESTS_STAND_IN_PROTOCOL_H_

namespace vantlecmd::tests {

inline constexpr wchar_t kHostWindowClass[] =
    L"Vantle{3235DDCF-26EE-4CB4-AC10-40AD3800F1D9}";
inline constexpr wchar_t kServeSwitch[] = L"--serve";
inline constexpr wchar_t kHangSwitch[] = L"--hang";
inline constexpr wchar_t kStartRecordName[] = L"host-start.bin";

}  // namespace vantlecmd::tests

#endif  // VANTLECMD_TESTS_STAND_IN_PROTOCOL_H_
