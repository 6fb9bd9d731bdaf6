// Root of every toolkit object built from XML: skins, styles, controls, windows.
#pragma once

#include <boost/property_tree/ptree.hpp>
#include <string>
#include <string_view>

class CSWObject {
 public:
  CSWObject() = default;
  CSWObject(const CSWObject&) = delete;
  CSWObject& operator=(const CSWObject&) = delete;
  virtual ~CSWObject() = default;

  // True when `name` is the element name of this object's class.
  virtual bool IsTag(std::string_view name) const = 0;
  // Applies every attribute of `attributes` (an "<xmlattr>" node) in document order.
  virtual void Parse(const boost::property_tree::ptree& attributes);
  // True when the attribute was known and applied. Values are UTF-8 as written.
  virtual bool SetAttribute(const std::string& name, const std::string& value) = 0;
};
