// Creates the control of a layout element by its name.
#pragma once

#include <string_view>

#include "toolkit/sw_control.h"

// "div", "img", "text", "link", "button", "checkbox", "progressbar" or "edit"; null for
// any other name (the root "view" is made by its window, not here).
[[nodiscard]] SWControlPtr CreateControlByTag(std::string_view name);
