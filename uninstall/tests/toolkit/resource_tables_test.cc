#include "toolkit/resource_tables.h"

#include <gtest/gtest.h>

#include "shipped_resources.h"

namespace {

class ResourceTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearTables(); }
  void TearDown() override { ClearTables(); }
  static void ClearTables() {
    GetStringTable().clear();
    GetSkinTable().clear();
    GetStyleTable().clear();
  }
};

TEST_F(ResourceTablesTest, ShippedStringsLoadExactlyAsWritten) {
  LoadStringTable(ShippedResources());
  EXPECT_EQ(GetStringTable().size(), 9u);
  EXPECT_EQ(GetResString(L"apptitle"), L"Zenkin主播卸载");
  EXPECT_EQ(GetResString(L"uninstallprocress"), L"卸载中...");
  // The two characters backslash and n stay; only the running-application prompt expands them.
  const std::wstring prompt = L"系统检测到Zenkin主播正在运行，卸载无法继续！\\n\\n请关闭";
  EXPECT_EQ(GetResString(L"alreadyrunnotify").substr(0, prompt.size()), prompt);
  EXPECT_EQ(GetResString(L"nosuchid"), L"");
}

TEST_F(ResourceTablesTest, ShippedSkinsCarryTheirSlicing) {
  LoadSkinTable(ShippedResources());
  const struct { const char* id; int image, states, type, head, tail; } cases[] = {
      {"frameborder", 1000, 1, kRenderNineCell, 0, 0}, {"bg", 2000, 1, kRenderSingle, 0, 0},
      {"bg2", 1999, 1, kRenderSingle, 0, 0},           {"btnok", 2001, 3, kRenderThreeCell, 15, 15},
      {"btncancel", 2002, 3, kRenderThreeCell, 15, 15}, {"checkbox", 2003, 4, kRenderSingle, 0, 0},
      {"closebtn", 2004, 2, kRenderSingle, 0, 0},      {"progressbar", 2008, 1, kRenderThreeCell, 4, 4},
      {"progressbg", 2009, 1, kRenderThreeCell, 4, 4}, {"icon_notice", 2006, 1, kRenderSingle, 0, 0},
  };
  EXPECT_EQ(GetSkinTable().size(), std::size(cases));
  for (const auto& c : cases) {
    const CSWSkin* skin = FindSkin(c.id);
    ASSERT_NE(skin, nullptr) << c.id;
    EXPECT_EQ(skin->image_id(), c.image) << c.id;
    EXPECT_EQ(skin->state_count(), c.states) << c.id;
    EXPECT_EQ(skin->render_type(), c.type) << c.id;
    EXPECT_EQ(skin->head_width(), c.head) << c.id;
    EXPECT_EQ(skin->tail_width(), c.tail) << c.id;
  }
  EXPECT_EQ(FindSkin("frameborder")->nine_cell_params(), (NineCellParams{25, 25, 25, 25, 25, 25, 25, 25}));
  EXPECT_EQ(FindSkin("nosuchskin"), nullptr);
}

TEST_F(ResourceTablesTest, ShippedStylesCarryFontsAndColours) {
  LoadStyleTable(ShippedResources());
  const struct { const char* id; int size, bits, align; std::uint32_t colour; } cases[] = {
      {"small_text", 12, 0, kHAlignLeft, 0xFEFFFFFF},   {"normal_text", 12, 0, kHAlignLeft, 0xFEFFFFFF},
      {"middletext", 14, 1, kHAlignLeft, 0xFEFFFFFF},   {"centertext", 14, 1, kHAlignCenter, 0xFEFFFFFF},
      {"buttontext", 14, 1, kHAlignCenter, 0xFE666666}, {"buttontext2", 14, 1, kHAlignCenter, 0xFEFFFFFF},
  };
  EXPECT_EQ(GetStyleTable().size(), std::size(cases));
  for (const auto& c : cases) {
    const CSWStyle* style = FindStyle(c.id);
    ASSERT_NE(style, nullptr) << c.id;
    EXPECT_EQ(style->font_size, c.size) << c.id;
    EXPECT_EQ(style->font_style, c.bits) << c.id;
    EXPECT_EQ(style->h_align, c.align) << c.id;
    EXPECT_EQ(style->v_align, kVAlignMiddle) << c.id;
    EXPECT_EQ(style->normal_colour, c.colour) << c.id;
    EXPECT_EQ(style->hover_colour, c.colour) << c.id;
    EXPECT_EQ(style->push_colour, c.colour) << c.id;
  }
  EXPECT_EQ(FindStyle("center"), nullptr);  // the progress bar's style names nothing
}

TEST_F(ResourceTablesTest, StringWithoutIdEndsTheLoadKeepingEarlierTexts) {
  LoadStringTable(XmlBytes(
      "<strings><string id=\"a\">one</string><string>lost</string><string id=\"b\">two</string></strings>"));
  EXPECT_EQ(GetResString(L"a"), L"one");
  EXPECT_EQ(GetStringTable().size(), 1u);
}

TEST_F(ResourceTablesTest, BrokenDocumentsKeepWhatWasLoaded) {
  LoadStringTable(XmlBytes("<strings><string id=\"a\">one</string></strings>"));
  const char* broken[] = {"<strings><string id=\"b\">two</string>", "<other/>", "", "\x01\x02"};
  for (const char* bytes : broken) {
    LoadStringTable(XmlBytes(bytes));
    EXPECT_EQ(GetStringTable().size(), 1u) << bytes;
  }
  LoadStringTable([](int, const char*) { return std::nullopt; });
  EXPECT_EQ(GetResString(L"a"), L"one");
}

TEST_F(ResourceTablesTest, ByteOrderMarkAndAnyChildNameAreAccepted) {
  LoadStringTable(XmlBytes("\xEF\xBB\xBF<strings><s id=\"x\">1</s><t id=\"y\">2</t></strings>"));
  EXPECT_EQ(GetResString(L"x"), L"1");
  EXPECT_EQ(GetResString(L"y"), L"2");
}

TEST_F(ResourceTablesTest, LaterEntryReplacesEarlierOne) {
  LoadStringTable(XmlBytes("<strings><string id=\"a\">one</string><string id=\"a\">two</string></strings>"));
  EXPECT_EQ(GetResString(L"a"), L"two");
  LoadSkinTable(XmlBytes("<skins><skin id=\"k\" statecount=\"2\"/><skin id=\"k\" statecount=\"5\"/></skins>"));
  EXPECT_EQ(FindSkin("k")->state_count(), 5);
}

TEST_F(ResourceTablesTest, UnknownWordsKeepDefaults) {
  LoadSkinTable(XmlBytes("<skins><skin id=\"k\" rendertype=\"4cell\" statecount=\"0\" spin=\"1\"/></skins>"));
  EXPECT_EQ(FindSkin("k")->render_type(), kRenderSingle);
  EXPECT_EQ(FindSkin("k")->state_count(), 1);  // 0 frames would divide by zero
  LoadStyleTable(XmlBytes("<styles><style id=\"s\" HAlign=\"middle\" VAlign=\"left\" "
                          "NormalTextColor=\"ff102030\"/></styles>"));
  const CSWStyle* style = FindStyle("s");
  EXPECT_EQ(style->h_align, kHAlignLeft);
  EXPECT_EQ(style->v_align, kVAlignMiddle);
  EXPECT_EQ(style->normal_colour, 0xFF102030u);
  EXPECT_EQ(style->font_size, 12);
}

TEST_F(ResourceTablesTest, NineCellNumbersNeedAnImageId) {
  LoadSkinTable(XmlBytes("<skins><skin id=\"with\" imgsrc=\"7\" 9CellParams=\"1,2,3\"/>"
                         "<skin id=\"without\" 9CellParams=\"1,2,3\"/></skins>"));
  EXPECT_EQ(FindSkin("with")->nine_cell_params(), (NineCellParams{1, 2, 3, 0, 0, 0, 0, 0}));
  EXPECT_EQ(FindSkin("without")->nine_cell_params(), NineCellParams{});
}

TEST_F(ResourceTablesTest, TildeNamesAString) {
  LoadStringTable(ShippedResources());
  const struct { const wchar_t* text; const wchar_t* shown; } cases[] = {
      {L"abc~finish", L"确定"}, {L"~finish", L"确定"}, {L"~nosuchid", L""},
      {L"plain text", L"plain text"}, {L"~", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveResText(c.text), c.shown);
}

}  // namespace
