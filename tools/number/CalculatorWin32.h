#pragma once
#include <memory>

#include "core/KoUtilFormWin32.h"
#include "core/NvEditWin32.h"
#include "core/NvMenuWin32.h"
#include "tools/number/CalculatorModel.h"
#include "tools/number/StringCalculator.h"

class TExpressionEdit;

// A one-line expression calculator: a syntax-coloured editor, the result in a chosen number system, stored
// values, named variables and a history, all kept between runs.
class TFormCalc : public TKoUtilForm {
  public:
    explicit TFormCalc(TWinControl* owner);
    ~TFormCalc() override;

    TConfigVarColor* ColorNumbers = nullptr;
    TConfigVarColor* ColorSpecial = nullptr;
    TConfigVarColor* ColorFunctions = nullptr;
    TConfigVarColor* ColorBrackets = nullptr;
    TConfigVarFloat* LastResult = nullptr;
    TConfigVarFloat* VariableX = nullptr;
    TConfigVarFloat* VariableY = nullptr;
    TConfigVarFloat* VariableZ = nullptr;
    TConfigVarStr* FontCalc = nullptr;
    TConfigVarNamed* NumberSystem = nullptr;

    void ConfigChanged(TConfigVar& var) override;
    void EvaluateExpression();

  protected:
    void FormKeyDown(TKeyEvent& event) override;
    void FormShown() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void MenuClick(const TNvMenuItem& item);
    void ShowResult();
    void AskVariable(TConfigVarFloat& var, const char* name);
    void EditVariables();
    void LoadLists();
    void SaveLists();
    TColor ClassColor(TCharClass charClass) const;

    TExpressionEdit* editor_ = nullptr;
    TNvEdit* result_ = nullptr;
    TNvPopupMenu* menu_ = nullptr;
    TNamedVariables variables_;
    TStringCalculator calculator_;
    TCalcHistory history_;
    bool listsSaved_ = false;
};
