// The full path of the running program.
#ifndef VANTLECMD_WIN_MODULE_PATH_H_
#define VANTLECMD_WIN_MODULE_PATH_H_

#include <optional>
#include <string>

namespace vantlecmd {

// Never truncated: the buffer grows until the path fits. Nothing when the
// system cannot report the path.
[[nodiscard]] std::optional<std::wstring> GetOwnModulePath();

}  // namespace vantlecmd

#endif  // VANTLECMD_WIN_MODULE_PATH_H_
