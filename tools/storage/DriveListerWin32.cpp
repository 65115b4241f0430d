#include "tools/storage/DriveListerWin32.h"

#include <shellapi.h>

#include <cmath>
#include <iterator>
#include <random>

#include "core/Format.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/NvImageListWin32.h"
#include "core/NvListViewWin32.h"
#include "core/NvRules.h"

namespace {
enum : uint16_t { kRefresh = 1, kProperties, kFirstUnit };
constexpr int kHeaderHeight = 17;
constexpr int kRowHeight = 36;
constexpr const char* kUnitNames[] = {"Bit", "Byte", "KiloByte", "MegaByte", "GigaByte", "TeraByte"};
constexpr TColor kErrorColor = 0x0020D0;  // red 208, green 32, blue 0
constexpr int kBarLeft = 720;
constexpr int kBarRight = 880;

struct TColumn {
    const char* Caption;
    int X;
    bool Right;
};
constexpr TColumn kColumns[kDriveColumnCount] = {
    {"Drive", 42, false},        {"Total Space", 240, true}, {"Free Space", 340, true}, {"FileSys", 355, false},
    {"Disk Serial", 400, false}, {"Drive Type", 470, false}, {"FileLen", 590, true},    {"Flags", 660, true},
    {"Used Space", 680, false},  {"Free Space", 920, true}};

void PutText(HDC dc, const TColumn& column, int y, const std::string& text) {
    SetTextAlign(dc, column.Right ? TA_RIGHT : TA_LEFT);
    TextOutA(dc, column.X, y, text.c_str(), static_cast<int>(text.size()));
}
}  // namespace

const TCommand<TFormDriveLister> TFormDriveLister::kMenu[] = {
    {{kRefresh, VK_F5, "&Refresh", 0, -1}, [](TFormDriveLister& f) { f.Refresh(); }},
    {{kProperties, kShortCutAlt | VK_RETURN, "&Properties", 0, -1}, [](TFormDriveLister& f) { f.ShowProperties(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kFirstUnit + 0, '1', kUnitNames[0], kMenuRadio, -1}, SetUnit<0>},
    {{kFirstUnit + 1, '2', kUnitNames[1], kMenuRadio, -1}, SetUnit<1>},
    {{kFirstUnit + 2, '3', kUnitNames[2], kMenuRadio, -1}, SetUnit<2>},
    {{kFirstUnit + 3, '4', kUnitNames[3], kMenuRadio, -1}, SetUnit<3>},
    {{kFirstUnit + 4, '5', kUnitNames[4], kMenuRadio, -1}, SetUnit<4>},
    {{kFirstUnit + 5, '6', kUnitNames[5], kMenuRadio, -1}, SetUnit<5>},
};

TFormDriveLister::TFormDriveLister(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kDriveListerIndex)) {
    SizeFormat = &TConfigVarNamed::Define(Config(), Tool.Key, 2, "size_format");
    SizeFormat->Names().assign(std::begin(kUnitNames), std::end(kUnitNames));
    SizeFormat->SetMin(0);
    SizeFormat->SetMax(5);
    headerFont_.reset(StrToFont("\"Segoe UI\" 8 i"));
    headerColor_ = HsvToColor(static_cast<double>(std::random_device{}() % 361), 0.5, 0.5);

    header_ = &Add<TNvPanel>();
    header_->SetBounds(0, 0, 0, kHeaderHeight);
    header_->SetAlign(TAlign::Top);
    header_->OnPaint = [this](HDC dc) { DrawHeader(dc); };
    list_ = &Add<TNvListBox>(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                 LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                             0);
    list_->SetAlign(TAlign::Client);
    list_->SetItemHeight(kRowHeight);
    list_->DoubleBuffered = true;
    list_->OnDrawItem = [this](const TDrawItemEvent& event) { DrawRow(event); };
    list_->OnDblClick = [this](const TMouseEvent&) { ShowFlags(); };
    ActiveControl = list_;
    menu_ = &AddPopupMenu(kMenu);
    WhenChanged(SizeFormat, [this] {
        for (int unit = 0; unit < 6; ++unit)
            menu_->SetChecked(static_cast<uint16_t>(kFirstUnit + unit), unit == SizeFormat->Value());
        for (int i = 0; i < list_->Count() && i < volumes_.Count(); ++i)
            list_->SetItemText(i, RowText(i));
        list_->Invalidate();
    });
    Refresh();
}

void TFormDriveLister::Refresh() {
    Jobs.Run([this] { FillRows(); });
}

// A long job: the window's messages run after each row (not during construction), a refresh asked for meanwhile
// takes over, and a close waits until the rows are left alone.
void TFormDriveLister::FillRows() {
    const int selected = list_->ItemIndex();
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    list_->Clear();
    volumes_.Refresh();
    bool ended = false;  // by a newer refresh or the close
    for (int i = 0; i < volumes_.Count() && !ended; ++i) {
        list_->AddItem(RowText(i), i);
        ended = Ready && !Jobs.Step();
    }
    if (!ended) {
        if (volumes_.Count() > 0)
            list_->SetItemIndex(Clamp(selected, 0, volumes_.Count() - 1));
        SetClientSize(Tool.DefaultWidth, volumes_.Count() * kRowHeight + kHeaderHeight);
    }
    SetCursor(previous);
}

void TFormDriveLister::ShowProperties() {
    const int row = list_->ItemIndex();
    if (row < 0 || row >= volumes_.Count())
        return;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = Handle();
    info.lpVerb = "properties";
    info.lpFile = volumes_.Item(row).RootPath.c_str();
    ShellExecuteExA(&info);
}

void TFormDriveLister::ShowFlags() {
    const int row = list_->ItemIndex();
    if (row < 0 || row >= volumes_.Count())
        return;
    TFlagsForm flags(this, volumes_.Item(row).FileSystemFlags);
    flags.ShowModal(Handle());
}

void TFormDriveLister::FormKeyDown(TKeyEvent& event) {
    if (event.key == VK_RETURN && !event.shift.alt && !event.shift.ctrl) {
        ShowFlags();
    } else if (event.key == 'R' && event.shift.ctrl) {
        Refresh();
    } else {
        TKoUtilForm::FormKeyDown(event);
        return;
    }
    ConsumeKey(event);
}

LRESULT TFormDriveLister::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONTEXTMENU) {
        menu_->PopupFor(lParam, list_->Handle());
        return 0;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}

// A failed volume shows its error where the free space would be, and nothing that would need the volume.
std::string TFormDriveLister::CellText(const TDriveVolume& v, int column) const {
    if (v.ErrorCode && (column == 1 || column == 3 || column == 6 || column == 7 || column == 8))
        return {};
    return v.ErrorCode && column == 2 ? SysErrorMessage(v.ErrorCode) : DriveCellText(v, column, SizeFormat->Value());
}

// The row as the list's text too, tab-separated, for whatever reads the list instead of looking at it.
std::string TFormDriveLister::RowText(int index) const {
    const TDriveVolume& v = volumes_.Item(index);
    std::string text = CellText(v, 0);
    for (int column = 1; column < kDriveColumnCount; ++column)
        text += "\t" + CellText(v, column);
    return text;
}

void TFormDriveLister::DrawHeader(HDC dc) {
    RECT r{};
    GetClientRect(header_->Handle(), &r);
    FillSolid(dc, r, headerColor_);
    const TSelectObject font(dc, headerFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    for (const TColumn& column : kColumns)
        PutText(dc, column, (kHeaderHeight - metrics.tmHeight) / 2, column.Caption);
}

void TFormDriveLister::DrawRow(const TDrawItemEvent& event) {
    if (event.index < 0 || event.index >= volumes_.Count())
        return;
    const TDriveVolume& v = volumes_.Item(event.index);
    const HDC dc = event.dc;
    const RECT& r = event.rect;
    const TColor back = static_cast<TColor>(ColorBack->Value());
    FillSolid(dc, r, event.selected ? static_cast<TColor>(ColorMark->Value()) : back);
    SIZE blank{};
    GetTextExtentPoint32A(dc, " ", 1, &blank);
    const int y = r.top + (kRowHeight - blank.cy) / 2;
    if (v.Icon)
        DrawIconEx(dc, r.left + 6, r.top + (kRowHeight - 32) / 2, reinterpret_cast<HICON>(v.Icon), 32, 32, 0, nullptr,
                   DI_NORMAL);
    if (v.ErrorCode == 0 && v.TotalBytes > 0) {
        const double ratio = DriveFreeRatio(v);
        RECT bar{kBarLeft, r.top + 9, kBarRight, r.bottom - 9};
        FillSolid(dc, bar, BlendColor(back, 0xFFFFFF, 128));
        bar.right -= static_cast<int>((bar.right - bar.left) * ratio);
        FillSolid(dc, bar, HsvToColor(std::trunc(std::sqrt(ratio) * 120), 0.6, 0.75));
    }
    SetBkMode(dc, TRANSPARENT);
    const TColor text = static_cast<TColor>((event.selected ? ColorMarkText : ColorText)->Value());
    for (int column = 0; column < kDriveColumnCount; ++column) {
        SetTextColor(dc, v.ErrorCode && column == 2 ? kErrorColor : text);
        PutText(dc, kColumns[column], y, CellText(v, column));
    }
    SetTextAlign(dc, TA_LEFT);
}

TFlagsForm::TFlagsForm(TWinControl* owner, uint32_t flags) : TNvForm(owner) {
    CreateForm(Format("Drive Bit Flags - %s%.8x", {"$", flags}), WS_OVERLAPPEDWINDOW, 512, 320);
    static const TNvColumn kFlagColumns[] = {
        {90, 0, "Value"}, {36, 1, "Bit"}, {40, 1, "State"}, {320, 0, "Description"}};
    auto& list = Add<TNvListView>();
    list.SetAlign(TAlign::Client);
    list.SetColumnClick(false);
    list.AddColumns(kFlagColumns);
    static TNvImageList images;  // the green and red squares, shared by every flags window
    if (images.Count() == 0)
        images.AddResourceBitmaps(1040);
    list.SetSmallImages(images);
    for (int bit = 0; bit < 32; ++bit) {
        const bool set = (flags >> bit & 1u) != 0;
        const int item = list.AddItem(Format("0x%.8x", {1u << bit}), bit, set ? 6 : 9);
        list.SetItemText(item, 1, Format("%.2d", {bit}));
        list.SetItemText(item, 2, set ? "true" : "false");
        list.SetItemText(item, 3, kFileSystemFlagNames[bit]);
    }
    RECT first{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list.Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const RECT client = ClientRect();
    const RECT listClient = list.ClientRect();
    SetClientSize(512, client.bottom - listClient.bottom + first.top + (first.bottom - first.top) * 33);
    OnKeyDown = [this](TKeyEvent& event) {
        const TShiftState s = event.shift;
        if ((event.key == VK_ESCAPE && !s.alt && !s.ctrl && !s.shift) || (event.key == 'Q' && s.alt) ||
            (event.key == 'W' && s.ctrl)) {
            event.key = 0;
            Close();
        }
    };
    ActiveControl = &list;
}
