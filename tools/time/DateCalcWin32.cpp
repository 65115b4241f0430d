#include "tools/time/DateCalcWin32.h"

#include <cmath>
#include <cstring>
#include <random>

#include "core/Clock.h"
#include "core/Format.h"
#include "core/KoDialogsWin32.h"
#include "core/KoLibWin32.h"
#include "core/NvLabelWin32.h"
#include "core/NvRules.h"

namespace {
enum : uint16_t {
    kSaveDate = 1,
    kTimePortion,
    kHex,
    kCopyOleHex,
    kQuit,
    kShowStats,
    kShowPercent,
    kShowCountDown,
    kDayBack,
    kDayOn,
    kMonthBack,
    kMonthOn,
    kJumpSaved,
    kJumpDateOne,
    kJumpToday,
    kOleEpoch,
    kDosEpoch,
    kUnixEpoch,
    kFileTimeEpoch,
    kInputOle,
    kInputDos,
    kInputUnix,
    kHelp
};
constexpr int kPanelHeight = 38;
constexpr double kUnixEpochDay = 25569;
constexpr UINT kIntervals[] = {0, 66, 41};
const std::string kCountDownSection = "datecalc.CountDown";
constexpr TColor kValueColor = 0x803030;  // red 0x30, green 0x30, blue 0x80
}  // namespace

const TCommand<TFormDateCalc> TFormDateCalc::kMainMenu[] = {
    {{kTimePortion, 'P', "Set Time Portion...", 0, -1}, [](TFormDateCalc& f) { f.SetTimePortion(); }},
    {{kHex, 'H', "&Date Value in Hex", 0, -1}, [](TFormDateCalc& f) { f.DatesInHex->Toggle(); }},
    {{kSaveDate, kShortCutCtrl | 'S', "&Save Date", 0, -1}, [](TFormDateCalc& f) { f.SavedDate->SetValue(f.date_); }},
    {{kCopyOleHex, kShortCutShift | 'C', "Copy &OLE Date Hex", 0, -1}, [](TFormDateCalc& f) { f.CopyOleHex(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kQuit, kShortCutAlt | 'Q', "&Quit", 0, -1}, [](TFormDateCalc& f) { f.Close(); }},
};

const TCommand<TFormDateCalc> TFormDateCalc::kDisplayMenu[] = {
    {{kShowStats, VK_F2, "&Date Stats", kMenuRadio, -1}, [](TFormDateCalc& f) { f.SelectMode(kStats); }},
    {{kShowPercent, VK_F3, "&Time Percentages", kMenuRadio, -1}, [](TFormDateCalc& f) { f.SelectMode(kTimePct); }},
    {{kShowCountDown, VK_F4, "&Countdown Timers", kMenuRadio, -1}, [](TFormDateCalc& f) { f.SelectMode(kCountDown); }},
};

const TCommand<TFormDateCalc> TFormDateCalc::kNavigateMenu[] = {
    {{kDayBack, kShortCutAlt | VK_LEFT, "&Decrease Day", 0, -1}, [](TFormDateCalc& f) { f.SetDate(f.date_ - 1); }},
    {{kDayOn, kShortCutAlt | VK_RIGHT, "&Increase Day", 0, -1}, [](TFormDateCalc& f) { f.SetDate(f.date_ + 1); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kMonthBack, kShortCutAlt | VK_DOWN, "&Decrease Month", 0, -1},
     [](TFormDateCalc& f) { f.SetDate(StepMonth(f.date_, -1)); }},
    {{kMonthOn, kShortCutAlt | VK_UP, "&Increase Month", 0, -1},
     [](TFormDateCalc& f) { f.SetDate(StepMonth(f.date_, 1)); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kJumpSaved, 'Q', "&Jump to Saved Date", 0, -1},
     [](TFormDateCalc& f) { f.SetDate(static_cast<double>(f.SavedDate->Value())); }},
    {{kJumpDateOne, 'W', "&Jump to Date One", 0, -1}, [](TFormDateCalc& f) { f.SetDate(-693593); }},
    {{kJumpToday, 'E', "&Jump to Today", 0, -1}, [](TFormDateCalc& f) { f.SetDate(AppClock().Now()); }},
};

const TCommand<TFormDateCalc> TFormDateCalc::kOffsetsMenu[] = {
    {{kOleEpoch, kShortCutShift | '1', "&OLE Offset", 0, -1}, [](TFormDateCalc& f) { f.SetDate(0); }},
    {{kDosEpoch, kShortCutShift | '2', "&DOS Offset", 0, -1}, [](TFormDateCalc& f) { f.SetDate(29221); }},
    {{kUnixEpoch, kShortCutShift | '3', "&Unix Offset", 0, -1}, [](TFormDateCalc& f) { f.SetDate(kUnixEpochDay); }},
    {{kFileTimeEpoch, kShortCutShift | '4', "&FileTime Offset", 0, -1}, [](TFormDateCalc& f) { f.SetDate(-109205); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kInputOle, kShortCutAlt | '1', "&Input OLE Date...", 0, -1}, [](TFormDateCalc& f) { f.InputOle(); }},
    {{kInputDos, kShortCutAlt | '2', "&Input DOS Date...", 0, -1}, [](TFormDateCalc& f) { f.InputDos(); }},
    {{kInputUnix, kShortCutAlt | '3', "&Input Unix Date...", 0, -1}, [](TFormDateCalc& f) { f.InputUnix(); }},
};

const TCommand<TFormDateCalc> TFormDateCalc::kHelpMenu[] = {
    {{kHelp, VK_F1, "&Formats...", 0, -1},
     [](TFormDateCalc& f) {
         char text[2048] = "";
         LoadStringA(GetModuleHandleA(nullptr), 1, text, sizeof text);
         MsgBox(text, "Date Format Help", MB_ICONINFORMATION, f.Handle());
     }},
};

TFormDateCalc::TFormDateCalc(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kDateCalcIndex)) {
    TEasyConfig& c = Config();
    SavedDate = &TConfigVarFloat::Define(c, Tool.Key, AppClock().Now(), "saved_date");
    DatesInHex = &TConfigVarBool::Define(c, Tool.Key, true, "dates_in_hex");
    hueOffset_ = static_cast<int>(std::random_device{}() % 361);

    TNvPanel& panel = Add<TNvPanel>();
    panel.SetBounds(0, 0, 0, kPanelHeight);
    panel.SetAlign(TAlign::Bottom);
    const char* const captions[] = {"Year", "Month", "Day"};
    const int widths[] = {40, 32, 32};
    const int limits[] = {5, 3, 3};
    int x = 12;
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 3; ++i) {
        SIZE size{};
        GetTextExtentPoint32A(screen, captions[i], static_cast<int>(std::strlen(captions[i])), &size);
        panel.Add<TNvLabel>(captions[i], RECT{x, 11, x + size.cx, 27});
        x += size.cx + 8;
        TNvEdit& edit = panel.Add<TNvEdit>(TNvEdit::kStyle | ES_NUMBER);
        edit.Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
        edit.SetBounds(x, 7, widths[i], 24);
        SendMessageA(edit.Handle(), EM_LIMITTEXT, limits[i], 0);
        edit.OnChange = [this] {
            bool filled = true;
            for (TNvEdit* e : edits_)
                filled = filled && e && GetWindowTextLengthA(e->Handle()) > 0;
            EnableWindow(calculate_->Handle(), filled);
        };
        edits_[i] = &edit;
        x += widths[i] + 8;
    }
    ReleaseDC(nullptr, screen);
    calculate_ = &panel.Add<TNvButton>("&Calculate", TNvButton::kStyle | BS_DEFPUSHBUTTON);
    calculate_->SetBounds(Tool.DefaultWidth - 8 - 74, 7, 74, 24);
    calculate_->SetAnchors(kAnchorRight | kAnchorTop);
    calculate_->OnClick = [this] { Calculate(); };

    list_ = &Add<TNvListBox>(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                             LBS_NOINTEGRALHEIGHT);
    list_->Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
    list_->SetAlign(TAlign::Client);
    list_->DoubleBuffered = true;
    list_->OnDrawItem = [this](const TDrawItemEvent& event) { DrawRow(event); };
    list_->OnDblClick = [this](const TMouseEvent&) {
        if (mode_ == kStats)
            CopyRow();
        else if (mode_ == kCountDown)
            EditSlot();
    };
    for (int i = 0; i < kDateCalcRows; ++i)
        list_->AddItem("");
    OnTimer = [this](UINT_PTR id) {
        if (id == kModeTimer)
            Tick();
    };
    ActiveControl = list_;

    AddMenu("&Main", kMainMenu);
    AddMenu("&Display", kDisplayMenu);
    AddMenu("&Navigate", kNavigateMenu);
    AddMenu("&Offsets", kOffsetsMenu);
    AddMenu("&Help", kHelpMenu);

    slots_.Load(StatsIni(), kCountDownSection, AppLocale());
    WhenChanged(SavedDate, [this] {
        const double saved = static_cast<double>(SavedDate->Value());
        const TDateTimeParts p = DecodeDateTime(saved);
        slots_[TCountdownSlots::kSavedDateSlot] = {
            "Saved Date",
            Format("%.4d/%.2d/%.2d %.2d:%.2d:%.2d.%.3d",
                   {p.year, p.month, p.day, p.hour, p.minute, p.second, p.millisecond}),
            saved};
        UpdateStats();
    });
    WhenChanged(DatesInHex, [this] {
        MainMenu()->SetChecked(kHex, DatesInHex->Value());
        UpdateStats();
    });
    WhenChanged(FontVariable, [this] {
        const int rowHeight = std::abs(FontVariableLog().lfHeight) + 7;
        list_->SetItemHeight(rowHeight);
        const RECT client = ClientRect();
        const RECT listClient = list_->ClientRect();
        SetClientSize(Tool.DefaultWidth, kDateCalcRows * rowHeight + (client.bottom - listClient.bottom));
    });
    SetDate(AppClock().Now());
    SelectMode(kStats);
}

void TFormDateCalc::SetDate(double date) {
    if (!IsCalendarDay(date))
        return;
    date_ = date;
    UpdateStats();
    const TDateTimeParts p = DecodeDateTime(date);
    const int parts[] = {p.year, p.month, p.day};
    for (int i = 0; i < 3; ++i)
        edits_[i]->SetText(std::to_string(parts[i]));
}

void TFormDateCalc::UpdateStats() {
    stats_ = StatsValues({date_, static_cast<double>(SavedDate->Value()), AppClock().Now(), DatesInHex->Value()},
                         AppLocale());
    if (mode_ == kStats)
        list_->Invalidate();
}

void TFormDateCalc::SelectMode(TMode mode) {
    if (mode_ != kModeCount)
        savedIndex_[mode_] = list_->ItemIndex();
    mode_ = mode;
    EnableWindow(list_->Handle(), mode != kTimePct);  // the percentages only show
    list_->SetItemIndex(savedIndex_[mode]);
    KillTimer(Handle(), kModeTimer);
    if (kIntervals[mode] != 0)
        SetTimer(Handle(), kModeTimer, kIntervals[mode], nullptr);
    Tick();
    for (const uint16_t command : {kShowStats, kShowPercent, kShowCountDown})
        MainMenu()->SetChecked(command, command == kShowStats + static_cast<int>(mode));
    if (mode != kTimePct)
        list_->SetFocus();
}

void TFormDateCalc::Tick() {
    if (mode_ == kTimePct)
        percents_ = TimePercentages(AppClock().Now());
    InvalidateRect(list_->Handle(), nullptr, FALSE);
}

void TFormDateCalc::Fail(const std::string& message) {
    MsgBox(message, Tool.Title, MB_ICONERROR, Handle());
}

bool TFormDateCalc::Ask(const std::string& prompt, std::string& value) {
    return InputBox(Handle(), prompt, value, nullptr, CaptionText.c_str());
}

void TFormDateCalc::Calculate() {
    int parts[3] = {};
    for (int i = 0; i < 3; ++i)
        parts[i] = StrToIntDef(edits_[i]->Text(), 0);
    if (!IsValidDate(parts[0], parts[1], parts[2]))
        return Fail("Invalid argument to date encode");
    const double day = EncodeDate(parts[0], parts[1], parts[2]);
    const double time = std::fabs(date_ - std::trunc(date_));
    SetDate(day < 0 ? day - time : day + time);
}

void TFormDateCalc::SetTimePortion() {
    const TDateTimeParts p = DecodeDateTime(date_);
    std::string text = Format("%.2d:%.2d:%.2d.%.3d", {p.hour, p.minute, p.second, p.millisecond});
    if (!InputBox(Handle(), "Enter the new time portion, or leave empty for zero...", text))
        return;
    const double whole = std::trunc(date_);
    if (text.find_first_not_of(" \t") == std::string::npos)
        return SetDate(whole);
    double time = 0;  // read as a time of the first day
    if (!ParseDateTime("1899/12/30 " + text, AppLocale(), time))
        return Fail("'" + text + "' is not a valid time");
    SetDate(whole < 0 || (whole == 0 && date_ < 0) ? whole - time : whole + time);
}

void TFormDateCalc::CopyOleHex() {
    unsigned char bytes[sizeof(double)];
    std::memcpy(bytes, &date_, sizeof bytes);
    std::string text = "0x";
    for (const unsigned char b : bytes)
        text += Format("%.2x", {static_cast<unsigned>(b)});
    SetClipboardText(Handle(), text);
}

// Beyond the calendar there is no date to show: such a number counts as unreadable.
void TFormDateCalc::InputOle() {
    std::string text = std::to_string(static_cast<long long>(std::trunc(date_)));
    if (!Ask("&Input OLE Date...", text))
        return;
    long double value = 0;
    if (!TryTextToFloat(text, value, AppLocale().DecimalSeparator()) || !IsCalendarDay(static_cast<double>(value)))
        return Fail("'" + text + "' is not a valid floating point value");
    SetDate(static_cast<double>(value));
}

void TFormDateCalc::InputDos() {
    const uint32_t packed = DecodeDateInfo(date_).DosDate;
    std::string text = Format("%s%.4x", {"0x", packed >> 16});
    if (!Ask("&Input DOS Date...", text))
        return;
    // More than the 16 bits of the date half would land on some other date.
    int32_t half = 0;
    double date = 0;
    if (!TryStrToInt(text, half) || half < 0 || half > 0xFFFF ||
        !UnpackDosDateTime(static_cast<uint32_t>(half) << 16, date))
        return Fail("Invalid argument to date encode");
    SetDate(date);
}

// The Unix Date row's own reading both ways: the moment in UTC, the date shown in local time, 64 bits wide.
void TFormDateCalc::InputUnix() {
    const TDateInfo info = DecodeDateInfo(date_);
    std::string text = Format("%s%.4x", {"0x", static_cast<uint64_t>(info.HasUnixTime ? info.UnixTime : 0)});
    if (!Ask("&Input Unix Date...", text))
        return;
    int64_t seconds = 0;
    if (!TryStrToInt64(text, seconds))
        return Fail("'" + text + "' is not a valid integer value");
    TDateTimeParts local{};
    if (!SystemTimeZone().UnixToLocal(seconds, local) || !IsValidDate(local.year, local.month, local.day))
        return Fail("Invalid argument to date encode");
    SetDate(EncodeDateTime(local.year, local.month, local.day, local.hour, local.minute, local.second, 0));
}

void TFormDateCalc::CopyRow() {
    const int row = list_->ItemIndex();
    const std::string text = StatsCopyText(stats_, row);
    if (!text.empty())
        SetClipboardText(Handle(), text);
}

void TFormDateCalc::EditSlot() {
    const int row = list_->ItemIndex();
    if (row < 0 || row >= kDateCalcRows)
        return;
    TCountdownSlot& slot = slots_[row];
    std::string name = slot.Name;
    if (!InputBox(Handle(), "Enter the name of this countdown timer...", name))
        return;
    slot.Name = name;
    std::string text = slot.DateText;
    if (InputBox(Handle(), "When is the date for this countdown (yyyy/mm/dd hh:mm:ss[am/pm])...", text)) {
        double date = 0;
        if (ParseDateTime(text, AppLocale(), date)) {
            slot.Date = date;
            slot.DateText = text;
        } else {
            Fail("Invalid date format");
        }
    }
    list_->Invalidate();
}

void TFormDateCalc::FormKeyDown(TKeyEvent& event) {
    const bool inList = GetFocus() == list_->Handle();
    const TShiftState s = event.shift;
    const int row = list_->ItemIndex();
    if (event.key == VK_RETURN && !inList && !s.ctrl && !s.alt) {
        if (IsWindowEnabled(calculate_->Handle()))
            Calculate();
    } else if (inList && s.ctrl && !s.alt && event.key == 'C' && mode_ == kStats) {
        CopyRow();
    } else if (inList && mode_ == kCountDown && row >= 0 && s.ctrl && event.key == VK_RETURN) {
        EditSlot();
    } else if (inList && mode_ == kCountDown && row >= 0 && s.ctrl && event.key == 'C') {
        if (!slots_[row].Name.empty() && !slots_[row].DateText.empty())
            SetClipboardText(Handle(), slots_[row].Name + " @ " + slots_[row].DateText);
    } else if (inList && mode_ == kCountDown && row >= 0 && !s.ctrl && !s.alt && !s.shift && event.key == VK_DELETE) {
        slots_[row] = {};
        list_->Invalidate();
    } else if (inList && mode_ == kCountDown && s.shift && (event.key == VK_UP || event.key == VK_DOWN)) {
        if (slots_.Swap(row, row + (event.key == VK_UP ? -1 : 1)))
            list_->Invalidate();
        return;  // the list moves its selection along
    } else {
        TKoUtilForm::FormKeyDown(event);
        return;
    }
    ConsumeKey(event);
}

LRESULT TFormDateCalc::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        KillTimer(Handle(), kModeTimer);
        slots_.Save(StatsIni(), kCountDownSection);
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}

void TFormDateCalc::DrawRow(const TDrawItemEvent& event) {
    if (event.index < 0 || event.index >= kDateCalcRows)
        return;
    const HDC dc = event.dc;
    SetBkMode(dc, TRANSPARENT);
    switch (mode_) {
        case kStats:
            DrawStatsRow(dc, event.rect, event.index);
            break;
        case kTimePct:
            DrawPercentRow(dc, event.rect, event.index);
            break;
        default:
            DrawCountdownRow(dc, event.rect, event.index);
            break;
    }
    if (event.selected && mode_ != kTimePct) {
        SetBkColor(dc, RGB(0, 0, 0));
        SetTextColor(dc, ~ThemeColors.text & 0xFFFFFF);
        DrawFocusRect(dc, &event.rect);
    }
}

namespace {
void PutText(HDC dc, RECT r, const std::string& text, TColor color, UINT align) {
    SetTextColor(dc, color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
}  // namespace

void TFormDateCalc::DrawStatsRow(HDC dc, RECT r, int row) {
    const bool odd = row % 2 == 1;
    FillSolid(dc, r, odd ? ThemeColors.mark : ThemeColors.back);
    InflateRect(&r, -4, 0);
    const std::string& value = stats_[static_cast<size_t>(row)];
    if (value.empty()) {
        const TPenHandle pen(CreatePen(PS_SOLID, 1, HsvToColor(220, 0.75, 0.75)));
        const TSelectObject selected(dc, pen.get());
        const int middle = (r.top + r.bottom) / 2;
        MoveToEx(dc, r.left, middle, nullptr);
        LineTo(dc, r.right, middle);
        return;
    }
    PutText(dc, r, kStatsLabels[row], odd ? ThemeColors.markText : ThemeColors.text, DT_LEFT);
    PutText(dc, r, value, odd ? ThemeColors.markText : kValueColor, DT_RIGHT);
}

void TFormDateCalc::DrawPercentRow(HDC dc, RECT r, int row) {
    FillSolid(dc, r, ThemeColors.back);
    if (row % 3 == 0)
        return;
    const TPercentEntry& e = percents_[static_cast<size_t>((row + 2) / 3 - 1)];
    if (row % 3 == 1) {
        SetTextColor(dc, ThemeColors.text);
        const std::string label = Format("%s %.2d", {e.Label, e.Value});
        TextOutA(dc, r.left + 18, r.top + 1, label.c_str(), static_cast<int>(label.size()));
        RECT right = r;
        right.right -= 18;
        PutText(dc, right, Format("%.4f%%", {e.Fraction * 100}), ThemeColors.text, DT_RIGHT);
        return;
    }
    InflateRect(&r, -18, -4);
    const TPenHandle pen(CreatePen(PS_SOLID, 1, ThemeColors.text));
    const TSelectObject selectedPen(dc, pen.get());
    const TSelectObject hollow(dc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    r.right = r.left + static_cast<int>(std::lround((r.right - r.left) * e.Fraction));
    FillSolid(dc, r, HsvToColor((100 - e.Fraction) * 120 + hueOffset_, 0.5, 0.75));
}

void TFormDateCalc::DrawCountdownRow(HDC dc, RECT r, int row) {
    const bool odd = row % 2 == 1;
    FillSolid(dc, r, odd ? ThemeColors.mark : ThemeColors.back);
    const TCountdownSlot& slot = slots_[row];
    if (slot.Name.empty() && slot.DateText.empty())
        return;
    InflateRect(&r, -4, 0);
    const TColor color = odd ? ThemeColors.markText : ThemeColors.text;
    PutText(dc, r, slot.Name, color, DT_LEFT);
    PutText(dc, r, slots_.RowText(row, AppClock().Now()), color, DT_RIGHT);
}
