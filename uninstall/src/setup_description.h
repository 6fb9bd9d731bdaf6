#pragma once

#include <string>

#include "setup_strategy.h"
#include "setup_system.h"

// Reads the setup description at `path` and appends one strategy per strategy
// element of "setup.uninstall" ("reg", "desktopicon", "startmenu", "process"), in
// document order; other elements are skipped. False on any reader error: missing
// or malformed file, no "setup.uninstall", an item without attributes, a comment
// or attributes directly on a strategy element. Strategies built before such an
// error stay in the list.
[[nodiscard]] bool LoadSetupDescription(const std::wstring& path, ISetupSystem& system,
                                        SetupStrategyList& strategies);

// Loads `dir` + "setup.xml" into `strategies` and uninstalls every strategy in
// order, or none at all when the description cannot be read.
void RunSetupStrategies(const std::wstring& dir, ISetupSystem& system,
                        SetupStrategyList& strategies);
