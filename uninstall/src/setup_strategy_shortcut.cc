#include "setup_strategy_shortcut.h"

#include "setup_attributes.h"

void CSetupStrategyForShortcut::Parse(const boost::property_tree::ptree& element) {
  ParseSetupItems(element, items_, [](const SetupItemAttributes& attributes) {
    return ShortcutItem{attributes.SubstitutedText("file"), attributes.Text("link"), attributes.Text("cmd")};
  });
}

void CSetupStrategyForShortcut::Install() {
  const std::wstring base = BaseFolder();
  if (base.empty()) return;
  for (const auto& item : items_) system_.CreateShortcut(item.file, item.cmd, base + item.link);
}

std::wstring CSetupStrategyForShortcut::BaseFolder() {
  std::wstring base = SystemBaseFolder();
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  return base;
}

void CSetupStrategyForDesktopIcon::Uninstall() {
  const std::wstring base = BaseFolder();
  if (base.empty()) return;
  for (const auto& item : items_) system_.RemoveFile(base + item.link);
}

void CSetupStrategyForStartMenu::Uninstall() {
  const std::wstring base = BaseFolder();
  if (base.empty()) return;
  for (const auto& item : items_) {
    // Without a link the path is the start menu's own programs folder.
    if (item.link.empty()) continue;
    const std::wstring path = base + item.link;
    switch (system_.GetPathKind(path)) {
      case PathKind::kFolder:
        system_.RemoveFolderTree(path);
        break;
      case PathKind::kFile:
        system_.RemoveFile(path);
        break;
      case PathKind::kMissing:
        break;
    }
  }
}
