#include <gtest/gtest.h>

#include "toolkit/resource_tables.h"
#include "toolkit/sw_basic_controls.h"
#include "toolkit/sw_check_box.h"
#include "toolkit/sw_progress_bar.h"
#include "toolkit_fakes.h"

namespace {

SWResult Send(CSWView& view, unsigned message, int x = 0, int y = 0) {
  SWResult result = -1;
  view.HandleMessage(message, 0, LParamFromPoint(x, y), result);
  return result;
}

SWControlPtr Find(const ParsedLayout& layout, int id) { return FindControlById(*layout.view, id); }

class ShippedDialogTest : public ::testing::Test {
 protected:
  ShippedTables tables_;
  ParsedLayout dialog_{ShippedDialogLayout()};
};

TEST_F(ShippedDialogTest, ParsesSizeOffsetsAndTexts) {
  ASSERT_TRUE(dialog_.loaded);
  EXPECT_EQ(dialog_.frame.window_rect(), (SWRect{0, 0, 420, 280}));
  EXPECT_EQ(dialog_.view->GetRect(), (SWRect{0, 0, 420, 280}));
  EXPECT_EQ(Find(dialog_, 1012)->GetRect(), (SWRect{306, 225, 396, 255}));  // 296,215 inside 10,10
  EXPECT_EQ(Find(dialog_, 1001)->GetRect(), (SWRect{380, 10, 410, 40}));
  EXPECT_EQ(Find(dialog_, 1012)->GetText(), L"卸载");
  EXPECT_EQ(Find(dialog_, 1021)->GetText(), L"卸载中...");
  EXPECT_EQ(Find(dialog_, 1012)->skin(), FindSkin("btnok"));
  EXPECT_EQ(Find(dialog_, 1022)->style(), nullptr);  // "center" names no style
}

TEST_F(ShippedDialogTest, HiddenPagesHideTheirChildrenUntilShown) {
  const int progress_text = 1021;
  EXPECT_FALSE(Find(dialog_, 1020)->GetVisible());
  EXPECT_FALSE(Find(dialog_, progress_text)->GetVisible());
  EXPECT_TRUE(Find(dialog_, 1012)->GetVisible());
  dialog_.view->SetControlVisible(1020, true);
  EXPECT_TRUE(Find(dialog_, progress_text)->GetVisible());
  EXPECT_GT(dialog_.host.redraws, 0);
}

TEST_F(ShippedDialogTest, ReleaseOverAnotherButtonClicksThatOne) {
  CSWView& view = *dialog_.view;
  const SWControlPtr cancel = Find(dialog_, 1011);
  const SWControlPtr ok = Find(dialog_, 1012);
  Send(view, kSWMouseMove, 250, 240);
  EXPECT_EQ(cancel->mouse_state(), kStateHover);
  Send(view, kSWLButtonDown, 250, 240);
  EXPECT_EQ(cancel->mouse_state(), kStatePressed);
  Send(view, kSWMouseMove, 350, 240);
  EXPECT_EQ(cancel->mouse_state(), kStateNormal);
  EXPECT_EQ(ok->mouse_state(), kStateHover);
  Send(view, kSWLButtonUp, 350, 240);
  EXPECT_EQ(dialog_.host.commands, std::vector<int>{1012});
  EXPECT_EQ(dialog_.host.drags, 0);
}

TEST_F(ShippedDialogTest, PressOnTextImageOrBackgroundDragsTheWindow) {
  const SWPoint presses[] = {{150, 100}, {60, 100}, {5, 5}};  // text, notice icon, frame
  for (const SWPoint& p : presses) Send(*dialog_.view, kSWLButtonDown, p.x, p.y);
  EXPECT_EQ(dialog_.host.drags, 3);
  EXPECT_TRUE(dialog_.host.commands.empty());
}

TEST_F(ShippedDialogTest, ControlsWithoutIdNeverHearTheMouse) {
  // The notice icon has no id: the pointer over it hovers nothing.
  Send(*dialog_.view, kSWMouseMove, 60, 100);
  EXPECT_EQ(dialog_.view->hovered(), nullptr);
  EXPECT_EQ(dialog_.view->FindTarget({60, 100}), nullptr);
  EXPECT_EQ(dialog_.view->FindTarget({5, 5}), nullptr);  // nor does the view's own rectangle
}

TEST_F(ShippedDialogTest, HiddenButtonsAreNoTargets) {
  EXPECT_EQ(dialog_.view->FindTarget({350, 240})->id(), 1012);
  dialog_.view->SetControlVisible(1010, false);
  dialog_.view->SetControlVisible(1030, true);
  EXPECT_EQ(dialog_.view->FindTarget({350, 240})->id(), 1031);
}

TEST_F(ShippedDialogTest, ChangesMarkTheControlAndItsParentDirty) {
  dialog_.view->ClearDirty();
  dialog_.view->SetControlText(1021, L"卸载中... 37%");
  const std::vector<SWRect> expected = {Find(dialog_, 1021)->GetRect(), Find(dialog_, 1020)->GetRect()};
  EXPECT_EQ(dialog_.view->dirty_rects(), expected);
  EXPECT_EQ(Find(dialog_, 1021)->GetText(), L"卸载中... 37%");
}

TEST_F(ShippedDialogTest, UnknownIdsChangeNothing) {
  dialog_.view->ClearDirty();
  const int redraws = dialog_.host.redraws;
  dialog_.view->SetControlVisible(4242, false);
  int checked = 7;
  dialog_.view->GetControlCheck(1013, checked);
  EXPECT_EQ(checked, 7);
  EXPECT_TRUE(dialog_.view->dirty_rects().empty());
  EXPECT_EQ(dialog_.host.redraws, redraws);
}

TEST_F(ShippedDialogTest, HandCursorOnlyOverClickables) {
  Send(*dialog_.view, kSWMouseMove, 350, 240);
  SWResult result = 0;
  dialog_.view->HandleMessage(kSWSetCursor, 0, static_cast<SWLParam>(kSWMouseMove) << 16, result);
  Send(*dialog_.view, kSWMouseMove, 5, 5);
  dialog_.view->HandleMessage(kSWSetCursor, 0, static_cast<SWLParam>(kSWMouseMove) << 16, result);
  EXPECT_EQ(dialog_.host.cursors, (std::vector<bool>{true, false}));
  EXPECT_FALSE(dialog_.view->HandleMessage(kSWSetCursor, 0, 0, result));  // not caused by the mouse
}

TEST_F(ShippedDialogTest, MouseLeaveForgetsTheHoveredControl) {
  Send(*dialog_.view, kSWMouseMove, 350, 240);
  Send(*dialog_.view, kSWMouseLeave);
  EXPECT_EQ(dialog_.view->hovered(), nullptr);
  EXPECT_EQ(Find(dialog_, 1012)->mouse_state(), kStateNormal);
}

TEST_F(ShippedDialogTest, ProgressBarWidthFollowsThePosition) {
  dialog_.view->SetControlVisible(1010, false);
  dialog_.view->SetControlVisible(1020, true);
  const CSWSkin* bar = FindSkin("progressbar");
  for (const auto& [position, width] : {std::pair{37, 125}, {150, 510}, {0, 0}, {100, 340}}) {
    dialog_.view->SetControlAttribute(1022, "progresspos", std::to_string(position));
    RecordingCanvas canvas;
    DrawControl(canvas, *dialog_.view, false);
    const auto drawn = std::find_if(canvas.skins.begin(), canvas.skins.end(),
                                    [bar](const SkinDraw& d) { return d.skin == bar; });
    ASSERT_NE(drawn, canvas.skins.end());
    EXPECT_EQ(drawn->box, (SWBox{40, 210, width, 4})) << position;
    // Without a style the bar shows no percentage.
    EXPECT_TRUE(std::none_of(canvas.texts.begin(), canvas.texts.end(),
                             [](const TextDraw& t) { return t.text.back() == L'%'; }));
  }
  EXPECT_EQ(ProgressBarWidth(37, 340), 125);
}

TEST_F(ShippedDialogTest, ClipSkipsUntouchedLeavesButNotContainers) {
  RecordingCanvas canvas;
  canvas.clip = Find(dialog_, 1012)->GetRect();
  DrawControl(canvas, *dialog_.view, true);
  std::vector<std::wstring> texts;
  for (const TextDraw& t : canvas.texts) texts.push_back(t.text);
  EXPECT_EQ(texts, std::vector<std::wstring>{L"卸载"});
  // Frame, page background and the button: containers always draw.
  ASSERT_EQ(canvas.skins.size(), 3u);
  EXPECT_EQ(canvas.skins[0].skin, FindSkin("frameborder"));
  EXPECT_EQ(canvas.skins[2].skin, FindSkin("btnok"));
  EXPECT_EQ(canvas.texts[0].box, (SWBox{306, 226, 90, 29}));  // caption one pixel lower
  EXPECT_FALSE(canvas.outlines.empty());
}

TEST_F(ShippedDialogTest, ButtonFramesByState) {
  const struct { int state, frame; } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {9, 0}};
  for (const auto& c : cases) EXPECT_EQ(ButtonFrameForState(c.state), c.frame) << c.state;
  Find(dialog_, 1012)->SetEnabled(0);
  EXPECT_EQ(Find(dialog_, 1012)->mouse_state(), kStateDisabled);
  EXPECT_EQ(dialog_.view->FindTarget({350, 240}), nullptr);
}

const char* kNestedLayout = R"(<window width="200" height="100"><view pos="0,0,200,100">
  <div id="1" pos="10,10,180,80"><div id="2" pos="5,5,100,50">
    <button id="7" pos="1,1,20,20" tip="~tipid"/>
  </div></div>
  <button id="7" pos="100,0,20,20"/>
  <checkbox id="9" pos="150,60,40,20" skin="checkbox" caption="keep" style="normal_text"/>
  <text pos="5,6" visible="TRUE" caption="a"/>
  <text pos="0,0,1,1" visible="1" caption="b"/>
  <marquee pos="0,0,9,9"><button id="8" pos="0,0,9,9"/></marquee>
</view></window>)";

class NestedLayoutTest : public ::testing::Test {
 protected:
  ShippedTables tables_;
  ParsedLayout layout_{kNestedLayout};
};

TEST_F(NestedLayoutTest, FindsDeepControlsFirstInDocumentOrder) {
  ASSERT_TRUE(layout_.loaded);
  const SWControlPtr deep = Find(layout_, 7);
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->GetRect(), (SWRect{16, 16, 36, 36}));  // 1 + 5 + 10 on each axis
  EXPECT_EQ(Find(layout_, 8), nullptr);  // inside an unknown element
  EXPECT_EQ(Find(layout_, 3), nullptr);
}

TEST_F(NestedLayoutTest, AttributeTextsAsWritten) {
  const auto& children = layout_.view->children();
  ASSERT_EQ(children.size(), 5u);
  EXPECT_EQ(children[3]->GetRect(), (SWRect{5, 6, 5, 6}));  // "5,6": no width, no height
  EXPECT_TRUE(children[3]->GetVisible());
  EXPECT_FALSE(children[4]->GetVisible());
  EXPECT_EQ(Find(layout_, 7)->GetTip(), L"");  // "~" with an unknown id
}

TEST_F(NestedLayoutTest, CheckBoxTogglesOnReleaseAndReports) {
  const SWControlPtr box = Find(layout_, 9);
  Send(*layout_.view, kSWMouseMove, 160, 70);
  Send(*layout_.view, kSWLButtonDown, 160, 70);
  EXPECT_EQ(box->GetCheck(), 0);
  Send(*layout_.view, kSWLButtonUp, 160, 70);
  EXPECT_EQ(box->GetCheck(), 1);
  EXPECT_EQ(layout_.host.commands, std::vector<int>{9});
  int checked = 0;
  layout_.view->GetControlCheck(9, checked);
  EXPECT_EQ(checked, 1);

  RecordingCanvas canvas;
  DrawControl(canvas, *box, false);
  ASSERT_EQ(canvas.skins.size(), 1u);
  EXPECT_EQ(canvas.skins[0].state, 3);                           // checked and hovered
  EXPECT_EQ(canvas.skins[0].box, (SWBox{150, 62, 16, 16}));       // centred vertically
  EXPECT_EQ(canvas.texts.at(0).box, (SWBox{169, 61, 21, 19}));   // right of the box
  const struct { bool checked; int state, frame; } frames[] = {
      {false, 0, 0}, {false, 1, 1}, {false, 2, 1}, {true, 0, 2}, {true, 2, 3}, {true, 4, 2}};
  for (const auto& f : frames) EXPECT_EQ(CheckBoxFrame(f.checked, f.state), f.frame);
}

TEST_F(NestedLayoutTest, NotCreatedViewCollectsNoDirtyRectangles) {
  ParsedLayout fresh(kNestedLayout, false);
  fresh.view->SetControlText(7, L"x");
  EXPECT_TRUE(fresh.view->dirty_rects().empty());
  EXPECT_EQ(fresh.host.redraws, 0);
}

TEST_F(NestedLayoutTest, InvalidateNotificationAddsItsRectangle) {
  layout_.view->ClearDirty();
  SWNotifyRect notify{{nullptr, 0, kSWNotifyInvalidate}, {1, 2, 3, 4}};
  SWResult result = -1;
  EXPECT_TRUE(layout_.view->HandleMessage(kSWNotify, 0, reinterpret_cast<SWLParam>(&notify), result));
  EXPECT_EQ(layout_.view->dirty_rects(), std::vector<SWRect>{(SWRect{1, 2, 3, 4})});
  notify.header.code = -520;  // someone else's notification
  EXPECT_FALSE(layout_.view->HandleMessage(kSWNotify, 0, reinterpret_cast<SWLParam>(&notify), result));
}

TEST_F(NestedLayoutTest, DestroyReleasesEveryControl) {
  std::weak_ptr<CSWControl> deep = Find(layout_, 7);
  Send(*layout_.view, kSWDestroy);
  EXPECT_TRUE(layout_.view->children().empty());
  EXPECT_TRUE(deep.expired());
}

TEST(WindowLayout, BrokenLayoutsFail) {
  const char* broken[] = {
      "<window width=\"10\" height=\"10\"/>",                             // no view
      "<window><view/></window>",                                       // no attributes
      "<window width=\"10\"><view><button/></view></window>",           // leaf without attributes
      "<window width=\"10\"><view>",                                    // malformed
      "<dialog width=\"10\"><view/></dialog>",                          // no window
  };
  for (const char* layout : broken) {
    CSWWindowFrame frame;
    CSWView view;
    EXPECT_FALSE(LoadWindowLayout(1, frame, view, [layout](int, const char*) { return std::string(layout); }))
        << layout;
  }
  CSWWindowFrame frame;
  CSWView view;
  EXPECT_FALSE(LoadWindowLayout(1, frame, view, [](int, const char*) { return std::nullopt; }));
}

}  // namespace
