#pragma once

#include <cstdint>
#include <string>

// Starts "\"path\" param" (the space also when param is empty) in the uninstaller's
// current folder, shown or hidden. With waitMs, waits that long for it and, when it
// ended in time, stores its exit code in `exitCode` if given. True when it started.
bool RunProcess(const std::wstring& path, const std::wstring& param, bool show, std::uint32_t waitMs,
                std::uint32_t* exitCode = nullptr);
