#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// What the themed controls decide apart from the platform: shortcut codes and their menu texts, the sort order a
// header click leads to, the header's sort-arrow bits and the status bar's panel layout.

// A shortcut code is a virtual-key code plus these modifier bits; 0 means none.
constexpr uint16_t kShortCutShift = 0x2000;
constexpr uint16_t kShortCutCtrl = 0x4000;
constexpr uint16_t kShortCutAlt = 0x8000;

uint16_t ShortCutCode(uint16_t key, bool shift, bool ctrl, bool alt);
// "Ctrl+S", "Shift+F8", "Alt+Enter"; empty for 0 or a key without a name.
std::string ShortCutToText(uint16_t shortCut);

// A click on a header column sorts descending only when it repeats an ascending sort of the same column.
bool ClickSortsDescending(int sortColumn, bool sortDescending, int clickedColumn);

// Header item format bits of the sort arrows.
constexpr uint32_t kHeaderSortUp = 0x400;
constexpr uint32_t kHeaderSortDown = 0x200;
// The format with the arrow bits replaced: none when !show, else up for ascending and down for descending.
uint32_t SortArrowFormat(uint32_t format, bool show, bool descending);

// Status-bar panels made from a width table: a negative width asks for an owner-drawn panel, a non-zero one fixes
// the panel's width and centres its text; a zero one keeps the default width and counts for nothing.
constexpr int kDefaultPanelWidth = 50;
struct TStatusPanelSpec {
    int width;
    bool ownerDraw;
    bool centred;
};
struct TStatusPanelPlan {
    std::vector<TStatusPanelSpec> panels;
    int fixedWidth = 0;  // the sum of the fixed widths
};
TStatusPanelPlan PlanStatusPanels(std::span<const int> widths);

// The right edge of every panel for a bar of the given client width; the last panel runs to the bar's end (-1).
// With autoSizeFirst the first panel takes what the fixed panels leave.
std::vector<int> StatusPanelEdges(const TStatusPanelPlan& plan, int clientWidth, bool autoSizeFirst);
