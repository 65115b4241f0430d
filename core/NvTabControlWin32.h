#pragma once
#include <functional>
#include <string>

#include "core/WinControlWin32.h"

class TNvImageList;

// A row of tabs over one page area; the owner puts its controls on the tab control and into DisplayRect.
class TNvTabControl : public TWinControl {
  public:
    explicit TNvTabControl(TWinControl* owner);

    int AddTab(const std::string& caption, int image = -1);
    void Clear();
    int Count() const;
    int TabIndex() const;  // -1 when none is selected
    // Selects without OnChange, as for a selection made by code.
    void SetTabIndex(int index);
    void SetImage(int index, int image);
    void SetImages(const TNvImageList& images);
    // The page area below the tabs, in the control's client coordinates.
    RECT DisplayRect() const;

    // The user chose another tab.
    std::function<void(int index)> OnTabChange;

  protected:
    bool OnNotifyReflected(NMHDR* header, LRESULT& result) override;
};
