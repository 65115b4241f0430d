#pragma once
#include <array>

#include "core/KoUtilFormWin32.h"
#include "core/NvEditWin32.h"
#include "tools/number/NumeralForms.h"

// One value in six notations at once; typing into any row spreads a valid value to the others.
class TFormNumConvert : public TKoUtilForm {
  public:
    explicit TFormNumConvert(TWinControl* owner);

    TConfigVarNamed* FocusedNumeral = nullptr;
    TConfigVarInt* ValueAsDec = nullptr;

  protected:
    void AfterConstruction() override;
    void FormShown() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static const TCommand<TFormNumConvert> kKeys[];

    void ApplyToHex(uint32_t (*change)(uint32_t));
    void StepFocus(int delta);
    int FocusedEdit() const;
    void ShowRowText(int index);
    void ShowRowColour(int index);

    TNumeralConverter converter_;
    std::array<TWinControl*, kNumeralKindCount> labels_{};
    std::array<TNvEdit*, kNumeralKindCount> edits_{};
    bool writingText_ = false;  // our own text changes are not typing
};
