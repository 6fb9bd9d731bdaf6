#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "setup_strategy.h"
#include "setup_system.h"

// Registry value kinds of an item: "REG_SZ" and "REG_DWORD"; anything else writes nothing.
enum RegistryItemType : int { kRegistryNone = 0, kRegistryString = 1, kRegistryNumber = 4 };

struct RegistryItem {
  RegistryRoot root = RegistryRoot::kNone;
  std::wstring subkey;
  std::wstring subkeyName;  // a sub-key of subkey to delete with everything below it
  std::wstring name;        // a value of subkey
  int type = kRegistryNone;
  std::wstring stringValue;
  std::uint32_t numberValue = 0;
};

// Element "reg". Uninstall deletes a sub-key tree or one value below subkey, never
// subkey itself; Install writes the values.
class CSetupStrategyForReg final : public ISetupStrategy {
 public:
  explicit CSetupStrategyForReg(ISetupSystem& system) : system_(system) {}

  void Parse(const boost::property_tree::ptree& element) override;
  void Install() override;
  void Uninstall() override;

  [[nodiscard]] const std::vector<RegistryItem>& Items() const { return items_; }

 private:
  ISetupSystem& system_;
  std::vector<RegistryItem> items_;
};
