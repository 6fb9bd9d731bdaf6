#include "toolkit/skin_image.h"

// Native builds embed no pictures and decode none; tests seed the cache instead.
std::unique_ptr<SkinImage> LoadPngResource(int) { return nullptr; }
