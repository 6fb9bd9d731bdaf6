#include <cstring>

#include "toolkit/module_resource.h"
#include "toolkit/win/gdiplus_image.h"

GdiplusSkinImage::GdiplusSkinImage(std::unique_ptr<Gdiplus::Image> image, HGLOBAL bytes)
    : image_(std::move(image)), bytes_(bytes) {}

GdiplusSkinImage::~GdiplusSkinImage() {
  image_.reset();  // the image reads from the block until it is gone
  GlobalFree(bytes_);
}

int GdiplusSkinImage::Width() const { return static_cast<int>(image_->GetWidth()); }

int GdiplusSkinImage::Height() const { return static_cast<int>(image_->GetHeight()); }

std::unique_ptr<SkinImage> LoadPngResource(int id) {
  const std::optional<std::string> bytes = ReadModuleResource(id, "PNG");
  if (!bytes || bytes->empty()) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes->size());
  if (block == nullptr) return nullptr;
  std::memcpy(block, bytes->data(), bytes->size());
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(block, FALSE, &stream) != S_OK) {
    GlobalFree(block);
    return nullptr;
  }
  auto image = std::make_unique<Gdiplus::Image>(stream);
  stream->Release();
  if (image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0) {
    image.reset();
    GlobalFree(block);
    return nullptr;
  }
  return std::make_unique<GdiplusSkinImage>(std::move(image), block);
}
