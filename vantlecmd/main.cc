// Entry of vantlecmd.exe: hands its command text to the host application.
#include <windows.h>

#include "vantlecmd/win/forwarder.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous_instance*/,
                    PWSTR command_text, int /*show_command*/) {
  vantlecmd::ForwardCommandText(command_text);
  // Callers never learn whether the host got the text: the result is always 0.
  return 0;
}
