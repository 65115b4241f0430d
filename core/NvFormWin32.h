#pragma once
#include "core/WinControlWin32.h"

// The themed top-level window: snapping to the work area's edges at the end of a move or resize, stay-on-top,
// redraw switching, and the application title following the main window's caption.
class TNvForm : public TWinControl {
  public:
    explicit TNvForm(TWinControl* owner);
    ~TNvForm() override;

    int EdgeSnapSize = 16;
    bool RedrawEnabled = true;
    bool StayOnTop = false;
    // The control that has the keyboard focus when the window is activated, unless another one had it last.
    TWinControl* ActiveControl = nullptr;

    void SetRedraw(bool enabled);
    void SetStayOnTop(bool onTop);
    void CenterOnScreen();
    // Sizes the window so that its client area has these dimensions.
    void SetClientSize(int width, int height);
    void FlushKeyMessages() const;
    void Close();
    // Shows the window and runs messages until it is destroyed; owner stays disabled meanwhile.
    void ShowModal(HWND owner);

    bool IsMainWindow() const;
    static TNvForm* MainWindow();

  protected:
    // Creates the hidden top-level window; the first form created becomes the application's main window.
    void CreateForm(const std::string& caption, DWORD style, int width, int height);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreviewKeyMessage(const MSG& msg) override;
    // At the end of an interactive move or resize, after snapping.
    virtual void MoveSizeEnded() {}

  private:
    void RestoreFocus();

    HWND lastFocus_ = nullptr;  // not owned: a child that had the focus when the window was deactivated
};

// Removes one pending character message for the window, so that a handled key does not also arrive as a character.
void FlushKeyMessages(HWND window);
