#include "setup_strategy_process.h"

#include <utility>

#include "setup_attributes.h"
#include "setup_variables.h"

void CSetupStrategyForProcess::Parse(const boost::property_tree::ptree& element) {
  for (const auto& child : element) {
    const SetupItemAttributes attributes(child.second);
    ProcessItem item;
    item.path = attributes.Text("path");
    ReplaceSetupVariables(item.path);
    item.param = attributes.Text("param");
    ReplaceSetupVariables(item.param);
    // A negative wait would become an unbounded one; it means "do not wait".
    const int wait = attributes.Number("wait");
    item.waitMs = wait > 0 ? static_cast<std::uint32_t>(wait) : 0;
    const auto show = attributes.Raw("show");
    item.show = show && *show != "0";
    items_.push_back(std::move(item));
  }
}

void CSetupStrategyForProcess::RunItems() {
  for (const auto& item : items_) system_.RunProcess(item.path, item.param, item.show, item.waitMs);
}
