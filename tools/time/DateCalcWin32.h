#pragma once
#include <array>

#include "core/KoUtilFormWin32.h"
#include "core/NvButtonWin32.h"
#include "core/NvEditWin32.h"
#include "core/NvListBoxWin32.h"
#include "core/NvPanelWin32.h"
#include "tools/time/DateCalcDisplayModes.h"

// A date to examine in 19 rows: its calendar facts and stored forms, how far the present moment has gone, or
// named count-downs. Dates are typed, stepped by days and months, jumped to epochs or read in OLE, DOS and Unix form.
class TFormDateCalc : public TKoUtilForm {
  public:
    explicit TFormDateCalc(TWinControl* owner);

    TConfigVarFloat* SavedDate = nullptr;
    TConfigVarBool* DatesInHex = nullptr;

    enum TMode { kStats, kTimePct, kCountDown, kModeCount };
    double Date() const { return date_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    static const TCommand<TFormDateCalc> kMainMenu[];
    static const TCommand<TFormDateCalc> kDisplayMenu[];
    static const TCommand<TFormDateCalc> kNavigateMenu[];
    static const TCommand<TFormDateCalc> kOffsetsMenu[];
    static const TCommand<TFormDateCalc> kHelpMenu[];
    static constexpr UINT_PTR kModeTimer = 1;

    void SetDate(double date);
    void UpdateStats();
    void SelectMode(TMode mode);
    void Tick();
    void Calculate();
    void SetTimePortion();
    void CopyOleHex();
    void InputOle();
    void InputDos();
    void InputUnix();
    bool Ask(const std::string& prompt, std::string& value);
    void Fail(const std::string& message);
    void DrawRow(const TDrawItemEvent& event);
    void DrawStatsRow(HDC dc, RECT r, int row);
    void DrawPercentRow(HDC dc, RECT r, int row);
    void DrawCountdownRow(HDC dc, RECT r, int row);
    void CopyRow();
    void EditSlot();

    std::array<TNvEdit*, 3> edits_{};
    TNvButton* calculate_ = nullptr;
    TNvListBox* list_ = nullptr;
    double date_ = 0;
    TDateCalcTexts stats_;
    std::array<TPercentEntry, 6> percents_{};
    int hueOffset_ = 0;
    TCountdownSlots slots_;
    TMode mode_ = kModeCount;  // none until the first is chosen
    std::array<int, kModeCount> savedIndex_{-1, -1, -1};
};
