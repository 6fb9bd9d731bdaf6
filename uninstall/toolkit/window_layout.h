// A window's layout: the "window" element's size and its root "view".
#pragma once

#include <string>

#include "toolkit/module_resource.h"
#include "toolkit/sw_view.h"

// The CSWObject part of a hosted window: "width" and "height" become the right and
// bottom of its rectangle, whose left and top stay 0.
class CSWWindowFrame : public CSWObject {
 public:
  bool IsTag(std::string_view name) const override { return name == "window"; }
  void Parse(const boost::property_tree::ptree& attributes) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  [[nodiscard]] const SWRect& window_rect() const { return window_rect_; }
  [[nodiscard]] int width() const { return width_; }
  [[nodiscard]] int height() const { return height_; }

 private:
  SWRect window_rect_;
  int width_ = 0;
  int height_ = 0;
};

// Reads XML resource `layout_id`: applies the attributes of "window" to `frame` and
// parses its "view" into `view`. False on a missing resource, malformed XML, a "window"
// without attributes or without "view", or a leaf without attributes.
[[nodiscard]] bool LoadWindowLayout(int layout_id, CSWWindowFrame& frame, CSWView& view,
                                    const ResourceReader& read = ReadModuleResource);
