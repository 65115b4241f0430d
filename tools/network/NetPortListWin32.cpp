#include "tools/network/NetPortListWin32.h"

#include <cstdlib>

#include "core/Format.h"
#include "core/HandlesWin32.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/NvLabelWin32.h"
#include "core/NvPanelWin32.h"

namespace {
constexpr int kPanelHeight = 30;
constexpr int kStatusPanels[] = {0};

struct TColumn {
    int X;
    bool Right;
    TColor Color;
};
constexpr TColumn kColumns[] = {{45, true, 0xFF0000},
                                {60, false, 0x008000},
                                {100, false, 0x000080},
                                {300, false, 0x800080}};
}  // namespace

TFormNetPorts::TFormNetPorts(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kPortListIndex)) {
    auto& panel = Add<TNvPanel>();
    panel.SetBounds(0, 0, 0, kPanelHeight);
    panel.SetAlign(TAlign::Top);
    panel.Add<TNvLabel>("Filter:", RECT{6, 8, 42, 26}).Tag = kTagVariableFont;
    ports_ = &panel.Add<TNvEdit>();
    ports_->SetBounds(46, 4, 90, 22);
    protocol_ = &panel.Add<TNvComboBox>();
    protocol_->SetBounds(142, 4, 80, 200);
    for (const char* item : {"tcp", "udp", "tcp/udp"})
        protocol_->AddItem(item);
    protocol_->SetItemIndex(2);
    search_ = &panel.Add<TNvEdit>();
    search_->SetBounds(228, 4, ClientRect().right - 234, 22);
    search_->SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    for (TWinControl* control : {static_cast<TWinControl*>(ports_), static_cast<TWinControl*>(protocol_),
                                 static_cast<TWinControl*>(search_)}) {
        control->Tag = kTagVariableFont;
        control->OnChange = [this] { Refresh(); };
    }
    statusBar_ = &Add<TNvStatusBar>();
    statusBar_->SetPanels(kStatusPanels);
    list_ = &Add<TNvListBox>(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                             LBS_NODATA | LBS_NOINTEGRALHEIGHT);
    list_->SetAlign(TAlign::Client);
    list_->Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
    list_->DoubleBuffered = true;
    list_->OnDrawItem = [this](const TDrawItemEvent& event) { DrawRow(event); };
    ActiveControl = ports_;

    std::string text;
    missing_ = !ReadFileBytes(DataFolder + "ports.lst", text);
    records_ = ParsePortList(text);
    Refresh();
}

void TFormNetPorts::FormShown() {
    list_->SetItemHeight(list_->FontHeight() + 5);
    if (missing_)
        MsgBox("Could not locate the network port list file.\r\n\r\n\"" + DataFolder + "ports.lst\"",
               "Port List Missing!", MB_OK | MB_ICONERROR, Handle());
}

void TFormNetPorts::Refresh() {
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const int protocol = protocol_->ItemIndex();
    rows_ = FilterPorts(records_, ports_->Text(),
                        protocol == 0   ? TPortProtocol::Tcp
                        : protocol == 1 ? TPortProtocol::Udp
                                        : TPortProtocol::Both,
                        search_->Text());
    list_->SetCount(static_cast<int>(rows_.size()));
    statusBar_->SetPanelText(0, Format("%d Items", {static_cast<int>(rows_.size())}));
    SetCursor(previous);
}

void TFormNetPorts::DrawRow(const TDrawItemEvent& event) {
    if (event.index < 0 || event.index >= static_cast<int>(rows_.size()))
        return;
    const TPortRecord& r = records_[static_cast<size_t>(rows_[static_cast<size_t>(event.index)])];
    const HDC dc = event.dc;
    FillSolid(dc, event.rect, static_cast<TColor>((event.selected ? ColorMark : ColorBack)->Value()));
    SetBkMode(dc, TRANSPARENT);
    SIZE blank{};
    GetTextExtentPoint32A(dc, " ", 1, &blank);
    const int y = event.rect.top + (event.rect.bottom - event.rect.top - blank.cy) / 2;
    const std::string cells[] = {Format("%d", {static_cast<int>(r.Port)}), r.IsUdp ? "udp" : "tcp", r.Name,
                                 r.Description};
    for (size_t i = 0; i < std::size(kColumns); ++i) {
        SetTextColor(dc, event.selected ? static_cast<TColor>(ColorMarkText->Value()) : kColumns[i].Color);
        SetTextAlign(dc, kColumns[i].Right ? TA_RIGHT : TA_LEFT);
        TextOutA(dc, kColumns[i].X, y, cells[i].c_str(), static_cast<int>(cells[i].size()));
    }
    SetTextAlign(dc, TA_LEFT);
}
