#pragma once
#include <vector>

#include "core/KoUtilFormWin32.h"
#include "core/NvButtonWin32.h"
#include "core/NvEditWin32.h"
#include "core/NvListBoxWin32.h"
#include "core/NvMenuWin32.h"
#include "core/NvPanelWin32.h"
#include "core/NvSplitterWin32.h"
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

    void Convert();
    void Reload();

  protected:
    void FormShown() override;

  private:
    static const TCommand<TFormUnitConvert> kMainMenu[];
    static const TCommand<TFormUnitConvert> kOptionsMenu[];
    static const TCommand<TFormUnitConvert> kKeys[];

    void AskPrecision();
    void DrawLine(const TDrawItemEvent& event);
    void LineClicked();
    void ShowUnitPanelChanged();
    void FillTreeWhenShown();

    TUnitConverterManager units_;
    TStringCalculator calculator_;
    std::vector<TInterpretLine> lines_;
    TNvPanel* top_ = nullptr;
    TNvButton* convert_ = nullptr;
    TExpressionEdit* input_ = nullptr;
    TNvListBox* list_ = nullptr;
    TNvPanel* unitPanel_ = nullptr;
    TNvSplitter* splitter_ = nullptr;
    TUnitTree* tree_ = nullptr;
    TNvEdit* formula_ = nullptr;
    TFontHandle headerFont_;
    bool treeFilled_ = false;
};
