#include "surface_png.h"

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

namespace {

bool FindPngEncoder(CLSID& encoder) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      encoder = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool SaveSurfacePng(const CSWindowHost& host, const std::wstring& path) {
  const int w = host.window_rect().Width();
  const int h = host.window_rect().Height();
  if (host.surface_pixels() == nullptr || w <= 0 || h <= 0) return false;
  CLSID encoder;
  if (!FindPngEncoder(encoder)) return false;
  // The surface is bottom-up: start at its last row and walk backwards.
  auto* top_row = const_cast<BYTE*>(reinterpret_cast<const BYTE*>(host.surface_pixels() +
                                                                  static_cast<std::size_t>(h - 1) * w));
  Gdiplus::Bitmap picture(w, h, -w * 4, PixelFormat32bppPARGB, top_row);
  return picture.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}
