// Delivers a command text to the running host application through its
// message-only window, or starts the host with the text as a switch.
#ifndef VANTLECMD_WIN_FORWARDER_H_
#define VANTLECMD_WIN_FORWARDER_H_

namespace vantlecmd {

// |command_text| is NUL-terminated UTF-16, possibly empty, and is forwarded
// unchanged. Failures are silent: a hung host, a failed send or a missing host
// executable all end the call without retrying or reporting.
void ForwardCommandText(const wchar_t* command_text);

}  // namespace vantlecmd

#endif  // VANTLECMD_WIN_FORWARDER_H_
