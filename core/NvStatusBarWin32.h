#pragma once
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/MemoryCanvasWin32.h"
#include "core/NvRules.h"
#include "core/WinControlWin32.h"

// A status bar 19 pixels high docked along the bottom of its parent, in its parent's font, without a size grip,
// painted off screen. Panels come from a width table; the first one can take whatever the fixed panels leave.
class TNvStatusBar : public TWinControl {
  public:
    static constexpr int kHeight = 19;
    explicit TNvStatusBar(TWinControl* owner);

    bool AutoSizeFirstPanel = true;
    // Text panels framed by a sunken edge; set before their texts.
    bool Bevels = true;
    int FixedWidth() const { return plan_.fixedWidth; }

    // Negative widths make owner-drawn panels, non-zero ones fixed panels with centred text; returns FixedWidth.
    int SetPanels(std::span<const int> widths);
    int PanelCount() const { return static_cast<int>(plan_.panels.size()); }
    void SetPanelWidth(int index, int width);
    void SetPanelText(int index, const std::string& text);
    std::string PanelText(int index) const;

    // Paints an owner-drawn panel; index is the panel's.
    std::function<void(const TDrawItemEvent&)> OnDrawPanel;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnDrawItemReflected(const TDrawItemEvent& event) override;
    void ColorsChanged() override;

  private:
    void UpdateParts();
    void SendPanelText(int index);
    void Paint(HDC dc);

    TMemoryCanvas canvas_;
    TStatusPanelPlan plan_;
    std::vector<std::string> texts_;
};
