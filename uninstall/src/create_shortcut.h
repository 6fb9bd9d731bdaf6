#pragma once

#include <string>

// Saves a shell link at `linkPath` (creating its folder with all parents) that
// starts `target` with `arguments` in the target's folder. Needs COM on the calling
// thread. True when the link object could be created.
bool CreateShortcut(const std::wstring& target, const std::wstring& arguments,
                    const std::wstring& linkPath);
