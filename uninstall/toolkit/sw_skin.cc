#include "toolkit/sw_skin.h"

#include <algorithm>

#include "toolkit/text_readers.h"

void CSWSkin::Parse(const boost::property_tree::ptree& attributes) {
  CSWObject::Parse(attributes);
  if (image_id_ == 0) return;
  image_ = GetCachedImage(image_id_);
  if (!nine_cell_text_.empty()) nine_cell_params_ = ReadDecimalList<8>(nine_cell_text_);
}

bool CSWSkin::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "imgsrc") {
    image_id_ = ReadDecimal(value);
  } else if (name == "statecount") {
    state_count_ = std::max(1, ReadDecimal(value));
  } else if (name == "rendertype") {
    if (value == "single") render_type_ = kRenderSingle;
    else if (value == "3cell") render_type_ = kRenderThreeCell;
    else if (value == "9cell") render_type_ = kRenderNineCell;
  } else if (name == "3CellHeadWidth") {
    head_width_ = ReadDecimal(value);
  } else if (name == "3CellTailWidth") {
    tail_width_ = ReadDecimal(value);
  } else if (name == "9CellParams") {
    nine_cell_text_ = value;
  } else {
    return false;
  }
  return true;
}

std::pair<int, int> GetFrameSize(const CSWSkin& skin) {
  if (skin.image() == nullptr) return {0, 0};
  return {skin.image()->Width() / skin.state_count(), skin.image()->Height()};
}
