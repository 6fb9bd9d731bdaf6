#include "toolkit_fakes.h"

#include "shipped_resources.h"
#include "toolkit/resource_tables.h"
#include "toolkit/skin_image.h"

namespace {

class SizeOnlyImage : public SkinImage {
 public:
  SizeOnlyImage(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 private:
  int width_;
  int height_;
};

int BigEndian32(const std::string& bytes, std::size_t at) {
  int value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

ShippedTables::ShippedTables() {
  const ResourceReader read = ShippedResources();
  for (int id : {1000, 1999, 2000, 2001, 2002, 2003, 2004, 2006, 2008, 2009}) {
    const std::optional<std::string> png = read(id, "PNG");
    if (png && png->size() >= 24) {  // signature, then the IHDR chunk's width and height
      GetImageCache()[id] = std::make_unique<SizeOnlyImage>(BigEndian32(*png, 16), BigEndian32(*png, 20));
    }
  }
  LoadStringTable(read);
  LoadSkinTable(read);
  LoadStyleTable(read);
}

ShippedTables::~ShippedTables() {
  GetStringTable().clear();
  GetSkinTable().clear();
  GetStyleTable().clear();
  GetImageCache().clear();
}

ParsedLayout::ParsedLayout(const std::string& layout, bool create) {
  loaded = LoadWindowLayout(1001, frame, *view, XmlBytes(layout));
  view->SetOwnerWindow(&host);
  if (create) {
    SWResult result = 0;
    view->HandleMessage(kSWCreate, 0, 0, result);
  }
}

std::string ShippedDialogLayout() { return *ShippedResources()(1001, "XML"); }
