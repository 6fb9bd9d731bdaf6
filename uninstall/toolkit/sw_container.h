// A control that holds others ("div"), drawn as an optional background and its children.
#pragma once

#include <vector>

#include "toolkit/sw_control.h"

class CSWContainer : public CSWControl {
 public:
  bool IsTag(std::string_view name) const override { return name == "div"; }
  // Takes the whole element: its attributes, then each child element by name in
  // document order (unknown names are skipped with their subtree). A leaf without
  // attributes throws boost::property_tree::ptree_bad_path.
  void Parse(const boost::property_tree::ptree& element) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  void SetOwnerWindow(ISWHost* owner) override;
  void Draw(ISWCanvas& canvas, bool outline) override;
  bool IsContainer() const override { return true; }
  void SetVisible(int visible) override;
  int HitTest(SWPoint point) const override;
  bool WantsHandCursor() const override { return false; }
  bool HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result) override;

  [[nodiscard]] const std::vector<SWControlPtr>& children() const { return children_; }

 protected:
  std::vector<SWControlPtr> children_;  // document order
  CSWSkin* background_ = nullptr;
};

// The first control with `id` in document order, searching nested containers; null
// when none.
[[nodiscard]] SWControlPtr FindControlById(const CSWContainer& container, int id);
