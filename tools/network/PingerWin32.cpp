#include "tools/network/PingerWin32.h"

#include <algorithm>

#include "core/Format.h"
#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/NvPanelWin32.h"

namespace {
constexpr int kPanelHeight = 32;
constexpr size_t kHistoryCount = 16;
constexpr TColor kLabelColor = RGB(105, 204, 240);

void PutText(HDC dc, RECT r, const std::string& text, TColor color, UINT align) {
    SetTextColor(dc, color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_SINGLELINE | DT_NOPREFIX);
}
}  // namespace

TFormPinger::TFormPinger(TWinControl* owner, std::unique_ptr<IIcmp> icmp)
    : TKoUtilForm(owner, &ToolRecord(kPingerIndex)), pings_(std::move(icmp)) {
    TEasyConfig& c = Config();
    PingInterval = &TConfigVarInt::Define(c, Tool.Key, 1000, "ping_interval");
    DrawMode = &TConfigVarInt::Define(c, Tool.Key, 0, "draw_mode");
    LineSize = &TConfigVarInt::Define(c, Tool.Key, 16, "line_size");
    LineSpacing = &TConfigVarInt::Define(c, Tool.Key, 1, "line_spacing");
    BadLatencyLimit = &TConfigVarInt::Define(c, Tool.Key, 500, "bad_latency_limit");
    pings_.Timeout = 1000;

    auto& panel = Add<TNvPanel>();
    panel.SetBounds(0, 0, 0, kPanelHeight);
    panel.SetAlign(TAlign::Top);
    panelHeight_ = kPanelHeight;
    const int width = ClientRect().right;
    host_ = &panel.Add<TNvComboBox>(TNvComboBox::kEditableStyle);
    host_->SetBounds(4, 5, width - 172, 300);
    host_->SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    interval_ = &panel.Add<TNvComboBox>(TNvComboBox::kEditableStyle);
    interval_->SetBounds(width - 162, 5, 80, 300);
    interval_->SetAnchors(kAnchorRight | kAnchorTop);
    for (int i = 0; i < 8; ++i)
        interval_->AddItem(Format("%d", {1000 << i}));
    interval_->SetItemIndex(0);
    button_ = &panel.Add<TNvButton>("&Ping");
    button_->SetBounds(width - 79, 4, 75, 24);
    button_->SetAnchors(kAnchorRight | kAnchorTop);
    button_->OnClick = [this] { pinging_ ? Stop() : Start(); };
    for (TWinControl* control :
         {static_cast<TWinControl*>(host_), static_cast<TWinControl*>(interval_), static_cast<TWinControl*>(button_)})
        control->Tag = kTagVariableFont;
    ActiveControl = host_;

    font_.reset(StrToFont("\"Verdana\" 10 b"));
    graph_.SetRestColor(RGB(255, 255, 255));
    graph_.OnBarColor = [this](int index, uint32_t, uint32_t) {
        return HsvToColor(LatencyHue(pings_.Milliseconds(index), static_cast<uint32_t>(BadLatencyLimit->Value())), 0.5,
                          0.6);
    };
    OnTimer = [this](UINT_PTR id) {
        if (id == kPingTimer) {
            // A ping still waiting for its answer lets this tick go by.
            if (!Jobs.Busy())
                Jobs.Run([this] { PingOnce(); });
        } else if (id == kMessageTimer) {
            StopTimer(kMessageTimer);
            message_.clear();
            Redraw();
        }
    };
    OnResize = [this] { Relayout(); };

    TKoIni& ini = StatsIni();
    history_ = ReadHistory(ini, Tool.Key + std::string(".RecentServers"));
    host_->SetItems(history_);
    host_->SetText(ini.ReadString(Tool.Key, "LastServer", ""));
    if (!LaunchArgument(1).empty())
        host_->SetText(LaunchArgument(1));

    WhenChanged(ColorBack, [this] {
        const TColor area = BlendColor(RGB(49, 65, 82), RGB(255, 255, 255), 16);
        graph_.SetAreaColor(area);
        graph_.SetRestColor(area);
        Redraw();
    });
    WhenChanged(PingInterval, [this] { interval_->SetText(Format("%d", {PingInterval->Value()})); });
    WhenChanged(DrawMode, [this] { Redraw(); });
    WhenChanged(LineSize, [this] {
        graph_.SetBarWidth(LineSize->Value());
        Redraw();
    });
    WhenChanged(LineSpacing, [this] {
        graph_.SetBarGap(LineSpacing->Value());
        Redraw();
    });
    Relayout();
}

void TFormPinger::FormShown() {
    SendMessageA(host_->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    SendMessageA(interval_->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    if (!LaunchArgument(1).empty())
        Start();
}

void TFormPinger::Start() {
    EnableWindow(button_->Handle(), FALSE);
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    pings_.Clear();
    Redraw();
    // Faster than ten a second would flood the host rather than watch it.
    const int interval = StrToIntDef(interval_->Text(), 1000);
    PingInterval->SetValue(interval >= 100 ? interval : 1000);
    const std::string host = host_->Text();
    pings_.SetHost(host);  // an unknown host is not told: its pings are lost
    StartTimer(kPingTimer, static_cast<UINT>(std::max(PingInterval->Value(), 1)));
    PostMessageA(Handle(), WM_TIMER, kPingTimer, 0);
    AddToHistory(history_, host, kHistoryCount);
    host_->SetItems(history_);
    host_->SetItemIndex(0);
    StatsIni().WriteString(Tool.Key, "LastServer", host);
    button_->SetText("&Stop");
    pinging_ = true;
    EnableWindow(button_->Handle(), TRUE);
    SetCursor(previous);
}

void TFormPinger::Stop() {
    StopTimer(kPingTimer);
    pinging_ = false;
    button_->SetText("&Ping");
    SetWindowTextA(Handle(), CaptionText.c_str());
}

void TFormPinger::PingOnce() {
    if (!pinging_)
        return;
    pings_.Ping([this] { return Jobs.Step(); });
    Redraw();
    if (!pinging_)  // stopped while the answer was awaited
        return;
    SetWindowTextA(Handle(), (CaptionText + PingCaptionDots(pings_.Count())).c_str());
}

void TFormPinger::ShowMessage(const std::string& text) {
    message_ = text;
    StartTimer(kMessageTimer, static_cast<UINT>(text.size() * 20 + 750));
    Redraw();
}

void TFormPinger::Relayout() {
    const RECT client = ClientRect();
    frame_ = {client.left + 2, client.top + 2 + panelHeight_, client.right - 2, client.bottom - 2};
    graphRect_ = {frame_.left + 32, frame_.top + 24, frame_.right - 8, frame_.bottom - 8};
    graph_.SetWidth(std::max<int>(1, graphRect_.right - graphRect_.left));
    graph_.SetHeight(std::max<int>(1, graphRect_.bottom - graphRect_.top));
    canvas_.SetSize(std::max<int>(1, client.right), std::max<int>(1, client.bottom));
    if (Ready && IsWindowVisible(Handle()))
        ShowMessage(Format("Entries/Screen %d", {static_cast<int>(graphRect_.right - graphRect_.left) /
                                                 std::max(1, LineSize->Value() + LineSpacing->Value())}));
    else
        Redraw();
}

void TFormPinger::Redraw() {
    if (canvas_.NeedsRealloc())
        canvas_.Update();
    const HDC dc = canvas_.DC();
    if (!dc)
        return;
    const TColor back = static_cast<TColor>(ColorBack->Value());
    FillSolid(dc, canvas_.Bounds(), back);
    if (pings_.Count() > 0) {
        FillSolid(dc, frame_, BlendColor(graph_.AreaColor(), static_cast<TColor>(ColorMark->Value()), 64));
        const TPenHandle pen(
            CreatePen(PS_SOLID, 1, BlendColor(graph_.AreaColor(), static_cast<TColor>(ColorText->Value()), 192)));
        const TSelectObject selectedPen(dc, pen.get());
        const TSelectObject hollow(dc, GetStockObject(HOLLOW_BRUSH));
        Rectangle(dc, graphRect_.left - 1, graphRect_.top - 1, graphRect_.right + 1, graphRect_.bottom + 1);
        // A reply of 0 ms still draws a bar: the graph gets each round trip plus one, a lost ping 0.
        graph_.SetCount(pings_.Count());
        for (int i = 0; i < pings_.Count(); ++i)
            graph_.SetValue(i, pings_.Sample(i) == TPingManager::kLost ? 0 : pings_.Sample(i) + 1);
        const uint32_t peak = graph_.Peak() ? graph_.Peak() - 1 : 0;
        const auto average = static_cast<uint32_t>(pings_.Total() / static_cast<uint64_t>(pings_.Count()));
        const uint32_t last = pings_.Milliseconds(pings_.Count() - 1);
        graph_.Paint(dc, graphRect_.left, graphRect_.top);

        const TSelectObject font(dc, font_.get());
        SetBkMode(dc, TRANSPARENT);
        const RECT band{graphRect_.left, frame_.top, graphRect_.right, graphRect_.top};
        PutText(dc, band, pings_.HostName(), kLabelColor, DT_LEFT | DT_VCENTER);
        PutText(dc, band, DottedAddress(pings_.Address()), kLabelColor, DT_RIGHT | DT_VCENTER);
        PutText(dc, band, Format("Last: %d / Avg: %d", {last, average}), RGB(192, 192, 192), DT_CENTER | DT_VCENTER);
        const RECT margin{frame_.left, graphRect_.top, graphRect_.left, graphRect_.bottom};
        PutText(dc, margin, Format("%d", {peak}), kLabelColor, DT_CENTER | DT_TOP);
        PutText(dc, margin, "0", kLabelColor, DT_CENTER | DT_BOTTOM);
        // The average and, below it, the last round trip, one line each around the middle.
        RECT upper = margin, lower = margin;
        upper.bottom = (margin.top + margin.bottom) / 2;
        lower.top = upper.bottom;
        PutText(dc, upper, Format("%d", {average}), RGB(0, 255, 150), DT_CENTER | DT_BOTTOM);
        PutText(dc, lower, Format("%d", {last}), RGB(255, 245, 105), DT_CENTER | DT_TOP);
    }
    bevel_.Paint(dc, frame_);
    if (!message_.empty()) {
        const TSelectObject font(dc, font_.get());
        SetBkMode(dc, TRANSPARENT);
        const RECT inner{graphRect_.left + 16, graphRect_.top + 16, graphRect_.right - 16, graphRect_.bottom - 16};
        PutText(dc, inner, message_, RGB(238, 130, 238), DT_LEFT | DT_TOP);
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TFormPinger::FormKeyDown(TKeyEvent& event) {
    const int step = event.key == VK_ADD ? 1 : event.key == VK_SUBTRACT ? -1 : 0;
    if (step && event.shift.ctrl) {
        LineSize->SetValue((LineSize->Value() - 1 + step + 64) % 64 + 1);
        ShowMessage(Format("Size %d", {LineSize->Value()}));
    } else if (step && event.shift.shift) {
        LineSpacing->SetValue(Clamp(LineSpacing->Value() + step, 0, 16));
        ShowMessage(Format("Spacing %d", {LineSpacing->Value()}));
    } else {
        TKoUtilForm::FormKeyDown(event);
        return;
    }
    ConsumeKey(event);
}

LRESULT TFormPinger::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            canvas_.Paint(Handle());
            return 0;
        case WM_LBUTTONDOWN:
            DrawMode->SetValue((DrawMode->Value() + 1) % 2);
            ShowMessage(Format("DrawMode %d", {DrawMode->Value()}));
            return 0;
        case WM_DESTROY:
            WriteHistory(StatsIni(), Tool.Key + std::string(".RecentServers"), history_);
            break;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
