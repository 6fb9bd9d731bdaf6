#pragma once

#include <string>
#include <vector>

#include "setup_strategy.h"
#include "setup_system.h"

struct ShortcutItem {
  std::wstring file;  // target of the shortcut
  std::wstring link;  // relative to the strategy's base folder
  std::wstring cmd;   // arguments stored in the shortcut
};

// What the desktop and start-menu strategies share: their items and Install, both
// relative to a base folder of the all-users profile.
class CSetupStrategyForShortcut : public ISetupStrategy {
 public:
  void Parse(const boost::property_tree::ptree& element) final;
  void Install() final;

  [[nodiscard]] const std::vector<ShortcutItem>& Items() const { return items_; }

 protected:
  explicit CSetupStrategyForShortcut(ISetupSystem& system) : system_(system) {}

  // The base folder with a trailing backslash; empty when the system has none, and
  // then nothing is done, since the links would otherwise name the drive's root.
  [[nodiscard]] std::wstring BaseFolder();
  [[nodiscard]] virtual std::wstring SystemBaseFolder() = 0;

  ISetupSystem& system_;
  std::vector<ShortcutItem> items_;
};

// Element "desktopicon": shortcuts on the all-users desktop.
class CSetupStrategyForDesktopIcon final : public CSetupStrategyForShortcut {
 public:
  explicit CSetupStrategyForDesktopIcon(ISetupSystem& system) : CSetupStrategyForShortcut(system) {}
  void Uninstall() override;

 private:
  std::wstring SystemBaseFolder() override { return system_.CommonDesktopFolder(); }
};

// Element "startmenu": shortcuts, or whole folders of them, in the all-users start menu.
class CSetupStrategyForStartMenu final : public CSetupStrategyForShortcut {
 public:
  explicit CSetupStrategyForStartMenu(ISetupSystem& system) : CSetupStrategyForShortcut(system) {}
  void Uninstall() override;

 private:
  std::wstring SystemBaseFolder() override { return system_.CommonProgramsFolder(); }
};
