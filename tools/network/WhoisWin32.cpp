#include "tools/network/WhoisWin32.h"

#include <cmath>
#include <cstdlib>

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Format.h"
#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/NvPanelWin32.h"
#include "core/StringIterators.h"

namespace {
constexpr int kPanelHeight = 32;
constexpr int kTimeColumn = 78;
constexpr int kTextLeft = 86;
constexpr TColor kTimeColor = 0xC17D41;  // red 65, green 125, blue 193
constexpr size_t kHistoryCount = 16;
constexpr uint32_t kRepaintMs = 100;

std::string ClockText(double time) {
    const TDateTimeParts p = DecodeDateTime(time);
    return Format("%.2d:%.2d:%.2d", {p.hour, p.minute, p.second});
}
}  // namespace

TFormWhoIs::TFormWhoIs(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kWhoisIndex)) {
    TEasyConfig& c = Config();
    LastQuery = &TConfigVarStr::Define(c, Tool.Key, "", "last_query");
    LastParam = &TConfigVarStr::Define(c, Tool.Key, "NONE", "last_param");
    LastServer = &TConfigVarStr::Define(c, Tool.Key, "", "last_server");

    auto& panel = Add<TNvPanel>();
    panel.SetBounds(0, 0, 0, kPanelHeight);
    panel.SetAlign(TAlign::Top);
    const int width = ClientRect().right;
    query_ = &panel.Add<TNvComboBox>(TNvComboBox::kEditableStyle);
    query_->SetBounds(4, 5, width - 480, 300);
    query_->SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    param_ = &panel.Add<TNvComboBox>(TNvComboBox::kEditableStyle);
    param_->SetBounds(width - 470, 5, 140, 300);
    server_ = &panel.Add<TNvComboBox>(TNvComboBox::kEditableStyle);
    server_->SetBounds(width - 324, 5, 236, 300);
    for (TNvComboBox* box : {query_, param_, server_})
        box->Tag = kTagVariableFont;
    param_->SetAnchors(kAnchorRight | kAnchorTop);
    server_->SetAnchors(kAnchorRight | kAnchorTop);
    auto& button = panel.Add<TNvButton>("&Query");
    button.SetBounds(width - 79, 4, 75, 24);
    button.SetAnchors(kAnchorRight | kAnchorTop);
    button.Tag = kTagVariableFont;
    button.OnClick = [this] { Query(); };
    list_ = &Add<TNvListBox>(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                             LBS_NODATA | LBS_NOINTEGRALHEIGHT);
    list_->SetAlign(TAlign::Client);
    list_->Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
    list_->DoubleBuffered = true;
    list_->OnDrawItem = [this](const TDrawItemEvent& event) { DrawRow(event); };
    ActiveControl = query_;

    for (const char* item : {"NONE", "--show-handles"})
        param_->AddItem(item);
    std::string servers;
    if (ReadFileBytes(DataFolder + "servers.lst", servers)) {
        TStringIteratorCrLf lines(servers);
        for (std::string line; lines.Remaining() > 0;) {
            lines.Next(line);
            if (!TrimBlanks(line).empty())
                server_->AddItem(std::string(TrimBlanks(line)));
        }
    }
    history_ = ReadHistory(StatsIni(), Tool.Key + std::string(".RecentQueries"));
    query_->SetItems(history_);
    WhenChanged(LastQuery, [this] { query_->SetText(LastQuery->Value()); });
    WhenChanged(LastParam, [this] { param_->SetText(LastParam->Value()); });
    WhenChanged(LastServer, [this] { server_->SetText(LastServer->Value()); });
}

void TFormWhoIs::FormShown() {
    list_->SetItemHeight(list_->FontHeight() + 5);
    fonts_.Make(list_->FontLog());
    for (TNvComboBox* box : {param_, server_})
        if (box->Text().empty() && box->Count() > 0)
            box->SetItemIndex(0);
}

void TFormWhoIs::Query() {
    const std::string query(TrimBlanks(query_->Text()));
    const std::string parameters = param_->Text();
    const std::string server(TrimBlanks(server_->Text()));
    LastQuery->SetValue(query);
    LastParam->SetValue(parameters);
    LastServer->SetValue(server);
    // A second query while one runs ends that one first.
    Jobs.Run([this, query, parameters, server] { RunQuery(query, parameters, server); });
}

void TFormWhoIs::RunQuery(const std::string& query, const std::string& parameters, const std::string& server) {
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    TWhoisQuery whois;
    whois.OnText = [this](const std::string& text, uint32_t kind) { LogText(text, kind); };
    whois.OnStep = [this] {
        ShowNewRows(false);
        return Jobs.Step();
    };
    if (whois.Run(query, parameters, server)) {
        AddToHistory(history_, query, kHistoryCount);
        query_->SetItems(history_);
        query_->SetText(query);
    }
    SetCursor(previous);
}

void TFormWhoIs::LogText(const std::string& text, uint32_t kind) {
    const TColor color = static_cast<TColor>(ColorText->Value());
    if (kind == kWhoisSeparator) {
        log_.Add("", color, 0, kind);
    } else {
        TStringIteratorCrLf lines(text);
        if (lines.Remaining() <= 0)
            log_.Add("", color, 0, kind);
        for (std::string line; lines.Remaining() > 0;) {
            lines.Next(line);
            log_.Add(line, color, 0, kind);
        }
    }
    ShowNewRows(kind == kWhoisSeparator);
}

// A flood of lines repaints a few times a second, not once per chunk; the rest shows at the next wait or the end.
void TFormWhoIs::ShowNewRows(bool now) {
    const uint32_t tick = AppClock().TickCount();
    if (list_->Count() == log_.Count() || (!now && tick - shownTick_ < kRepaintMs))
        return;
    shownTick_ = tick;
    list_->SetCount(log_.Count());
    list_->SetItemIndex(log_.Count() - 1);
    UpdateWindow(list_->Handle());
}

void TFormWhoIs::SaveLog() {
    log_.SaveToFile(DataFolder + WhoisLogFileName(AppClock().Now()), true, false);
}

void TFormWhoIs::FormKeyDown(TKeyEvent& event) {
    if (event.key == 'S' && event.shift.ctrl && !event.shift.alt && !event.shift.shift) {
        SaveLog();
        ConsumeKey(event);
        return;
    }
    if (event.key == VK_RETURN && !event.shift.ctrl && !event.shift.alt && GetFocus() != list_->Handle()) {
        Query();
        ConsumeKey(event);
        return;
    }
    TKoUtilForm::FormKeyDown(event);
}

LRESULT TFormWhoIs::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        WriteHistory(StatsIni(), Tool.Key + std::string(".RecentQueries"), history_);
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}

void TFormWhoIs::DrawRow(const TDrawItemEvent& event) {
    if (event.index < 0 || event.index >= log_.Count())
        return;
    const TLogEvent& entry = log_.Entry(event.index);
    const HDC dc = event.dc;
    RECT r = event.rect;
    FillSolid(dc, r, static_cast<TColor>((event.selected ? ColorMark : ColorBack)->Value()));
    RECT time = r;
    time.right = kTimeColumn;
    FillSolid(dc, time, kTimeColor);
    if (entry.Flags & kWhoisSeparator) {
        RECT line{r.left, (r.top + r.bottom) / 2 - 2, r.right, (r.top + r.bottom) / 2 + 2};
        FillSolid(dc, line, kTimeColor);
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const bool mark = event.index == 0 || (entry.Flags & kLogTimingMark);
    const std::string stamp =
        mark ? ClockText(entry.Time)
             : Format("+%7d", {static_cast<int>(std::trunc(log_.Elapsed(event.index) * 86400000.0))});
    time.right -= 4;
    DrawTextA(dc, stamp.c_str(), static_cast<int>(stamp.size()), &time, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    const TSelectObject font(dc, fonts_.Get(entry.Flags & kWhoisBold, entry.Flags & kWhoisUnderlined));
    SetTextColor(dc, event.selected ? static_cast<TColor>(ColorMarkText->Value()) : entry.Color);
    RECT text{kTextLeft, r.top, r.right, r.bottom};
    DrawTextA(dc, entry.Text.c_str(), static_cast<int>(entry.Text.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
