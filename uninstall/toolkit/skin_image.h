// Decoded PNG pictures, cached by resource id for the life of the program.
#pragma once

#include <map>
#include <memory>

// A decoded picture as skins see it; the platform's drawing code knows its pixels.
class SkinImage {
 public:
  virtual ~SkinImage() = default;
  [[nodiscard]] virtual int Width() const = 0;
  [[nodiscard]] virtual int Height() const = 0;
};

using ImageCache = std::map<int, std::unique_ptr<SkinImage>>;

// The program-wide cache; tests may seed it with pictures of their own.
ImageCache& GetImageCache();

// Decodes the "PNG" resource `id` of this program; null when missing, empty or broken.
[[nodiscard]] std::unique_ptr<SkinImage> LoadPngResource(int id);

// The cached picture, loaded on first request. A failed load is not remembered, so a
// later request tries again.
SkinImage* GetCachedImage(int id);
