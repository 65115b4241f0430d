#include "core/NvRules.h"

#include <gtest/gtest.h>

namespace {

std::string Texts(std::initializer_list<uint16_t> shortCuts) {
    std::string texts;
    for (const uint16_t shortCut : shortCuts)
        texts += ShortCutToText(shortCut) + "|";
    return texts;
}

TEST(NvRules, ShortcutTextsNameShiftCtrlAltBeforeTheKeyAndKeysWithoutANameGiveNone) {
    EXPECT_EQ(Texts({ShortCutCode('S', false, true, false), ShortCutCode(0x77, true, false, false),
                     ShortCutCode(0x0D, false, false, true), ShortCutCode(0x2E, true, true, true)}),
              "Ctrl+S|Shift+F8|Alt+Enter|Shift+Ctrl+Alt+Del|");
    EXPECT_EQ(Texts({'7', 0x7B, 0x87, 0x2D, 0x1B, 0x22, 0x60, 0x6B, 0xBB}), "7|F12|F24|Ins|Esc|PgDn|Num 0|Num +|=|");
    EXPECT_EQ(Texts({0, kShortCutCtrl, kShortCutCtrl | 0x10, 0xFF}), "||||");  // the Shift key itself has no name
}

// The list view's header clicks show the arrows; here: the column's other format bits stay.
TEST(NvRules, TheArrowBitsChangeAloneInAHeaderFormat) {
    EXPECT_EQ(SortArrowFormat(0x4001 | kHeaderSortUp, true, true), 0x4001 | kHeaderSortDown);
    EXPECT_EQ(SortArrowFormat(0x4001 | kHeaderSortUp | kHeaderSortDown, false, false), 0x4001u);
}

TEST(NvRules, StatusPanelsOfFixedWidthAreCentredAndTheFirstTakesWhatTheyLeave) {
    const TStatusPanelPlan plan = PlanStatusPanels(std::vector<int>{0, 80, -60, 80});
    std::string kinds;
    for (const TStatusPanelSpec& panel : plan.panels)
        kinds += std::to_string(panel.width) + (panel.centred ? "c" : "") + (panel.ownerDraw ? "o" : "") + " ";
    EXPECT_EQ(kinds, "50 80c 60co 80c ");
    EXPECT_EQ(StatusPanelEdges(plan, 400, true), (std::vector<int>{180, 260, 320, -1}));
    EXPECT_EQ(StatusPanelEdges(plan, 100, true), (std::vector<int>{0, 80, 140, -1}));  // never a negative width
    EXPECT_TRUE(StatusPanelEdges(PlanStatusPanels({}), 400, true).empty());
}

}  // namespace
