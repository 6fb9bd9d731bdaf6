#include "setup_attributes.h"

#include "setup_variables.h"
#include "toolkit/text_readers.h"

SetupItemAttributes::SetupItemAttributes(const boost::property_tree::ptree& item)
    : attributes_(item.get_child("<xmlattr>")) {}

std::optional<std::string> SetupItemAttributes::Raw(const char* name) const {
  if (auto value = attributes_.get_optional<std::string>(name)) return *value;
  return std::nullopt;
}

std::wstring SetupItemAttributes::Text(const char* name) const {
  auto value = Raw(name);
  return value ? Utf8ToWide(*value) : std::wstring();
}

std::wstring SetupItemAttributes::SubstitutedText(const char* name) const {
  std::wstring text = Text(name);
  ReplaceSetupVariables(text);
  return text;
}

int SetupItemAttributes::Number(const char* name) const {
  auto value = Raw(name);
  return value ? ReadDecimal(*value) : 0;
}
