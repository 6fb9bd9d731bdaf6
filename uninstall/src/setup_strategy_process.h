#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "setup_strategy.h"
#include "setup_system.h"

struct ProcessItem {
  std::wstring path;
  std::wstring param;
  std::uint32_t waitMs = 0;  // 0: do not wait
  bool show = false;
};

// Element "process": runs its programs in order, on uninstall and install alike.
class CSetupStrategyForProcess final : public ISetupStrategy {
 public:
  explicit CSetupStrategyForProcess(ISetupSystem& system) : system_(system) {}

  void Parse(const boost::property_tree::ptree& element) override;
  void Install() override { RunItems(); }
  void Uninstall() override { RunItems(); }

  [[nodiscard]] const std::vector<ProcessItem>& Items() const { return items_; }

 private:
  void RunItems();

  ISetupSystem& system_;
  std::vector<ProcessItem> items_;
};
