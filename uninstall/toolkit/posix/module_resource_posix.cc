#include "toolkit/module_resource.h"

std::optional<std::string> ReadModuleResource(int, const char*) { return std::nullopt; }
