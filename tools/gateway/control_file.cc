#include "control_file.h"

#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

namespace gateway {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string_view Trimmed(std::string_view line) {
  const size_t hash = line.find('#');
  if (hash != std::string_view::npos) line = line.substr(0, hash);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.remove_suffix(1);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) line.remove_prefix(1);
  return line;
}

}  // namespace

ControlFile::ControlFile(std::string path, std::vector<std::string> baseDirectives)
    : path_(std::move(path)), base_directives_(std::move(baseDirectives)) {
  Rebuild();
}

const FaultSettings& ControlFile::Current() {
  if (!path_.empty()) {
    std::string text = ReadAll(path_);
    if (text != text_) {
      text_ = std::move(text);
      Rebuild();
    }
  }
  return current_;
}

void ControlFile::Rebuild() {
  FaultSettings faults;
  for (const std::string& directive : base_directives_) (void)ApplyFaultDirective(faults, directive);
  std::istringstream lines(text_);
  for (std::string line; std::getline(lines, line);) {
    const std::string_view directive = Trimmed(line);
    if (!directive.empty() && !ApplyFaultDirective(faults, directive)) {
      std::cerr << "gateway: ignored control line '" << directive << "'\n";
    }
  }
  current_ = std::move(faults);
}

}  // namespace gateway
