#include "setup_variables.h"

#include <boost/algorithm/string/replace.hpp>

std::map<std::wstring, std::wstring>& SetupVariables() {
  static std::map<std::wstring, std::wstring> variables;
  return variables;
}

void ReplaceSetupVariables(std::wstring& text) {
  const auto& variables = SetupVariables();
  for (const wchar_t* name : {L"$INSTDIR", L"$VERSION"}) {
    if (auto found = variables.find(name); found != variables.end()) {
      boost::algorithm::replace_all(text, found->first, found->second);
    }
  }
  boost::algorithm::replace_all(text, L"'", L"\"");
}
