// Stand-ins for the window and the drawing surface, and a loader of the shipped tables
// with pictures of the shipped sizes, so that control logic runs without a window.
#pragma once

#include <string>
#include <vector>

#include "toolkit/sw_host.h"
#include "toolkit/sw_view.h"
#include "toolkit/window_layout.h"

class FakeHost : public ISWHost {
 public:
  void SendCommand(int id) override { commands.push_back(id); }
  void PostRedraw() override { ++redraws; }
  bool TrackMouse() override { return true; }
  void StartWindowDrag() override { ++drags; }
  void SetHandCursor(bool hand) override { cursors.push_back(hand); }
  std::unique_ptr<IHostedEdit> CreateHostedEdit(CSWEdit&) override { return nullptr; }

  std::vector<int> commands;
  std::vector<bool> cursors;
  int redraws = 0;
  int drags = 0;
};

struct SkinDraw {
  const CSWSkin* skin;
  SWBox box;
  int state;
};
struct TextDraw {
  int state;
  SWBox box;
  std::wstring text;
};

class RecordingCanvas : public ISWCanvas {
 public:
  void DrawSkin(const CSWSkin& skin, const SWBox& box, int state) override { skins.push_back({&skin, box, state}); }
  void DrawStyledText(int state, const SWBox& box, const CSWStyle&, const std::wstring& text) override {
    texts.push_back({state, box, text});
  }
  void DrawOutline(const SWRect& rect) override { outlines.push_back(rect); }
  bool TouchesClip(const SWRect& rect) const override { return !clip || clip->Intersects(rect); }

  std::optional<SWRect> clip;
  std::vector<SkinDraw> skins;
  std::vector<TextDraw> texts;
  std::vector<SWRect> outlines;
};

// Loads the shipped string, skin and style tables, with the picture cache seeded by
// size-only pictures read from the shipped PNG headers; clears everything on destruction.
class ShippedTables {
 public:
  ShippedTables();
  ~ShippedTables();
  ShippedTables(const ShippedTables&) = delete;
  ShippedTables& operator=(const ShippedTables&) = delete;
};

// A view parsed from `layout` (XML text) with a created fake owner.
struct ParsedLayout {
  explicit ParsedLayout(const std::string& layout, bool create = true);
  FakeHost host;
  CSWWindowFrame frame;
  std::shared_ptr<CSWView> view = std::make_shared<CSWView>();
  bool loaded = false;
};

// The shipped dialog layout's text.
std::string ShippedDialogLayout();
