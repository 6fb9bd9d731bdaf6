#include "toolkit/skin_image.h"

ImageCache& GetImageCache() {
  static ImageCache cache;
  return cache;
}

SkinImage* GetCachedImage(int id) {
  ImageCache& cache = GetImageCache();
  if (auto found = cache.find(id); found != cache.end()) return found->second.get();
  std::unique_ptr<SkinImage> image = LoadPngResource(id);
  if (image == nullptr) return nullptr;
  return cache.emplace(id, std::move(image)).first->second.get();
}
