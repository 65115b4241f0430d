#include "tools/time/StopWatchWin32.h"

#include <mmsystem.h>

#include "core/KoDialogsWin32.h"
#include "core/KoLibWin32.h"
#include "core/NvRules.h"

namespace {
enum : uint16_t { kSimpleTimer = 1, kCountDownTimer, kFullScreen, kRename, kNewTimer, kQuit };
constexpr int kFooterHeight = 24;
constexpr uint32_t kSoundRepeatMs = 5000;
constexpr UINT kTickMs = 52;
}  // namespace

const TCommand<TFormStopWatch> TFormStopWatch::kMenu[] = {
    {{kSimpleTimer, VK_F1, "&Simple Timer", kMenuRadio, -1}, [](TFormStopWatch& f) { f.NewTimer(false); }},
    {{kCountDownTimer, VK_F2, "&Count Down Timer", kMenuRadio, -1}, [](TFormStopWatch& f) { f.NewTimer(true); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kFullScreen, 'F', "Toggle &Full Screen", 0, -1}, [](TFormStopWatch& f) { f.WindowMaxed->Toggle(); }},
    {{kRename, 'R', "&Rename Timer...", 0, -1}, [](TFormStopWatch& f) { f.Rename(); }},
    {{kNewTimer, 'N', "&New Timer...", 0, -1}, [](TFormStopWatch& f) { f.NewWindow(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kQuit, kShortCutAlt | 'Q', "&Quit", 0, -1}, [](TFormStopWatch& f) { f.Close(); }},
};

TFormStopWatch::TFormStopWatch(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kStopWatchIndex)) {
    TEasyConfig& c = Config();
    CountdownTime = &TConfigVarInt::Define(c, Tool.Key, 300000, "countdown_time");
    DisplayFont = &TConfigVarStr::Define(c, Tool.Key, "\"Verdana\" 36", "display_font");
    CountdownSoundFile = &TConfigVarStr::Define(c, Tool.Key, "countdown.wav", "countdown_soundfile");
    footerFont_.reset(StrToFont("\"Segoe UI\" 8"));
    OnResize = [this] { Relayout(); };
    OnTimer = [this](UINT_PTR id) {
        if (id == kTickTimer)
            Tick();
    };
    menu_ = &AddPopupMenu(kMenu);
    WhenChanged(DisplayFont, [this] {
        if (timer_) {
            timerFont_.reset(StrToFont(DisplayFont->Value()));
            DrawDisplay();
        }
    });
    NewTimer(false);
}

TFormStopWatch::~TFormStopWatch() {
    if (Handle())
        KillTimer(Handle(), kTickTimer);
}

// A new timer is idle: no ticks, no half-typed entry, the window's own caption.
void TFormStopWatch::NewTimer(bool countDown) {
    if (Handle())
        KillTimer(Handle(), kTickTimer);
    entry_.Forget();
    if (countDown) {
        auto timer = std::make_unique<TStopWatchCountDown>();
        timer->SetDuration(CountdownTime->Value());
        timer_ = std::move(timer);
    } else {
        timer_ = std::make_unique<TStopWatchCountUp>();
    }
    timerFont_.reset(StrToFont(DisplayFont->Value()));
    menu_->SetChecked(kSimpleTimer, !countDown);
    menu_->SetChecked(kCountDownTimer, countDown);
    Relayout();
    Tick();
}

void TFormStopWatch::StartTimer() {
    timer_->Start();
    nextSoundTick_ = 0;
    SetTimer(Handle(), kTickTimer, kTickMs, nullptr);
    PostMessageA(Handle(), WM_TIMER, kTickTimer, 0);
}

void TFormStopWatch::StopTimer() {
    timer_->Stop();
    KillTimer(Handle(), kTickTimer);
    PostMessageA(Handle(), WM_TIMER, kTickTimer, 0);
}

void TFormStopWatch::Tick() {
    const int64_t elapsed = timer_->Elapsed();
    const std::string caption =
        timer_->State() == TStopWatch::kIdle ? CaptionText : timer_->Name + " - " + FormatElapsed(elapsed);
    if (caption != caption_)
        SetText(caption_ = caption);
    const uint32_t now = AppClock().TickCount();
    // A paused alarm stays quiet.
    if (timer_->IsCountDown && timer_->State() == TStopWatch::kRunning && elapsed < 0 &&
        (nextSoundTick_ == 0 || static_cast<int32_t>(now - nextSoundTick_) >= 0)) {
        const std::string sound = CountdownSoundFile->Value();
        if (FileExists(sound)) {
            nextSoundTick_ = now + kSoundRepeatMs;
            PlaySoundA(sound.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
        }
    }
    DrawDisplay();
}

void TFormStopWatch::Relayout() {
    RECT client{};
    GetClientRect(Handle(), &client);
    canvas_.SetSize(client.right, client.bottom);
    footerRect_ = {0, client.bottom - kFooterHeight, client.right, client.bottom};
    displayRect_ = {0, 0, client.right, client.bottom - kFooterHeight};
    DrawDisplay();
    DrawFooter();
}

void TFormStopWatch::DrawDisplay() {
    if (!timer_ || !canvas_.DC())
        return;
    const HDC dc = canvas_.DC();
    FillSolid(dc, displayRect_, timer_->Color);
    const TSelectObject font(dc, timerFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT r = displayRect_;
    const std::string text = FormatElapsed(timer_->Elapsed());
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    InvalidateRect(Handle(), &displayRect_, FALSE);
}

void TFormStopWatch::DrawFooter() {
    if (!timer_ || !canvas_.DC())
        return;
    const HDC dc = canvas_.DC();
    FillRect(dc, &footerRect_, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const TSelectObject font(dc, footerFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT r = footerRect_;
    InflateRect(&r, -8, 0);
    constexpr UINT kLine = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    DrawTextA(dc, "Enter = Start / Stop", -1, &r, kLine | DT_LEFT);
    DrawTextA(dc, "Space = Pause", -1, &r, kLine | DT_RIGHT);
    DrawTextA(dc, timer_->Name.c_str(), -1, &r, kLine | DT_CENTER);
    InvalidateRect(Handle(), &footerRect_, FALSE);
}

void TFormStopWatch::Rename() {
    std::string name = timer_->Name;
    if (InputBox(Handle(), "Enter a new name for the current timer...", name)) {
        timer_->Name = name;
        DrawFooter();
    }
}

// The new window starts with this one's settings.
void TFormStopWatch::NewWindow() {
    Config().Save();
    LaunchTool(Tool);
}

void TFormStopWatch::SetCountdown(int64_t ms) {
    if (ms < 0 || !timer_->IsCountDown)
        return;
    timer_->Reset();
    CountdownTime->SetValue(static_cast<int32_t>(ms));
    static_cast<TStopWatchCountDown&>(*timer_).SetDuration(ms);
    DrawDisplay();
}

void TFormStopWatch::SetSize(int percent) {
    WindowMaxed->SetValue(false);
    WindowWidth->SetValue(Tool.DefaultWidth * percent / 100);
    WindowHeight->SetValue(Tool.DefaultHeight * percent / 100);
}

void TFormStopWatch::FormKeyDown(TKeyEvent& event) {
    const bool typing = timer_->IsCountDown && timer_->State() == TStopWatch::kIdle;
    const WORD key = event.key;
    const uint32_t now = AppClock().TickCount();
    const bool plain = !event.shift.alt && !event.shift.ctrl && !event.shift.shift;
    if (key == VK_ESCAPE && plain) {
        timer_->Reset();
        entry_.Forget();
        DrawDisplay();
    } else if (key == VK_RETURN && plain) {
        switch (timer_->State()) {
            case TStopWatch::kIdle:
                StartTimer();
                break;
            case TStopWatch::kRunning:
                StopTimer();
                break;
            case TStopWatch::kPaused:
                timer_->TogglePause();
                break;
        }
    } else if (key == VK_SPACE && plain) {
        timer_->TogglePause();
    } else if (event.shift.alt && key >= '1' && key <= '4') {  // the sizes win over typing, or Alt+3 would type 3
        SetSize(100 + 20 * (key - '1'));
    } else if (typing && ((key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9))) {
        const char digit = static_cast<char>(key >= VK_NUMPAD0 ? '0' + (key - VK_NUMPAD0) : key);
        SetCountdown(entry_.TypeDigit(digit, now));
    } else if (typing && key == VK_DECIMAL) {
        SetCountdown(entry_.TypePoint(now));
    } else {
        TKoUtilForm::FormKeyDown(event);
        return;
    }
    ConsumeKey(event);
}

LRESULT TFormStopWatch::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            canvas_.Paint(Handle());
            return 0;
        case WM_CONTEXTMENU:
            menu_->PopupFor(lParam, Handle());
            return 0;
        case WM_CLOSE:
            if (timer_->State() == TStopWatch::kRunning &&
                MsgBox("A timer is currently in progress, do you still wish to close?", "Close Warning",
                       MB_OKCANCEL | MB_ICONQUESTION, Handle()) != IDOK)
                return 0;
            break;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
