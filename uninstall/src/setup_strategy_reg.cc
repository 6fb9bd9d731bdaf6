#include "setup_strategy_reg.h"

#include <utility>

#include "setup_attributes.h"

namespace {

RegistryRoot ParseRoot(const std::optional<std::string>& name) {
  static const std::pair<const char*, RegistryRoot> kRoots[] = {
      {"HKEY_LOCAL_MACHINE", RegistryRoot::kLocalMachine},
      {"HKEY_CURRENT_USER", RegistryRoot::kCurrentUser},
      {"HKEY_USERS", RegistryRoot::kUsers},
      {"HKEY_CLASSES_ROOT", RegistryRoot::kClassesRoot},
      {"HKEY_CURRENT_CONFIG", RegistryRoot::kCurrentConfig},
  };
  for (const auto& [text, root] : kRoots) {
    if (name == text) return root;
  }
  return RegistryRoot::kNone;
}

int ParseType(const std::optional<std::string>& name) {
  if (name == "REG_SZ") return kRegistryString;
  if (name == "REG_DWORD") return kRegistryNumber;
  return kRegistryNone;
}

}  // namespace

void CSetupStrategyForReg::Parse(const boost::property_tree::ptree& element) {
  ParseSetupItems(element, items_, [](const SetupItemAttributes& attributes) {
    RegistryItem item;
    item.root = ParseRoot(attributes.Raw("key"));
    item.subkey = attributes.Text("subkey");
    item.subkeyName = attributes.Text("subkeyname");
    item.name = attributes.Text("name");
    item.type = ParseType(attributes.Raw("type"));
    if (item.type == kRegistryString) {
      item.stringValue = attributes.SubstitutedText("value");
    } else if (item.type == kRegistryNumber) {
      item.numberValue = static_cast<std::uint32_t>(attributes.Number("value"));
    }
    return item;
  });
}

void CSetupStrategyForReg::Install() {
  for (const auto& item : items_) {
    if (item.type == kRegistryString) {
      system_.WriteRegistryString(item.root, item.subkey, item.name, item.stringValue);
    } else if (item.type == kRegistryNumber) {
      system_.WriteRegistryNumber(item.root, item.subkey, item.name, item.numberValue);
    } else {
      system_.CreateRegistryKey(item.root, item.subkey);
    }
  }
}

void CSetupStrategyForReg::Uninstall() {
  for (const auto& item : items_) {
    if (!item.subkeyName.empty()) {
      system_.DeleteRegistryTree(item.root, item.subkey, item.subkeyName);
    } else if (!item.name.empty()) {
      system_.DeleteRegistryValue(item.root, item.subkey, item.name);
    }
  }
}
