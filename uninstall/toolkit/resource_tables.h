// The program-wide string, skin and style tables, loaded from the XML resources.
//
// Load them once at start-up, in this order, before any window is created: layouts
// resolve texts, skins and styles while they are parsed.
//   LoadStringTable(); LoadSkinTable(); LoadStyleTable();
#pragma once

#include <map>
#include <memory>
#include <string>

#include "toolkit/module_resource.h"
#include "toolkit/sw_skin.h"
#include "toolkit/sw_style.h"

inline constexpr int kStringTableResource = 201;
inline constexpr int kSkinTableResource = 202;
inline constexpr int kStyleTableResource = 203;

using StringTable = std::map<std::wstring, std::wstring>;
using SkinTable = std::map<std::string, std::unique_ptr<CSWSkin>>;
using StyleTable = std::map<std::string, std::unique_ptr<CSWStyle>>;

StringTable& GetStringTable();
SkinTable& GetSkinTable();
StyleTable& GetStyleTable();

// Each load stops at a child without "id", a missing root element or malformed XML;
// what was stored before stays. A later entry with a known id replaces the earlier one.
void LoadStringTable(const ResourceReader& read = ReadModuleResource);
void LoadSkinTable(const ResourceReader& read = ReadModuleResource);
void LoadStyleTable(const ResourceReader& read = ReadModuleResource);

// The text of `id`, empty when unknown.
[[nodiscard]] std::wstring GetResString(const std::wstring& id);
// Null when unknown.
[[nodiscard]] CSWSkin* FindSkin(const std::string& id);
[[nodiscard]] CSWStyle* FindStyle(const std::string& id);

// Layout texts that hold "~" name a string: "abc~finish" reads as GetResString("finish").
// A text without "~" stays as written.
[[nodiscard]] std::wstring ResolveResText(const std::wstring& text);
