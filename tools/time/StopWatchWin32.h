#pragma once
#include <memory>

#include "core/HandlesWin32.h"
#include "core/KoUtilFormWin32.h"
#include "core/MemoryCanvasWin32.h"
#include "core/NvMenuWin32.h"
#include "tools/time/StopWatchClass.h"

// One timer in large digits: a simple stop watch or a count-down typed on the keyboard, which sounds while it is
// overdue. The running time also shows in the caption.
class TFormStopWatch : public TKoUtilForm {
  public:
    explicit TFormStopWatch(TWinControl* owner);
    ~TFormStopWatch() override;

    TConfigVarInt* CountdownTime = nullptr;
    TConfigVarStr* DisplayFont = nullptr;
    TConfigVarStr* CountdownSoundFile = nullptr;

    const TStopWatch& Timer() const { return *timer_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    static const TCommand<TFormStopWatch> kMenu[];
    static constexpr UINT_PTR kTickTimer = 1;

    void NewTimer(bool countDown);
    void StartTimer();
    void StopTimer();
    void Tick();
    void Relayout();
    void DrawDisplay();
    void DrawFooter();
    void Rename();
    void NewWindow();
    void SetCountdown(int64_t ms);
    void SetSize(int percent);

    std::unique_ptr<TStopWatch> timer_;
    TFontHandle timerFont_;
    TMemoryCanvas canvas_;
    TFontHandle footerFont_;
    TCountdownEntry entry_;
    RECT displayRect_{};
    RECT footerRect_{};
    uint32_t nextSoundTick_ = 0;
    std::string caption_;
    TNvPopupMenu* menu_ = nullptr;
};
