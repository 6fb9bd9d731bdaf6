#include "toolkit/win/dib_surface.h"

#include <cstring>

HBITMAP CreateDibSurface(HDC dc, int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
  if (bitmap != nullptr && *bits != nullptr) std::memset(*bits, 0, static_cast<std::size_t>(width) * height * 4);
  return bitmap;
}
