#include "self_delete.h"

std::wstring SelfDeleteCommand(const std::wstring& comSpec, const std::wstring& executable) {
  return comSpec + L" /c del \"" + executable + L"\"";
}
