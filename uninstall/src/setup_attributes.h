#pragma once

#include <optional>
#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>

// The attributes of one item element of the setup description.
class SetupItemAttributes {
 public:
  // Throws boost::property_tree::ptree_bad_path when the element has no attributes.
  explicit SetupItemAttributes(const boost::property_tree::ptree& item);

  // The value as written (UTF-8), or nothing when the attribute is absent.
  [[nodiscard]] std::optional<std::string> Raw(const char* name) const;
  // The value converted to UTF-16; empty when absent.
  [[nodiscard]] std::wstring Text(const char* name) const;
  // Text() with the setup variables and quotes replaced (ReplaceSetupVariables).
  [[nodiscard]] std::wstring SubstitutedText(const char* name) const;
  // Leading blanks, an optional sign and the leading digits, held at the int range;
  // 0 when there are none or the attribute is absent.
  [[nodiscard]] int Number(const char* name) const;

 private:
  const boost::property_tree::ptree& attributes_;
};

// Appends read(attributes) for every child of a strategy element. Throws as
// SetupItemAttributes does for a child without attributes.
template <typename Item, typename ReadItem>
void ParseSetupItems(const boost::property_tree::ptree& element, std::vector<Item>& items, ReadItem read) {
  for (const auto& child : element) items.push_back(read(SetupItemAttributes(child.second)));
}
