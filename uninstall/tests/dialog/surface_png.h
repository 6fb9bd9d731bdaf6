// Writes a hosted window's drawing surface as a PNG file.
#pragma once

#include <string>

#include "toolkit/win/sw_window_host.h"

// True when the file was written.
bool SaveSurfacePng(const CSWindowHost& host, const std::wstring& path);
