#include "tools/network/TraceRouteWin32.h"

#include <cstdlib>

#include "core/DateTime.h"
#include "core/Format.h"
#include "core/KoDialogsWin32.h"
#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/NvPanelWin32.h"

namespace {
enum : uint16_t { kSetMaxHops = 1 };
constexpr UINT kNamesMessage = WM_APP + 1;
constexpr int kPanelHeight = 32;
constexpr int kTimeColumn = 78;
constexpr size_t kHistoryCount = 16;
}  // namespace

const TCommand<TFormTrace> TFormTrace::kMenu[] = {
    {{kSetMaxHops, VK_F8, "&Set Max Hops", 0, -1}, [](TFormTrace& f) { f.AskMaxHops(); }},
};

TFormTrace::TFormTrace(TWinControl* owner, std::unique_ptr<IIcmp> icmp)
    : TKoUtilForm(owner, &ToolRecord(kTraceRouteIndex)),
      icmp_(std::move(icmp)),
      lookups_([handle = Handle()] { PostMessageA(handle, kNamesMessage, 0, 0); }) {
    MaxHops = &TConfigVarInt::Define(Config(), Tool.Key, 30, "max_hops");
    MaxHops->SetMin(0);
    MaxHops->SetMax(255);

    auto& panel = Add<TNvPanel>();
    panel.SetBounds(0, 0, 0, kPanelHeight);
    panel.SetAlign(TAlign::Top);
    const int width = ClientRect().right;
    destination_ = &panel.Add<TNvComboBox>(TNvComboBox::kEditableStyle);
    destination_->SetBounds(4, 5, width - 182, 300);
    destination_->SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    button_ = &panel.Add<TNvButton>("&Trace");
    button_->SetBounds(width - 174, 4, 75, 24);
    button_->SetAnchors(kAnchorRight | kAnchorTop);
    button_->OnClick = [this] { StartOrAbort(); };
    timeout_ = &panel.Add<TNvComboBox>(TNvComboBox::kEditableStyle);
    timeout_->SetBounds(width - 94, 5, 90, 300);
    timeout_->SetAnchors(kAnchorRight | kAnchorTop);
    for (int i = 0; i < 8; ++i)
        timeout_->AddItem(Format("%d", {1000 << i}));
    timeout_->SetItemIndex(0);
    for (TWinControl* control : {static_cast<TWinControl*>(destination_), static_cast<TWinControl*>(button_),
                                 static_cast<TWinControl*>(timeout_)})
        control->Tag = kTagVariableFont;
    list_ = &Add<TNvListBox>(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                             LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT);
    list_->SetAlign(TAlign::Client);
    list_->Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
    list_->DoubleBuffered = true;
    list_->OnDrawItem = [this](const TDrawItemEvent& event) { DrawRow(event); };
    menu_ = &AddPopupMenu(kMenu);
    ActiveControl = destination_;

    TKoIni& ini = StatsIni();
    history_ = ReadHistory(ini, Tool.Key + std::string(".RecentServers"));
    destination_->SetItems(history_);
    destination_->SetText(ini.ReadString(Tool.Key, "LastServer", ""));
}

void TFormTrace::FormShown() {
    list_->SetItemHeight(list_->FontHeight() + 5);
    fonts_.Make(list_->FontLog());
    SendMessageA(destination_->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    SendMessageA(timeout_->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
}

void TFormTrace::StartOrAbort() {
    if (Jobs.Busy()) {
        abort_ = true;
        return;
    }
    const std::string destination(TrimBlanks(destination_->Text()));
    Jobs.Run([this, destination] { RunTrace(destination); });
}

void TFormTrace::RunTrace(const std::string& destination) {
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
    abort_ = false;
    button_->SetText("&Abort");
    TTraceRoute trace(*icmp_);
    trace.MaxHops = MaxHops->Value();
    trace.Timeout = ParseTraceTimeout(timeout_->Text());
    bool closing = false;
    trace.OnLine = [this, &closing](const TTraceLine& line) {
        AddLine(line);
        closing = closing || !Jobs.Step();
    };
    trace.Aborted = [this, &closing] { return abort_ || closing; };
    trace.OnStep = [this, &closing] { return !(closing = closing || !Jobs.Step()) && !abort_; };
    trace.SystemMessage = [](uint32_t code) { return SysErrorMessage(code); };
    trace.Run(destination);
    if (!closing) {
        StatsIni().WriteString(Tool.Key, "LastServer", destination);
        AddToHistory(history_, destination, kHistoryCount);
        destination_->SetItems(history_);
        destination_->SetItemIndex(0);
        button_->SetText("&Trace");
    }
    SetCursor(previous);
}

void TFormTrace::AddLine(const TTraceLine& line) {
    TLine added;
    static_cast<TTraceLine&>(added) = line;
    added.Serial = nextSerial_++;
    lines_.push_back(added);
    if (line.Kind & kTraceReply) {
        IIcmp* icmp = icmp_.get();  // outlives the look-ups: the window waits for them when it goes
        lookups_.Start(added.Serial, [icmp, address = line.Address] { return icmp->ReverseName(address); });
    }
    const std::string text =
        line.Hop >= 0 ? Format("#%.2d\t%s\t%d ms\t%s",
                               {line.Hop, DottedAddress(line.Address), static_cast<int>(line.RoundTrip), line.Text})
                      : line.Text;
    list_->SetItemIndex(list_->AddItem(text));
    UpdateWindow(list_->Handle());
}

// Names that arrived go into the lines they were asked for; lines emptied meanwhile are gone with their names.
void TFormTrace::TakeNames() {
    for (const TLookupResult& result : lookups_.TakeResults()) {
        for (TLine& line : lines_)
            if (line.Serial == result.Tag && !result.Text.empty())
                line.Text = result.Text.substr(0, 255);
    }
    InvalidateRect(list_->Handle(), nullptr, FALSE);
}

void TFormTrace::AskMaxHops() {
    std::string text = MaxHops->GetAsText();
    if (InputBox(Handle(), "Enter the new maximum trace hop value... (default = 30)", text))
        MaxHops->SetAsText(text);
}

void TFormTrace::FormKeyDown(TKeyEvent& event) {
    if (event.key == VK_ESCAPE && !event.shift.alt && !event.shift.ctrl && !event.shift.shift) {
        if (!Jobs.Busy()) {
            lookups_.Cancel();
            lines_.clear();
            list_->Clear();
        }
        ConsumeKey(event);
        return;
    }
    TKoUtilForm::FormKeyDown(event);
}

LRESULT TFormTrace::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kNamesMessage:
            TakeNames();
            return 0;
        case WM_CONTEXTMENU:
            menu_->PopupFor(lParam, list_->Handle());
            return 0;
        case WM_DESTROY:
            WriteHistory(StatsIni(), Tool.Key + std::string(".RecentServers"), history_);
            lookups_.Cancel();
            lookups_.WaitIdle();
            break;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}

void TFormTrace::DrawRow(const TDrawItemEvent& event) {
    if (event.index < 0 || event.index >= static_cast<int>(lines_.size()))
        return;
    const TLine& line = lines_[static_cast<size_t>(event.index)];
    const HDC dc = event.dc;
    const RECT& r = event.rect;
    FillSolid(dc, r, static_cast<TColor>((event.selected ? ColorMark : ColorBack)->Value()));
    RECT time{r.left, r.top, kTimeColumn, r.bottom};
    FillSolid(dc, time, HsvToColor(102, 0.6, 0.5));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    std::string stamp;
    if (line.Kind & kTraceClock) {
        const TDateTimeParts p = DecodeDateTime(line.Time);
        stamp = Format("%.2d:%.2d:%.2d", {p.hour, p.minute, p.second});
    } else {
        stamp = Format("+%7d", {static_cast<int>(line.ElapsedMs)});
    }
    time.right -= 4;
    DrawTextA(dc, stamp.c_str(), static_cast<int>(stamp.size()), &time, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    TColor color = static_cast<TColor>(ColorText->Value());
    if (line.Kind & kTraceHeadline)
        color = RGB(0, 0, 128);
    else if (line.Kind & (kTraceError | kTraceMessage))
        color = RGB(128, 0, 0);
    SetTextColor(dc, event.selected ? static_cast<TColor>(ColorMarkText->Value()) : color);
    const int y = r.top + 1;
    if (line.Hop < 0) {
        const TSelectObject font(dc, fonts_.Get(false, line.Kind & kTraceHeadline));
        TextOutA(dc, 86, y, line.Text.c_str(), static_cast<int>(line.Text.size()));
        return;
    }
    const auto put = [&](int x, UINT align, const std::string& text) {
        SetTextAlign(dc, align);
        TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    };
    put(86, TA_LEFT, Format("#%.2d", {line.Hop}));
    put(290, TA_RIGHT, line.Kind & kTraceError ? "Timeout or Error" : DottedAddress(line.Address));
    if (line.Kind & kTraceReply)
        put(362, TA_RIGHT, Format("%d ms", {static_cast<int>(line.RoundTrip)}));
    put(386, TA_LEFT, line.Text);
    SetTextAlign(dc, TA_LEFT);
}
