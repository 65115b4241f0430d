#include "core/BrowserWin32.h"

#include "core/AppPaths.h"
#include "core/Clock.h"
#include "core/Format.h"
#include "core/KoIni.h"
#include "core/KoLibWin32.h"

namespace {
constexpr TColor kIndexBoxColor = 95 | 93 << 8 | 197 << 16;
constexpr int kIndexBoxWidth = 32;
constexpr int kNarrowClientWidth = 196;

TColor AsColor(const TConfigVarColor* var) {
    return static_cast<TColor>(var->Value());
}
}  // namespace

const TCommand<TFormBrowser> TFormBrowser::kKeys[] = {
    {{0, VK_RETURN, nullptr, 0, -1}, [](TFormBrowser& f) { f.LaunchSelected(); }},
    {{0, VK_ESCAPE, nullptr, 0, -1}, [](TFormBrowser& f) { f.Close(); }},
    {{0, VK_F3, nullptr, 0, -1},
     [](TFormBrowser& f) { ShellOpen(ToolDataFolder(f.SelectedTool()) + "changelog.txt"); }},
    {{0, VK_F8, nullptr, 0, -1}, [](TFormBrowser& f) { f.Step(*f.SortMethod, false); }},
    {{0, 0x2000 | VK_F8, nullptr, 0, -1}, [](TFormBrowser& f) { f.Step(*f.SortMethod, true); }},
    {{0, VK_F9, nullptr, 0, -1}, [](TFormBrowser& f) { f.Step(*f.ExtraInfo, false); }},
    {{0, 0x2000 | VK_F9, nullptr, 0, -1}, [](TFormBrowser& f) { f.Step(*f.ExtraInfo, true); }},
};

TFormBrowser::TFormBrowser(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kLauncherIndex)) {
    TEasyConfig& c = Config();
    AppIndex = &TConfigVarInt::Define(c, "browser", 0, "app_index");
    AutoQuit = &TConfigVarBool::Define(c, "browser", false, "auto_quit");
    HexIndex = &TConfigVarBool::Define(c, "browser", false, "hex_index");
    SortMethod = &TConfigVarNamed::Define(c, "browser", 0, "sort_method");
    ExtraInfo = &TConfigVarNamed::Define(c, "browser", 1, "extra_info");
    AppIndex->SetMin(0);
    AppIndex->SetMax(kLastToolIndex);
    SortMethod->SetMin(0);
    SortMethod->SetMax(6);
    SortMethod->Names().assign(std::begin(kSortMethodNames), std::end(kSortMethodNames));
    ExtraInfo->SetMin(0);
    ExtraInfo->SetMax(6);
    ExtraInfo->Names().assign(std::begin(kExtraInfoNames), std::end(kExtraInfoNames));

    List = &Add<TNvListBox>(
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
        0);
    List->Tag = kTagBackColor | kTagFixedFont;
    List->OnChange = [this] {
        const int row = List->ItemIndex();
        if (row >= 0 && row < kBrowserToolCount)
            AppIndex->SetValue(ToolIndex(*Order[static_cast<size_t>(row)]));
    };
    List->OnDblClick = [this](const TMouseEvent&) { LaunchSelected(); };
    List->OnDrawItem = [this](const TDrawItemEvent& event) { DrawRow(event); };
    List->SetAlign(TAlign::Client);
    List->DoubleBuffered = true;
    ActiveControl = List;
    Order = RegistryOrder();
    AddKeys(kKeys);

    // While the settings load, the list is laid out and filled once afterwards.
    WhenChanged(FontFixed, [this] {
        if (Ready)
            FontChanged();
    });
    WhenChanged(AppIndex, [this] { List->SetItemIndex(RowOf(static_cast<TToolIndex>(AppIndex->Value()))); });
    WhenChanged(HexIndex, [this] { List->Invalidate(); });
    WhenChanged(ExtraInfo, [this] {
        if (Ready)
            ExtraInfoChanged();
    });
    WhenChanged(SortMethod, [this] {
        if (Ready)
            Refresh();
    });
}

void TFormBrowser::AfterConstruction() {
    TKoUtilForm::AfterConstruction();
    ExtraInfoChanged();
    FontChanged();
}

void TFormBrowser::FontChanged() {
    rowHeight_ = std::abs(FontFixedLog().lfHeight) + 7;
    List->SetItemHeight(rowHeight_);
    Refresh();
}

void TFormBrowser::ExtraInfoChanged() {
    const RECT client = ClientRect();
    SetClientSize(ExtraInfo->Value() != 0 ? Tool.DefaultWidth : kNarrowClientWidth, client.bottom);
    List->Invalidate();
}

const TToolRecord& TFormBrowser::SelectedTool() const {
    return ToolRecord(static_cast<TToolIndex>(AppIndex->Value()));
}

int TFormBrowser::RowOf(TToolIndex index) const {
    for (int row = 0; row < kBrowserToolCount; ++row) {
        if (ToolIndex(*Order[static_cast<size_t>(row)]) == index)
            return row;
    }
    return -1;
}

void TFormBrowser::Refresh() {
    SendMessageA(List->Handle(), WM_SETREDRAW, FALSE, 0);
    List->Clear();
    // Read once here, not on every paint of every row, and the file parsed once for all of them.
    TSnapshotProfile snapshot(SystemProfile());
    TKoIni ini(ProgramIniFileName(), snapshot);
    for (TToolIndex i = 0; i <= kLastToolIndex; ++i)
        stats_[static_cast<size_t>(i)] = ReadToolStats(ini, ToolRecord(i));
    SortTools(Order, SortMethod->Value(),
              [this](const TToolRecord& tool) { return stats_[static_cast<size_t>(ToolIndex(tool))]; });
    for (const TToolRecord* tool : Order)
        List->AddItem(tool->Title);
    const RECT client = ClientRect();
    const RECT listClient = List->ClientRect();
    SetClientSize(client.right, kBrowserToolCount * rowHeight_ + (client.bottom - listClient.bottom));
    AppIndex->SetValue(AppIndex->Value());
    SendMessageA(List->Handle(), WM_SETREDRAW, TRUE, 0);
    List->Invalidate();
}

void TFormBrowser::LaunchSelected() {
    LaunchTool(SelectedTool());
    if (AutoQuit->Value()) {
        Close();
        return;
    }
    Sleep(100);  // the new process counts its run before the list shows it
    Refresh();
}

void TFormBrowser::Step(TConfigVarInt& var, bool backwards) {
    var.SetValue(var.Value() + (backwards ? -1 : 1));
}

void TFormBrowser::FormKeyDown(TKeyEvent& event) {
    const TShiftState& s = event.shift;
    if (event.key >= '0' && event.key <= '9' && !s.shift && !s.ctrl && !s.alt) {
        AppIndex->SetValue(event.key - '0');
        LaunchSelected();
        ConsumeKey(event);
        return;
    }
    TKoUtilForm::FormKeyDown(event);
}

void TFormBrowser::DrawRow(const TDrawItemEvent& event) {
    if (event.index < 0 || event.index >= kBrowserToolCount)
        return;
    const TToolRecord& tool = *Order[static_cast<size_t>(event.index)];
    HDC dc = event.dc;
    RECT row = event.rect;
    const bool selected = event.selected;

    FillSolid(dc, row, AsColor(selected ? ColorMark : ColorBack));

    RECT box = row;
    box.right = box.left + kIndexBoxWidth;
    FillSolid(dc, box, kIndexBoxColor);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::string number = Format(HexIndex->Value() ? "%.2x" : "%.2d", {static_cast<int>(ToolIndex(tool))});
    DrawTextA(dc, number.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    RECT text = row;
    text.left += kIndexBoxWidth + 5;
    text.right -= 5;
    text.top += 2;
    text.bottom -= 2;
    const TColor markText = AsColor(ColorMarkText);
    SetTextColor(dc, selected ? markText : AsColor(ColorText));
    DrawTextA(dc, tool.Title, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    const std::string extra =
        ExtraInfoText(ExtraInfo->Value(), tool, stats_[static_cast<size_t>(ToolIndex(tool))], AppClock().Now());
    SetTextColor(dc, selected ? markText : BlendColor(markText, AsColor(ColorMark), 128));
    DrawTextA(dc, extra.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    if (event.raw->itemState & ODS_FOCUS) {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(0, 0, 0));
        DrawFocusRect(dc, &row);
    }
}
