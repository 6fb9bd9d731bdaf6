#include "setup_description.h"

#include <filesystem>
#include <fstream>

#include <boost/property_tree/xml_parser.hpp>

#include "setup_strategy_process.h"
#include "setup_strategy_reg.h"
#include "setup_strategy_shortcut.h"

namespace {

std::unique_ptr<ISetupStrategy> CreateStrategy(const std::string& element, ISetupSystem& system) {
  if (element == "reg") return std::make_unique<CSetupStrategyForReg>(system);
  if (element == "desktopicon") return std::make_unique<CSetupStrategyForDesktopIcon>(system);
  if (element == "startmenu") return std::make_unique<CSetupStrategyForStartMenu>(system);
  if (element == "process") return std::make_unique<CSetupStrategyForProcess>(system);
  return nullptr;
}

}  // namespace

bool LoadSetupDescription(const std::wstring& path, ISetupSystem& system,
                          SetupStrategyList& strategies) {
  // Opened by its wide name, so that an install folder the ANSI code page cannot
  // spell still has its description read.
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  if (!file) return false;
  try {
    boost::property_tree::ptree document;
    boost::property_tree::read_xml(file, document);
    for (const auto& [name, element] : document.get_child("setup.uninstall")) {
      auto strategy = CreateStrategy(name, system);
      if (!strategy) continue;
      strategy->Parse(element);
      strategies.push_back(std::move(strategy));
    }
  } catch (const boost::property_tree::ptree_error&) {
    return false;
  }
  return true;
}

void RunSetupStrategies(const std::wstring& dir, ISetupSystem& system,
                        SetupStrategyList& strategies) {
  if (!LoadSetupDescription(dir + L"setup.xml", system, strategies)) return;
  for (const auto& strategy : strategies) strategy->Uninstall();
}
