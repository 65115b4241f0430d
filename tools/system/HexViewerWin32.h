#pragma once
#include <string>

#include "tools/system/FauxScrollBoxWin32.h"
#include "tools/system/HexViewer.h"

// A block of bytes as a classic hex dump: offsets, sixteen cells a line and the characters, under a header row.
// Only the visible lines are formatted.
class THexViewer : public TFauxScrollBox {
  public:
    static constexpr TColor kNoColor = 0x1FFFFFFF;
    explicit THexViewer(TWinControl* owner);

    // A copy of the bytes; the scroll position stays, so a shorter block may show empty lines until scrolled.
    void SetData(const void* bytes, size_t size);
    uint32_t DataSize() const { return static_cast<uint32_t>(data_.size()); }
    uint32_t TopOffset() const { return topOffset_; }

    THexLayout Layout;
    int OffsetRadix = 0;
    bool NoCaret = false;
    TColor HeaderColor = kNoColor;
    TColor OffsetColor = RGB(0x20, 0x20, 0xC0);
    TColor HexColor = RGB(0x10, 0x10, 0x10);
    TColor CharColor = RGB(0x60, 0, 0);

  protected:
    void Scroll() override;
    void Paint(HDC dc, const RECT& client) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHandleCreated() override;

  private:
    void UpdateRange();
    void PaintHeader(HDC dc, const RECT& client) const;
    void PaintBytes(HDC dc, const RECT& client) const;

    std::string data_;
    uint32_t topOffset_ = 0;
};
