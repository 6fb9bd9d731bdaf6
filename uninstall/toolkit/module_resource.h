// Resources compiled into this program, found by number and type name ("XML", "PNG").
#pragma once

#include <functional>
#include <optional>
#include <string>

// The whole resource as raw bytes, or nothing when the module has no such resource.
using ResourceReader = std::function<std::optional<std::string>(int id, const char* type)>;

// Reads from the running program's own module. Native builds embed no resources, so
// there it finds nothing; tests hand the loaders their own ResourceReader instead.
[[nodiscard]] std::optional<std::string> ReadModuleResource(int id, const char* type);
