#include "core/NvRules.h"

#include <algorithm>
#include <cstdlib>

namespace {
struct TKeyName {
    uint8_t key;
    const char* name;
};

// Menus show the short names; the punctuation keys are named after their US-layout characters.
constexpr TKeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"}, {0x21, "PgUp"},  {0x22, "PgDn"},
    {0x23, "End"},  {0x24, "Home"},  {0x25, "Left"},  {0x26, "Up"},    {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},
    {0x2E, "Del"},  {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6D, "Num -"}, {0x6E, "Num ."}, {0x6F, "Num /"}, {0xBA, ";"},
    {0xBB, "="},    {0xBC, ","},     {0xBD, "-"},     {0xBE, "."},     {0xBF, "/"},     {0xC0, "`"},     {0xDB, "["},
    {0xDC, "\\"},   {0xDD, "]"},     {0xDE, "'"},
};

std::string KeyName(uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69)
        return "Num " + std::string(1, static_cast<char>('0' + key - 0x60));
    if (key >= 0x70 && key <= 0x87)
        return "F" + std::to_string(key - 0x70 + 1);
    for (const TKeyName& entry : kKeyNames)
        if (entry.key == key)
            return entry.name;
    return {};
}
}  // namespace

uint16_t ShortCutCode(uint16_t key, bool shift, bool ctrl, bool alt) {
    uint16_t code = key & 0xFF;
    if (shift)
        code |= kShortCutShift;
    if (ctrl)
        code |= kShortCutCtrl;
    if (alt)
        code |= kShortCutAlt;
    return code;
}

std::string ShortCutToText(uint16_t shortCut) {
    const std::string name = KeyName(static_cast<uint8_t>(shortCut & 0xFF));
    if (name.empty())
        return {};
    std::string text;
    if (shortCut & kShortCutShift)
        text += "Shift+";
    if (shortCut & kShortCutCtrl)
        text += "Ctrl+";
    if (shortCut & kShortCutAlt)
        text += "Alt+";
    return text + name;
}

bool ClickSortsDescending(int sortColumn, bool sortDescending, int clickedColumn) {
    return clickedColumn == sortColumn && !sortDescending;
}

uint32_t SortArrowFormat(uint32_t format, bool show, bool descending) {
    format &= ~(kHeaderSortUp | kHeaderSortDown);
    if (show)
        format |= descending ? kHeaderSortDown : kHeaderSortUp;
    return format;
}

TStatusPanelPlan PlanStatusPanels(std::span<const int> widths) {
    TStatusPanelPlan plan;
    for (const int w : widths) {
        const int size = std::abs(w);
        plan.panels.push_back({size > 0 ? size : kDefaultPanelWidth, w<0, size> 0});
        plan.fixedWidth += size;
    }
    return plan;
}

std::vector<int> StatusPanelEdges(const TStatusPanelPlan& plan, int clientWidth, bool autoSizeFirst) {
    std::vector<int> edges;
    int edge = 0;
    for (size_t i = 0; i < plan.panels.size(); ++i) {
        const int width = i == 0 && autoSizeFirst ? std::max(0, clientWidth - plan.fixedWidth) : plan.panels[i].width;
        edge += width;
        edges.push_back(edge);
    }
    if (!edges.empty())
        edges.back() = -1;
    return edges;
}
