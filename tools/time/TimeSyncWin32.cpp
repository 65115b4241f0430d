#include "tools/time/TimeSyncWin32.h"

#include <algorithm>
#include <iterator>

#include "core/Format.h"
#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/NvPanelWin32.h"

namespace {
enum : uint16_t { kUdp = 1, kTcp, kVerbose };
constexpr int kPanelHeight = 31;
constexpr int kStampWidth = 48;
constexpr TColor kStampColor = 0xC98294;  // red 0x94, green 0x82, blue 0xC9
constexpr int kMinimumIntervalMs = 4000;
constexpr const char* kProtocolNames[] = {"DayTime", "Time", "NTP"};
constexpr uint16_t kProtocolPorts[] = {13, 37, 123};
}  // namespace

const TCommand<TFormTimeSync> TFormTimeSync::kMenu[] = {
    {{kUdp, VK_F7, "&UDP Connection", kMenuRadio, -1}, [](TFormTimeSync& f) { f.UdpConnection->SetValue(true); }},
    {{kTcp, VK_F8, "&TCP Connection", kMenuRadio, -1}, [](TFormTimeSync& f) { f.UdpConnection->SetValue(false); }},
    {{kVerbose, VK_F9, "&Verbose Logging", 0, -1}, [](TFormTimeSync& f) { f.LogVerbose->Toggle(); }},
};

TFormTimeSync::TFormTimeSync(TWinControl* owner, ISystemTime& clock)
    : TKoUtilForm(owner, &ToolRecord(kTimeSyncIndex)), sync_(clock) {
    TEasyConfig& c = Config();
    UdpConnection = &TConfigVarBool::Define(c, Tool.Key, true, "udp_connection");
    LogVerbose = &TConfigVarBool::Define(c, Tool.Key, false, "log_verbose");
    ProtocolIndex = &TConfigVarNamed::Define(c, Tool.Key, 2, "protocol_index");
    ProtocolIndex->Names().assign(std::begin(kProtocolNames), std::end(kProtocolNames));
    ProtocolIndex->SetMin(0);
    ProtocolIndex->SetMax(2);
    LastServer = &TConfigVarStr::Define(c, Tool.Key, "", "last_server");

    auto& panel = Add<TNvPanel>();
    panel.SetBounds(0, 0, 0, kPanelHeight);
    panel.SetAlign(TAlign::Top);
    const int width = ClientRect().right;
    server_ = &panel.Add<TNvComboBox>(TNvComboBox::kEditableStyle);
    server_->SetBounds(4, 4, width - 236, 300);
    protocol_ = &panel.Add<TNvComboBox>();
    protocol_->SetBounds(width - 228, 4, 132, 300);
    protocol_->Tag = 35;
    for (int i = 0; i < 3; ++i)
        protocol_->AddItem(Format("Port %.3d: %s", {kProtocolPorts[i], kProtocolNames[i]}));
    protocol_->OnChange = [this] { ProtocolIndex->SetValue(protocol_->ItemIndex()); };
    button_ = &panel.Add<TNvButton>("&Synchronize", TNvButton::kStyle | BS_DEFPUSHBUTTON);
    button_->SetBounds(width - 92, 3, 88, 24);
    button_->OnClick = [this] { Synchronize(); };
    server_->Tag = button_->Tag = kTagVariableFont;
    list_ = &Add<TNvListBox>(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                 LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                             0);
    list_->SetAlign(TAlign::Client);
    list_->Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
    list_->DoubleBuffered = true;
    list_->OnDrawItem = [this](const TDrawItemEvent& event) { DrawRow(event); };
    menu_ = &AddPopupMenu(kMenu);
    ActiveControl = server_;

    TKoIni servers(DataFolder + "servers.ini");
    for (int i = 0; i < 256 && servers.ValueExists("Servers", std::to_string(i)); ++i)
        server_->AddItem(servers.ReadString("Servers", std::to_string(i), ""));
    server_->SetItemIndex(servers.ReadInteger("Servers", "Default", 0));

    sync_.Log = &log_;
    sync_.OnLog = [this](TEventLog&, TLogEvent& entry) {
        list_->SetItemIndex(list_->AddItem(entry.Text));
        UpdateWindow(list_->Handle());
    };
    sync_.OnStep = [this] { return Jobs.Step(); };

    WhenChanged(UdpConnection, [this] {
        sync_.Udp = UdpConnection->Value();
        menu_->SetChecked(kUdp, sync_.Udp);
        menu_->SetChecked(kTcp, !sync_.Udp);
    });
    WhenChanged(LogVerbose, [this] {
        sync_.DebugDump = LogVerbose->Value();
        menu_->SetChecked(kVerbose, sync_.DebugDump);
    });
    WhenChanged(ProtocolIndex, [this] {
        sync_.Protocol = static_cast<uint8_t>(ProtocolIndex->Value());
        protocol_->SetItemIndex(ProtocolIndex->Value());
    });
    WhenChanged(LastServer, [this] {
        if (!LastServer->Value().empty())
            server_->SetText(LastServer->Value());
    });
}

void TFormTimeSync::FormShown() {
    const TWindowDC dc(list_->Handle());
    {
        const TSelectObject selected(dc.get(),
                                     reinterpret_cast<HFONT>(SendMessageA(list_->Handle(), WM_GETFONT, 0, 0)));
        SIZE blanks{};
        GetTextExtentPoint32A(dc.get(), "    ", 4, &blanks);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc.get(), &metrics);
        indentWidth_ = blanks.cx;
        rowHeight_ = metrics.tmHeight + 7;
    }
    list_->SetItemHeight(rowHeight_);
    fonts_.Make(list_->FontLog());
    FitRows(10);
    if (PosEx(LaunchArgument(1), "auto") > 0) {
        Synchronize();
        UpdateWindow(Handle());
        Sleep(250);
        Close();
    }
}

void TFormTimeSync::Synchronize() {
    if (Jobs.Busy())
        return;
    // A clock set moments ago from the same server would only be set again by the noise of the network.
    if (const auto since = sync_.SinceLastStart(); since && *since < kMinimumIntervalMs) {
        MsgBox(
            "Cannot synchronize time so soon after a previous synchronization.\r\n\r\nWait a few seconds and try "
            "again.",
            Tool.Title, MB_OK | MB_ICONWARNING, Handle());
        return;
    }
    const std::string server(TrimBlanks(server_->Text()));
    LastServer->SetValue(server);
    Jobs.Run([this, server] { RunExchange(server); });
}

void TFormTimeSync::RunExchange(const std::string& server) {
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    FitRows(10);
    EnableWindow(button_->Handle(), FALSE);
    list_->Clear();
    log_.Clear();
    // "host:port" reaches a server on a port of its own; a port that is no number fails to connect.
    std::string host;
    uint16_t port = kProtocolPorts[ProtocolIndex->Value()];
    SplitHostPort(server, port, host, port);
    sync_.Synchronize(host, port);
    FitRows(log_.Count());
    SetCursor(previous);
    EnableWindow(button_->Handle(), TRUE);
}

void TFormTimeSync::FitRows(int rows) {
    if (IsZoomed(Handle()))
        return;
    const RECT client = ClientRect();
    const RECT listRect = list_->BoundsRect();
    const int outside = (client.bottom - client.top) - (listRect.bottom - listRect.top);
    const int height = std::min(GetSystemMetrics(SM_CYSCREEN) * 60 / 100, outside + rowHeight_ * std::max(rows, 10));
    SetClientSize(client.right - client.left, height);
}

void TFormTimeSync::DrawRow(const TDrawItemEvent& event) {
    if (event.index < 0 || event.index >= log_.Count())
        return;
    const TLogEvent& entry = log_.Entry(event.index);
    const HDC dc = event.dc;
    const bool odd = event.index % 2 != 0;
    FillSolid(dc, event.rect, static_cast<TColor>((odd ? ColorMark : ColorBack)->Value()));
    RECT stamp{event.rect.left, event.rect.top, kStampWidth, event.rect.bottom};
    FillSolid(dc, stamp, kStampColor);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::string ms = Format("+%.4d", {entry.Data});
    DrawTextA(dc, ms.c_str(), static_cast<int>(ms.size()), &stamp, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const TSelectObject font(dc, fonts_.Get(entry.Flags & 1, entry.Flags & 2));
    SetTextColor(dc, static_cast<TColor>((odd ? ColorMarkText : ColorText)->Value()));
    RECT text{kStampWidth + 8 + entry.Level * indentWidth_, event.rect.top, event.rect.right, event.rect.bottom};
    DrawTextA(dc, entry.Text.c_str(), static_cast<int>(entry.Text.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    if (event.selected) {  // for the focus rectangle
        SetTextColor(dc, 0);
        SetBkColor(dc, 0);
    }
}

LRESULT TFormTimeSync::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONTEXTMENU) {
        menu_->PopupFor(lParam, Handle());
        return 0;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
