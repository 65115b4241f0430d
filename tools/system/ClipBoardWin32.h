#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/HandlesWin32.h"
#include "core/KoUtilFormWin32.h"
#include "core/NvRichOutputWin32.h"
#include "core/NvStatusBarWin32.h"
#include "tools/system/FauxScrollBoxWin32.h"
#include "tools/system/HexViewerWin32.h"

// The read-only text of a clipboard format, without word wrap; a long text fills in on a timer while the window
// answers. The wheel scrolls by the system's lines, sideways with Shift.
class TClipTextView : public TNvRichOutput {
  public:
    explicit TClipTextView(TWinControl* owner) : TNvRichOutput(owner, false) {}
    void ShowText(std::string_view text);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    TWheelNotches wheel_;
};

// A bitmap in a box that scrolls by pixels, centred when it fits and centring is on.
class TClipImageBox : public TFauxScrollBox {
  public:
    explicit TClipImageBox(TWinControl* owner);

    void SetBitmap(HBITMAP bitmap);  // takes ownership; null removes the picture
    HBITMAP Bitmap() const { return bitmap_.get(); }
    SIZE PictureSize() const { return size_; }
    void SetCentered(bool centered);
    // The pixel of the picture under a client point; false off the picture.
    bool PixelAt(int x, int y, POINT& pixel, COLORREF& color) const;
    void UpdateRange();

  protected:
    void Paint(HDC dc, const RECT& client) override;
    void Scroll() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    POINT Origin() const;

    TBitmapHandle bitmap_;
    SIZE size_{0, 0};
    bool centered_ = true;
};

// Watches the clipboard from the viewer chain and shows one of its formats: text, bitmap, file names or dotted
// bytes, or the raw bytes in a hex dump, with its size, handle and CRC-32 in the status bar.
class TFormClipbrd : public TKoUtilForm {
  public:
    explicit TFormClipbrd(TWinControl* owner);
    ~TFormClipbrd() override;

    TConfigVarBool* CenterImage = nullptr;
    TConfigVarBool* HexViewerVar = nullptr;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormShown() override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    static const TCommand<TFormClipbrd> kMainMenu[];
    static const TCommand<TFormClipbrd> kOptionsMenu[];
    static const TCommand<TFormClipbrd> kClipboardMenu[];

    void Refresh();
    void BuildFormatsMenu();
    void ShowFormat(unsigned format);
    void ChooseFormatItem(size_t position);
    void CheckFormatItem(unsigned format);
    void SetPanels(const std::vector<std::string>& texts);
    void SetTextFont(unsigned format);
    void SetViewText(std::string text);
    void SaveContent();
    void SaveRawContent();
    void EditContents();
    void ToggleLock();
    void ClearClipboard();
    void PickColor(int x, int y);
    void LeaveChain();

    HWND nextViewer_ = nullptr;  // not owned: the next window of the viewer chain
    bool inChain_ = false;
    unsigned currentFormat_ = 0;
    TClipTextView* textView_ = nullptr;
    TClipImageBox* imageBox_ = nullptr;
    THexViewer* hexView_ = nullptr;
    TNvStatusBar* statusBar_ = nullptr;
    TNvMenuEntry* formatsMenu_ = nullptr;
    // The formats menu's records and the texts and formats they stand for, rebuilt with the menu.
    std::vector<TNvMenuItem> formatItems_;
    std::vector<std::string> formatCaptions_;
    std::vector<unsigned> formatNumbers_;
    std::string shownText_;  // what the text view shows, saved and edited as it is
};
