#include "app_running_prompt.h"

#include <boost/algorithm/string/replace.hpp>

#include "common/utilfunc.h"
#include "toolkit/resource_tables.h"

bool PromptWhileAppRunning(const std::wstring& appPath, const RetryQuestion& ask) {
  while (UtilFunc::IsPathFileRunning(appPath)) {
    std::wstring text = GetResString(L"alreadyrunnotify");
    boost::algorithm::replace_all(text, L"\\n", L"\n");
    if (!ask(text, GetResString(L"msgboxtitle"))) return true;
  }
  return false;
}
