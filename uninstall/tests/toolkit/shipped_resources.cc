#include "shipped_resources.h"

#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// Lines of the form: <number> <type> "<file>".
std::map<std::pair<int, std::string>, std::string> ResourceFiles() {
  std::map<std::pair<int, std::string>, std::string> files;
  std::istringstream script(ReadFile(KIT_UNINSTALL_RES_DIR "/uninstall.rc"));
  for (std::string line; std::getline(script, line);) {
    std::istringstream fields(line);
    int id = 0;
    std::string type, quoted;
    if (fields >> id >> type >> quoted && quoted.size() > 2 && quoted.front() == '"') {
      files[{id, type}] = KIT_UNINSTALL_RES_DIR "/" + quoted.substr(1, quoted.size() - 2);
    }
  }
  return files;
}

}  // namespace

ResourceReader ShippedResources() {
  return [files = ResourceFiles()](int id, const char* type) -> std::optional<std::string> {
    auto found = files.find({id, type});
    if (found == files.end()) return std::nullopt;
    return ReadFile(found->second);
  };
}

ResourceReader XmlBytes(std::string bytes) {
  return [bytes = std::move(bytes)](int, const char* type) -> std::optional<std::string> {
    if (std::string_view(type) != "XML") return std::nullopt;
    return bytes;
  };
}
