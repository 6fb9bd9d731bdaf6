#include "toolkit/resource_tables.h"

#include <boost/property_tree/xml_parser.hpp>
#include <sstream>

#include "toolkit/text_readers.h"

namespace {

using boost::property_tree::ptree;

// Parses XML resource `id` and calls `store(child)` for every child of `root` in
// document order. Any XML or lookup error ends the walk where it happens.
template <typename Store>
void ForEachTableEntry(const ResourceReader& read, int id, const char* root, Store store) {
  const std::optional<std::string> bytes = read(id, "XML");
  if (!bytes) return;
  try {
    std::istringstream stream(*bytes);
    ptree document;
    boost::property_tree::read_xml(stream, document);
    for (const auto& [element, child] : document.get_child(root)) {
      store(child);
    }
  } catch (const boost::property_tree::ptree_error&) {
  }
}

std::string EntryId(const ptree& child) { return child.get_child("<xmlattr>.id").data(); }

template <typename Object, typename Table>
void LoadObjectTable(const ResourceReader& read, int id, const char* root, Table& table) {
  ForEachTableEntry(read, id, root, [&table](const ptree& child) {
    std::string key = EntryId(child);
    auto object = std::make_unique<Object>();
    object->Parse(child.get_child("<xmlattr>"));
    table[std::move(key)] = std::move(object);
  });
}

template <typename Table>
auto FindInTable(Table& table, const std::string& id) -> decltype(table.begin()->second.get()) {
  auto found = table.find(id);
  return found == table.end() ? nullptr : found->second.get();
}

}  // namespace

StringTable& GetStringTable() {
  static StringTable table;
  return table;
}

SkinTable& GetSkinTable() {
  static SkinTable table;
  return table;
}

StyleTable& GetStyleTable() {
  static StyleTable table;
  return table;
}

void LoadStringTable(const ResourceReader& read) {
  ForEachTableEntry(read, kStringTableResource, "strings", [](const ptree& child) {
    GetStringTable()[Utf8ToWide(EntryId(child))] = Utf8ToWide(child.data());
  });
}

void LoadSkinTable(const ResourceReader& read) {
  LoadObjectTable<CSWSkin>(read, kSkinTableResource, "skins", GetSkinTable());
}

void LoadStyleTable(const ResourceReader& read) {
  LoadObjectTable<CSWStyle>(read, kStyleTableResource, "styles", GetStyleTable());
}

std::wstring GetResString(const std::wstring& id) {
  const StringTable& table = GetStringTable();
  auto found = table.find(id);
  return found == table.end() ? std::wstring() : found->second;
}

CSWSkin* FindSkin(const std::string& id) { return FindInTable(GetSkinTable(), id); }

CSWStyle* FindStyle(const std::string& id) { return FindInTable(GetStyleTable(), id); }

std::wstring ResolveResText(const std::wstring& text) {
  const std::size_t tilde = text.find(L'~');
  if (tilde == std::wstring::npos) return text;
  return GetResString(text.substr(tilde + 1));
}
