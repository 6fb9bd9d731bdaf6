#include "command_line.h"

SwitchTable ParseCommandLine(const std::wstring& commandLine) {
  SwitchTable switches;
  bool inSwitch = false;
  bool valueStarted = false;
  std::size_t nameStart = 0;
  std::size_t valueStart = 0;
  std::wstring name;

  // The terminating NUL is walked too: it ends the last switch.
  for (std::size_t i = 0; i <= commandLine.size(); ++i) {
    const wchar_t ch = i < commandLine.size() ? commandLine[i] : L'\0';
    if (!inSwitch) {
      if (ch == L'-' || ch == L'/') {
        inSwitch = true;
        nameStart = i + 1;
      }
      continue;
    }
    if (ch == L'=') {
      // A second "=" takes the name up to here again, so the name keeps the first one.
      name = commandLine.substr(nameStart, i - nameStart);
      valueStarted = true;
      valueStart = i + 1;
    } else if (ch == L' ' || ch == L'\0') {
      inSwitch = false;
      if (valueStarted) {
        switches[name] = commandLine.substr(valueStart, i - valueStart);
        valueStarted = false;
      } else {
        switches[commandLine.substr(nameStart, i - nameStart)].clear();
      }
    }
  }
  return switches;
}
