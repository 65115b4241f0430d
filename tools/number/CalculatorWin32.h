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

    void EvaluateExpression();

  protected:
    void FormShown() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static const TCommand<TFormCalc> kMenu[];
    static const TCommand<TFormCalc> kKeys[];

    void Recolor();
    void Paste();
    void StepHistory(bool back);
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
