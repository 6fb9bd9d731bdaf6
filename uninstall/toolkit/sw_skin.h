// A skin: one PNG cut into equal state frames, drawn single, three-cell or nine-cell.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "toolkit/skin_image.h"
#include "toolkit/sw_object.h"

enum SkinRenderType { kRenderSingle = 0, kRenderThreeCell = 1, kRenderNineCell = 2 };

// p0 top row height, p1 top-left width, p2 top-right width, p3 bottom row height,
// p4 bottom-left width, p5 bottom-right width, p6 left edge width, p7 right edge width.
using NineCellParams = std::array<int, 8>;

class CSWSkin : public CSWObject {
 public:
  bool IsTag(std::string_view name) const override { return name == "skin"; }
  // The attribute loop, then (only with an image id) the picture and the nine-cell numbers.
  void Parse(const boost::property_tree::ptree& attributes) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  [[nodiscard]] int image_id() const { return image_id_; }
  [[nodiscard]] const SkinImage* image() const { return image_; }
  // Never below 1, so that a "statecount" of 0 cannot divide the picture by zero.
  [[nodiscard]] int state_count() const { return state_count_; }
  [[nodiscard]] int render_type() const { return render_type_; }
  [[nodiscard]] int head_width() const { return head_width_; }
  [[nodiscard]] int tail_width() const { return tail_width_; }
  [[nodiscard]] const NineCellParams& nine_cell_params() const { return nine_cell_params_; }

 private:
  int image_id_ = 0;
  SkinImage* image_ = nullptr;  // owned by the image cache
  int state_count_ = 1;
  int render_type_ = kRenderSingle;
  int head_width_ = 0;
  int tail_width_ = 0;
  std::string nine_cell_text_;
  NineCellParams nine_cell_params_{};
};

// (frame width, image height); (0, 0) without a picture.
[[nodiscard]] std::pair<int, int> GetFrameSize(const CSWSkin& skin);
