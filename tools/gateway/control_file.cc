#include "control_file.h"

#include <sys/stat.h>

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

int64_t Nanoseconds(const timespec& time) { return int64_t{time.tv_sec} * 1000000000 + time.tv_nsec; }

// Asked for every frame, so one stat call rather than reading the file each time.
std::optional<ControlFile::Stamp> StampOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return ControlFile::Stamp{status.st_ino, status.st_size, Nanoseconds(status.st_mtim),
                            Nanoseconds(status.st_ctim)};
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
    std::optional<Stamp> stamp = StampOf(path_);
    if (stamp == stamp_) return current_;
    stamp_ = stamp;
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
