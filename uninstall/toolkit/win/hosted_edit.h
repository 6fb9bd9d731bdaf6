// The real edit window of a CSWEdit, in a popup owned by the skinned window.
#pragma once

#include <windows.h>

#include <memory>

#include "toolkit/sw_edit.h"

// Creates the popup over `edit`'s rectangle (inset 5 left and right, 4 top, 2 bottom)
// holding a system edit window; null when the windows cannot be created.
[[nodiscard]] std::unique_ptr<IHostedEdit> CreateSystemEdit(HWND owner, CSWEdit& edit);
