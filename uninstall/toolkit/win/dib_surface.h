// 32-bit bottom-up DIB sections: the drawing surfaces of hosted and animation windows.
#pragma once

#include <windows.h>

// A width × height surface for `dc`, cleared to transparent; `bits` receives its pixels.
[[nodiscard]] HBITMAP CreateDibSurface(HDC dc, int width, int height, void** bits);
