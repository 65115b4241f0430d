#include "core/NvRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
TEST(ShortCutText, ModifiersComeShiftCtrlAltBeforeTheKeyName) {
    EXPECT_EQ(ShortCutToText(kShortCutCtrl | 'S'), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(kShortCutShift | 0x77), "Shift+F8");
    EXPECT_EQ(ShortCutToText(kShortCutAlt | 0x0D), "Alt+Enter");
    EXPECT_EQ(ShortCutToText(kShortCutShift | kShortCutCtrl | kShortCutAlt | 0x2E), "Shift+Ctrl+Alt+Del");
    EXPECT_EQ(ShortCutToText(kShortCutAlt | 'Q'), "Alt+Q");
}

TEST(ShortCutText, EveryKindOfKeyHasItsShortName) {
    EXPECT_EQ(ShortCutToText('7'), "7");
    EXPECT_EQ(ShortCutToText(0x70), "F1");
    EXPECT_EQ(ShortCutToText(0x7B), "F12");
    EXPECT_EQ(ShortCutToText(0x87), "F24");
    EXPECT_EQ(ShortCutToText(0x2E), "Del");
    EXPECT_EQ(ShortCutToText(0x2D), "Ins");
    EXPECT_EQ(ShortCutToText(0x1B), "Esc");
    EXPECT_EQ(ShortCutToText(0x22), "PgDn");
    EXPECT_EQ(ShortCutToText(0x60), "Num 0");
    EXPECT_EQ(ShortCutToText(0x6B), "Num +");
    EXPECT_EQ(ShortCutToText(kShortCutCtrl | 0xBB), "Ctrl+=");
}

TEST(ShortCutText, NoKeyOrAnUnnamedKeyGivesNoText) {
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(kShortCutCtrl), "");
    EXPECT_EQ(ShortCutToText(kShortCutCtrl | 0x10), "");  // the Shift key itself
    EXPECT_EQ(ShortCutToText(0xFF), "");
}

TEST(ShortCutCodes, KeyAndModifiersCombineIntoTheTableCode) {
    EXPECT_EQ(ShortCutCode('S', false, true, false), 0x4053);
    EXPECT_EQ(ShortCutCode(0x77, true, false, false), 0x2077);
    EXPECT_EQ(ShortCutCode(0x0D, false, false, true), 0x800D);
    EXPECT_EQ(ShortCutCode('F', false, false, false), 'F');
    EXPECT_EQ(ShortCutCode('Q', true, true, true), 0xE051);
}

TEST(ColumnClicks, SortingCyclesAscendingDescendingAndANewColumnStartsAscending) {
    int column = 0;
    bool descending = false;
    auto click = [&](int clicked) {
        descending = ClickSortsDescending(column, descending, clicked);
        column = clicked;
    };
    click(2);
    EXPECT_FALSE(descending);
    click(2);
    EXPECT_TRUE(descending);
    click(2);
    EXPECT_FALSE(descending);
    click(2);
    EXPECT_TRUE(descending);
    click(0);
    EXPECT_FALSE(descending);
}

TEST(SortArrows, TheArrowBitsAreReplacedAndOtherFormatBitsKept) {
    constexpr uint32_t kOther = 0x4000 | 0x0001;  // string item, right aligned
    EXPECT_EQ(SortArrowFormat(kOther, true, false), kOther | kHeaderSortUp);
    EXPECT_EQ(SortArrowFormat(kOther | kHeaderSortUp, true, true), kOther | kHeaderSortDown);
    EXPECT_EQ(SortArrowFormat(kOther | kHeaderSortUp | kHeaderSortDown, false, true), kOther);
    EXPECT_EQ(SortArrowFormat(kHeaderSortDown, true, false), kHeaderSortUp);
}

TEST(StatusPanels, FixedWidthsAreCentredAndCountedNegativeOnesAreOwnerDrawn) {
    const std::vector<int> widths{0, 80, -60, 80};
    const TStatusPanelPlan plan = PlanStatusPanels(widths);
    ASSERT_EQ(plan.panels.size(), 4u);
    EXPECT_EQ(plan.fixedWidth, 220);
    EXPECT_FALSE(plan.panels[0].centred);
    EXPECT_FALSE(plan.panels[0].ownerDraw);
    EXPECT_EQ(plan.panels[0].width, kDefaultPanelWidth);
    EXPECT_TRUE(plan.panels[1].centred);
    EXPECT_FALSE(plan.panels[1].ownerDraw);
    EXPECT_EQ(plan.panels[2].width, 60);
    EXPECT_TRUE(plan.panels[2].ownerDraw);
    EXPECT_TRUE(plan.panels[2].centred);
    EXPECT_EQ(plan.panels[3].width, 80);
}

TEST(StatusPanels, TheFirstPanelTakesWhatTheFixedOnesLeaveAndTheLastRunsToTheEnd) {
    const std::vector<int> widths{0, 80, 80};
    const TStatusPanelPlan plan = PlanStatusPanels(widths);
    EXPECT_EQ(StatusPanelEdges(plan, 400, true), (std::vector<int>{240, 320, -1}));
    EXPECT_EQ(StatusPanelEdges(plan, 1000, true), (std::vector<int>{840, 920, -1}));
    EXPECT_EQ(StatusPanelEdges(plan, 100, true), (std::vector<int>{0, 80, -1}));  // never a negative width
    EXPECT_EQ(StatusPanelEdges(plan, 400, false), (std::vector<int>{kDefaultPanelWidth, kDefaultPanelWidth + 80, -1}));
}

TEST(StatusPanels, NoPanelsGiveNoEdgesAndOnePanelSpansTheBar) {
    EXPECT_TRUE(StatusPanelEdges(PlanStatusPanels({}), 400, true).empty());
    const std::vector<int> one{0};
    EXPECT_EQ(StatusPanelEdges(PlanStatusPanels(one), 400, true), (std::vector<int>{-1}));
}
}  // namespace
