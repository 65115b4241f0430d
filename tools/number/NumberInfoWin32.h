#pragma once
#include "core/KoUtilFormWin32.h"
#include "core/NvButtonWin32.h"
#include "core/NvComboBoxWin32.h"
#include "core/NvEditWin32.h"
#include "core/NvRichOutputWin32.h"
#include "tools/number/NumberInfoSystemWin32.h"

// Shows the lines in the output as the window does: lists in rows of the output's width, a long output in steps.
void ShowInfoLines(TNvRichOutput& output, const TInfoLines& lines);

// Runs one of eight queries on a 32-bit number and writes the coloured answer with the time it took.
class TFormNumInfo : public TKoUtilForm {
  public:
    explicit TFormNumInfo(TWinControl* owner);

    TConfigVarInt* QueryIndex = nullptr;
    TConfigVarInt* QueryValue = nullptr;

    void RunQuery();
    void Calculate();

  protected:
    void AfterConstruction() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static const TCommand<TFormNumInfo> kKeys[];

    void Show(TInfoLines lines);
    static bool HasLongList(const TInfoLines& lines);

    TNvButton* button_ = nullptr;
    TNvEdit* number_ = nullptr;
    TNvComboBox* query_ = nullptr;
    TNvRichOutput* output_ = nullptr;
    TWin32SystemMessages system_;
    int64_t frequency_;
    bool calculating_ = false;
    TInfoLines shownLines_;  // the last answer, uncut, for showing it again at another width
    int shownColumns_ = 0;
};
