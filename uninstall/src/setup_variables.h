#pragma once

#include <map>
#include <string>

// Program-wide variables of the setup description: "$INSTDIR" (the install folder
// without a trailing backslash) and "$VERSION". Set on the worker thread before the
// description is parsed and read only while it is parsed.
[[nodiscard]] std::map<std::wstring, std::wstring>& SetupVariables();

// In place: "$INSTDIR", then "$VERSION", by their values when they are set, then
// every "'" by '"'. Literal and case-sensitive; an unset variable stays as written.
void ReplaceSetupVariables(std::wstring& text);
