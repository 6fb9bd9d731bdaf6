#include "toolkit/window_layout.h"

#include <boost/property_tree/xml_parser.hpp>
#include <sstream>

#include "toolkit/text_readers.h"

void CSWWindowFrame::Parse(const boost::property_tree::ptree& attributes) {
  CSWObject::Parse(attributes);
  window_rect_ = {0, 0, width_, height_};
}

bool CSWWindowFrame::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "width") {
    width_ = ReadDecimal(value);
  } else if (name == "height") {
    height_ = ReadDecimal(value);
  } else {
    return false;
  }
  return true;
}

bool LoadWindowLayout(int layout_id, CSWWindowFrame& frame, CSWView& view, const ResourceReader& read) {
  const std::optional<std::string> bytes = read(layout_id, "XML");
  if (!bytes) return false;
  try {
    std::istringstream stream(*bytes);
    boost::property_tree::ptree document;
    boost::property_tree::read_xml(stream, document);
    const boost::property_tree::ptree& window = document.get_child("window");
    const boost::property_tree::ptree& attributes = window.get_child("<xmlattr>");
    const boost::property_tree::ptree& root = window.get_child("view");
    frame.Parse(attributes);
    view.Parse(root);
    return true;
  } catch (const boost::property_tree::ptree_error&) {
    return false;
  }
}
