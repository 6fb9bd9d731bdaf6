#include "handlers.h"

#include <map>
#include <utility>

namespace gateway {
namespace {

using HandlerTable = std::map<std::pair<std::string, std::string>, Handler>;

// Built on first use, so that registrations from other files' static initialisers find it.
HandlerTable& Table() {
  static HandlerTable table;
  return table;
}

}  // namespace

void RegisterHandler(std::string _interface, std::string _method, Handler handler) {
  Table()[{std::move(_interface), std::move(_method)}] = std::move(handler);
}

const Handler* FindHandler(std::string_view _interface, std::string_view _method) {
  const HandlerTable& table = Table();
  const auto found = table.find(std::pair{std::string(_interface), std::string(_method)});
  return found == table.end() ? nullptr : &found->second;
}

}  // namespace gateway
