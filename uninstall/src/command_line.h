#pragma once

#include <map>
#include <string>

// Switches of the uninstaller's command line by name, compared case-sensitively.
// A switch given without "=" has an empty value.
using SwitchTable = std::map<std::wstring, std::wstring>;

// Reads "/name", "-name" and "/name=value" switches separated by spaces. Quotes
// have no meaning, so a value cannot hold a space; a later switch of the same
// name wins. Example: L"/a=b=c /S" gives {"a=b": "c", "S": ""}.
[[nodiscard]] SwitchTable ParseCommandLine(const std::wstring& commandLine);
