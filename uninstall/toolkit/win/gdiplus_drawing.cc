#include "toolkit/win/gdiplus_drawing.h"

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "toolkit/skin_geometry.h"
#include "toolkit/win/gdiplus_image.h"
#include "toolkit/win/rendered_skins.h"

namespace {

constexpr wchar_t kFontFamily[] = L"微软雅黑";

Gdiplus::Rect ToRect(const SWBox& box) { return {box.x, box.y, box.width, box.height}; }

// Copies the slice into a bitmap of its own size, then repeats that bitmap over the
// destination without scaling.
void TileSlice(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const SkinBlit& blit,
               Gdiplus::ImageAttributes* attributes) {
  Gdiplus::Bitmap slice(blit.source.width, blit.source.height, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics slice_graphics(&slice);
    slice_graphics.DrawImage(&image, Gdiplus::Rect(0, 0, blit.source.width, blit.source.height), blit.source.x,
                             blit.source.y, blit.source.width, blit.source.height, Gdiplus::UnitPixel, attributes);
  }
  Gdiplus::ImageAttributes tile;
  tile.SetWrapMode(Gdiplus::WrapModeTile);
  graphics.DrawImage(&slice, ToRect(blit.dest), blit.tile_offset.x, blit.tile_offset.y, blit.dest.width,
                     blit.dest.height, Gdiplus::UnitPixel, &tile);
}

// The font and string format of a text style, made once per look.
struct TextLook {
  std::unique_ptr<Gdiplus::Font> font;
  std::unique_ptr<Gdiplus::StringFormat> format;
};

const TextLook& GetTextLook(int font_size, int font_style, int h_align, int v_align) {
  // Never destroyed: GDI+ may already be shut down when static objects go.
  static auto* looks = new std::map<std::tuple<int, int, int, int>, TextLook>;
  auto [found, added] = looks->try_emplace({font_size, font_style, h_align, v_align});
  TextLook& look = found->second;
  if (!added) return look;
  Gdiplus::FontFamily family(kFontFamily);
  const Gdiplus::FontFamily* chosen = family.IsAvailable() ? &family : Gdiplus::FontFamily::GenericSansSerif();
  look.font = std::make_unique<Gdiplus::Font>(chosen, static_cast<Gdiplus::REAL>(font_size), font_style,
                                              Gdiplus::UnitPixel);
  if (!look.font->IsAvailable()) {
    look.font = std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(),
                                                static_cast<Gdiplus::REAL>(font_size), font_style,
                                                Gdiplus::UnitPixel);
  }
  const Gdiplus::StringAlignment alignments[] = {Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter,
                                                 Gdiplus::StringAlignmentFar};
  look.format = std::make_unique<Gdiplus::StringFormat>(Gdiplus::StringFormatFlagsLineLimit);
  look.format->SetAlignment(alignments[h_align]);
  look.format->SetLineAlignment(alignments[v_align]);
  look.format->SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
  return look;
}

}  // namespace

void DrawSkin(const CSWSkin& skin, Gdiplus::Graphics& graphics, const SWBox& box, int state, float alpha) {
  if (skin.image() == nullptr) return;
  Gdiplus::Image* image = NativeImage(*skin.image());
  std::unique_ptr<Gdiplus::ImageAttributes> attributes;
  if (alpha < 1.0f) {
    Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, alpha, 0},
                                    {0, 0, 0, 0, 1}}};
    attributes = std::make_unique<Gdiplus::ImageAttributes>();
    attributes->SetColorMatrix(&matrix);
  }
  for (const SkinBlit& blit : PlanSkinBlits(SlicingOf(skin), box, state)) {
    if (blit.tiled) {
      TileSlice(graphics, *image, blit, attributes.get());
    } else {
      graphics.DrawImage(image, ToRect(blit.dest), blit.source.x, blit.source.y, blit.source.width,
                         blit.source.height, Gdiplus::UnitPixel, attributes.get());
    }
  }
}

void DrawStyledText(int state, const SWBox& box, const CSWStyle& style, Gdiplus::Graphics& graphics,
                    const std::wstring& text) {
  const std::uint32_t colour = state == 1 ? style.hover_colour : state == 2 ? style.push_colour : style.normal_colour;
  const bool active = state == 1 || state == 2 || state == 3;
  const int font_style = active ? (style.font_style | style.hover_font_style) : style.font_style;
  const TextLook& look = GetTextLook(style.font_size, font_style, style.h_align, style.v_align);

  graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
  const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(box.x), static_cast<Gdiplus::REAL>(box.y),
                              static_cast<Gdiplus::REAL>(box.width), static_cast<Gdiplus::REAL>(box.height));
  graphics.DrawString(text.c_str(), -1, look.font.get(), layout, look.format.get(), &brush);
}

void GdiplusCanvas::DrawSkin(const CSWSkin& skin, const SWBox& box, int state) {
  const RenderedSkin rendered = GetRenderedSkin(skin, box.width, box.height, state);
  if (rendered.picture == nullptr) return;
  const SWBox& b = rendered.bounds;
  SWRect part{box.x + b.x, box.y + b.y, box.x + b.x + b.width, box.y + b.y + b.height};
  if (clip_ != nullptr) {
    RECT bounds{};
    GetRgnBox(clip_, &bounds);
    part = part.Intersection({bounds.left, bounds.top, bounds.right, bounds.bottom});
  }
  if (part.Width() <= 0 || part.Height() <= 0) return;
  // One to one: only the pixels inside the clip are copied.
  graphics_.DrawImage(rendered.picture, ToRect(part.Box()), part.left - box.x - b.x, part.top - box.y - b.y,
                      part.Width(), part.Height(), Gdiplus::UnitPixel);
}

void GdiplusCanvas::DrawStyledText(int state, const SWBox& box, const CSWStyle& style, const std::wstring& text) {
  ::DrawStyledText(state, box, style, graphics_, text);
}

void GdiplusCanvas::DrawOutline(const SWRect& rect) {
  Gdiplus::Pen red(Gdiplus::Color(0xFF, 0xFF, 0x00, 0x00), 1.0f);
  graphics_.DrawRectangle(&red, rect.left, rect.top, rect.Width() - 1, rect.Height() - 1);
}

bool GdiplusCanvas::TouchesClip(const SWRect& rect) const {
  if (clip_ == nullptr) return true;
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  return RectInRegion(clip_, &r) != FALSE;
}
