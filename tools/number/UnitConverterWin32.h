#pragma once
#include <vector>

#include "core/KoUtilFormWin32.h"
#include "core/NvButtonWin32.h"
#include "core/NvEditWin32.h"
#include "core/NvListBoxWin32.h"
#include "core/NvMenuWin32.h"
#include "tools/number/ExpressionEditWin32.h"
#include "tools/number/StringCalculator.h"
#include "tools/number/UnitConverters.h"
#include "tools/number/UnitInterpretation.h"

class TUnitTree;

// A quantity with a unit converted into every unit of its group, with an optional tree of all units.
class TFormUnitConvert : public TKoUtilForm {
  public:
    explicit TFormUnitConvert(TWinControl* owner);
    ~TFormUnitConvert() override;

    TConfigVarStr* LastInput = nullptr;
    TConfigVarBool* IgnoreBaseUnit = nullptr;
    TConfigVarBool* LongUnitTitles = nullptr;
    TConfigVarBool* TrimTrailingZeros = nullptr;
    TConfigVarBool* VerboseMode = nullptr;
    TConfigVarBool* ShowUnitPanel = nullptr;
    TConfigVarInt* DecimalPrecision = nullptr;

    void ConfigChanged(TConfigVar& var) override;
    void Convert();
    void Reload();

  protected:
    void FormKeyDown(TKeyEvent& event) override;
    void FormShown() override;

  private:
    void MenuClick(const TNvMenuItem& item);
    void DrawLine(const TDrawItemEvent& event);
    void LineClicked();
    void Layout();

    TUnitConverterManager units_;
    TStringCalculator calculator_;
    std::vector<TInterpretLine> lines_;
    TNvButton* convert_ = nullptr;
    TExpressionEdit* input_ = nullptr;
    TNvListBox* list_ = nullptr;
    TUnitTree* tree_ = nullptr;
    TNvEdit* formula_ = nullptr;
    TNvMainMenu* menu_ = nullptr;
    TFontHandle headerFont_;
    int rowHeight_ = 18;
};
