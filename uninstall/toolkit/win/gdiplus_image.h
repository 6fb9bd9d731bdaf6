// The Windows picture behind SkinImage: a GDI+ image decoded from a resource.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "toolkit/skin_image.h"

class GdiplusSkinImage : public SkinImage {
 public:
  // Takes the global memory block that holds the PNG bytes; it must outlive the image.
  GdiplusSkinImage(std::unique_ptr<Gdiplus::Image> image, HGLOBAL bytes);
  ~GdiplusSkinImage() override;
  GdiplusSkinImage(const GdiplusSkinImage&) = delete;
  GdiplusSkinImage& operator=(const GdiplusSkinImage&) = delete;

  int Width() const override;
  int Height() const override;
  Gdiplus::Image* image() const { return image_.get(); }

 private:
  std::unique_ptr<Gdiplus::Image> image_;
  HGLOBAL bytes_;
};

// The GDI+ image of a cached skin picture (every SkinImage on Windows is one).
inline Gdiplus::Image* NativeImage(const SkinImage& image) {
  return static_cast<const GdiplusSkinImage&>(image).image();
}
