#include "setup_strategy_process.h"

#include "setup_attributes.h"

void CSetupStrategyForProcess::Parse(const boost::property_tree::ptree& element) {
  ParseSetupItems(element, items_, [](const SetupItemAttributes& attributes) {
    ProcessItem item;
    item.path = attributes.SubstitutedText("path");
    item.param = attributes.SubstitutedText("param");
    // A negative wait would become an unbounded one; it means "do not wait".
    const int wait = attributes.Number("wait");
    item.waitMs = wait > 0 ? static_cast<std::uint32_t>(wait) : 0;
    const auto show = attributes.Raw("show");
    item.show = show && *show != "0";
    return item;
  });
}

void CSetupStrategyForProcess::RunItems() {
  for (const auto& item : items_) system_.RunProcess(item.path, item.param, item.show, item.waitMs);
}
