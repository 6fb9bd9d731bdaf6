#include "toolkit/sw_container.h"

#include "toolkit/control_factory.h"
#include "toolkit/resource_tables.h"

void CSWContainer::Parse(const boost::property_tree::ptree& element) {
  for (const auto& [name, child_node] : element) {
    if (name == "<xmlattr>") {
      CSWControl::Parse(child_node);
      continue;
    }
    SWControlPtr child = CreateControlByTag(name);
    if (child == nullptr) continue;
    child->set_parent(this);
    child->Parse(child->IsContainer() ? child_node : child_node.get_child("<xmlattr>"));
    if (!visible_) child->SetVisible(0);
    children_.push_back(std::move(child));
  }
}

bool CSWContainer::SetAttribute(const std::string& name, const std::string& value) {
  if (CSWControl::SetAttribute(name, value)) return true;
  if (name != "skinbg") return false;
  background_ = FindSkin(value);
  return true;
}

void CSWContainer::SetOwnerWindow(ISWHost* owner) {
  CSWControl::SetOwnerWindow(owner);
  for (const SWControlPtr& child : children_) child->SetOwnerWindow(owner);
}

void CSWContainer::Draw(ISWCanvas& canvas, bool outline) {
  if (background_ != nullptr) canvas.DrawSkin(*background_, rect_.Box(), kStateNormal);
  for (const SWControlPtr& child : children_) DrawControl(canvas, *child, outline);
}

void CSWContainer::SetVisible(int visible) {
  CSWControl::SetVisible(visible);
  for (const SWControlPtr& child : children_) child->SetVisible(visible);
}

int CSWContainer::HitTest(SWPoint point) const {
  for (const SWControlPtr& child : children_) {
    if (const int id = child->HitTest(point); id != 0) return id;
  }
  return 0;
}

bool CSWContainer::HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result) {
  switch (message) {
    case kSWCreate:
      for (const SWControlPtr& child : children_) child->HandleMessage(message, wparam, lparam, result);
      return CSWControl::HandleMessage(message, wparam, lparam, result);
    case kSWDestroy:
      for (const SWControlPtr& child : children_) child->HandleMessage(message, wparam, lparam, result);
      children_.clear();
      return false;
    case kSWMove:
      for (const SWControlPtr& child : children_) {
        if (child->IsContainer() || child->HasHostedWindow()) child->HandleMessage(message, wparam, lparam, result);
      }
      return false;
    default:
      return CSWControl::HandleMessage(message, wparam, lparam, result);
  }
}

SWControlPtr FindControlById(const CSWContainer& container, int id) {
  for (const SWControlPtr& child : container.children()) {
    if (child->id() == id) return child;
    if (child->IsContainer()) {
      if (SWControlPtr found = FindControlById(static_cast<const CSWContainer&>(*child), id)) return found;
    }
  }
  return nullptr;
}
