#pragma once

#include <memory>
#include <vector>

#include <boost/property_tree/ptree.hpp>

// One kind of entry of the setup description's "uninstall" section: the items it
// read from one strategy element, and how to make or undo them.
class ISetupStrategy {
 public:
  virtual ~ISetupStrategy() = default;
  // Reads one item per child of the strategy element. Throws the property tree's
  // errors for a child without attributes (a comment, or the element's own
  // attributes, included), which fails the whole description.
  virtual void Parse(const boost::property_tree::ptree& element) = 0;
  virtual void Install() = 0;
  virtual void Uninstall() = 0;
};

using SetupStrategyList = std::vector<std::unique_ptr<ISetupStrategy>>;
