#include "tools/system/HexViewerWin32.h"

#include <windowsx.h>

#include "core/Format.h"
#include "core/KoLibWin32.h"

namespace {
constexpr UINT kCentred = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_CENTER | DT_VCENTER;

void DrawCentred(HDC dc, const std::string& text, RECT r) {
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, kCentred);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}
}  // namespace

THexViewer::THexViewer(TWinControl* owner) : TFauxScrollBox(owner) {
    SetFont(TFontHandle(StrToFont("\"Courier New\" 10")));
    HorzScrollBar.SetEnabled(false);
    OnHandleCreated();
}

void THexViewer::OnHandleCreated() {
    TFauxScrollBox::OnHandleCreated();
    UpdateRange();
}

void THexViewer::SetData(const void* bytes, size_t size) {
    data_.assign(static_cast<const char*>(bytes), size);
    UpdateRange();
    Invalidate();
}

void THexViewer::UpdateRange() {
    if (!Handle())
        return;
    VertScrollBar.SetMax(Layout.ScrollMax(DataSize()));
    VertScrollBar.SetPage(Layout.Page(ClientRect().bottom));
}

void THexViewer::Scroll() {
    TFauxScrollBox::Scroll();
    topOffset_ = static_cast<uint32_t>(VertScrollBar.Position()) * static_cast<uint32_t>(Layout.BytesPerLine);
    Invalidate();
}

LRESULT THexViewer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            UpdateRange();
            break;
        case WM_SETFOCUS:
            if (!NoCaret) {
                CreateCaret(Handle(), nullptr, 8, Layout.RowHeight);
                SetCaretPos(Layout.OffsetWidth, Layout.HeaderHeight);
                ShowCaret(Handle());
            }
            break;
        case WM_KILLFOCUS:
            if (!NoCaret)
                DestroyCaret();
            break;
        case WM_LBUTTONDOWN: {
            int x = 0, y = 0;
            Layout.CellAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), x, y);
            const LRESULT result = TFauxScrollBox::HandleMessage(message, wParam, lParam);
            SetCaretPos(x, y);
            return result;
        }
    }
    return TFauxScrollBox::HandleMessage(message, wParam, lParam);
}

void THexViewer::Paint(HDC dc, const RECT& client) {
    HideCaret(Handle());
    TFauxScrollBox::Paint(dc, client);
    SetBkMode(dc, TRANSPARENT);
    PaintHeader(dc, client);
    if (!data_.empty())
        PaintBytes(dc, client);
    ShowCaret(Handle());
}

void THexViewer::PaintHeader(HDC dc, const RECT& client) const {
    const THexLayout& l = Layout;
    SetTextColor(dc, OffsetColor);
    if (HeaderColor != kNoColor) {
        FillSolid(dc, RECT{0, 0, l.OffsetWidth, client.bottom}, HeaderColor);
        FillSolid(dc, RECT{0, 0, client.right, l.HeaderHeight}, HeaderColor);
        SetTextColor(dc, RGB(255, 255, 255));
        const TPenHandle pen(CreatePen(PS_SOLID, 2, HeaderColor));
        const TSelectObject selected(dc, pen.get());
        Line(dc, l.CellsRight(), 0, l.CellsRight(), client.bottom);
    }
    DrawCentred(dc, "Offset", RECT{0, 0, l.OffsetWidth, l.HeaderHeight});
    for (int column = 0; column < l.BytesPerLine; ++column) {
        const int left = l.OffsetWidth + column * l.CellWidth;
        DrawCentred(dc, HexHeaderText(column, OffsetRadix), RECT{left, 0, left + l.CellWidth, l.HeaderHeight});
    }
    uint64_t offset = topOffset_;
    for (int y = l.HeaderHeight; y < client.bottom && offset < data_.size(); y += l.RowHeight) {
        DrawCentred(dc, HexOffsetText(static_cast<uint32_t>(offset), OffsetRadix),
                    RECT{0, y, l.OffsetWidth, y + l.RowHeight});
        offset += static_cast<uint64_t>(l.BytesPerLine);
    }
    if (HeaderColor == kNoColor) {
        const TPenHandle pen(CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80)));
        const TSelectObject selected(dc, pen.get());
        Line(dc, l.OffsetWidth - 1, 0, l.OffsetWidth - 1, client.bottom);
        Line(dc, 0, l.HeaderHeight - 1, client.right, l.HeaderHeight - 1);
        Line(dc, l.CellsRight(), 0, l.CellsRight(), client.bottom);
    }
}

// Lines at or past the end of the data draw nothing: a position kept from a longer block reads no byte.
void THexViewer::PaintBytes(HDC dc, const RECT& client) const {
    const THexLayout& l = Layout;
    SetTextColor(dc, HexColor);
    uint64_t offset = topOffset_;
    for (int y = l.HeaderHeight; y < client.bottom; y += l.RowHeight) {
        const std::string_view line = l.Line(data_, static_cast<uint32_t>(std::min<uint64_t>(offset, data_.size())));
        for (size_t i = 0; i < line.size(); ++i) {
            const int left = l.OffsetWidth + static_cast<int>(i) * l.CellWidth;
            DrawCentred(dc, Format("%.2x", {static_cast<unsigned char>(line[i])}),
                        RECT{left, y, left + l.CellWidth, y + l.RowHeight});
        }
        if (line.size() < static_cast<size_t>(l.BytesPerLine))
            break;
        offset += static_cast<uint64_t>(l.BytesPerLine);
    }
    SetTextColor(dc, CharColor);
    const int left = l.CharLeft(), right = left + THexLayout::kCharWidth;
    Line(dc, right, 0, right, client.bottom);
    offset = topOffset_;
    for (int y = l.HeaderHeight; y < client.bottom; y += l.RowHeight) {
        const std::string text =
            HexCharText(l.Line(data_, static_cast<uint32_t>(std::min<uint64_t>(offset, data_.size()))));
        RECT r{left, y, right, y + l.RowHeight};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_VCENTER);
        if (text.size() < static_cast<size_t>(l.BytesPerLine))
            break;
        offset += static_cast<uint64_t>(l.BytesPerLine);
    }
}
