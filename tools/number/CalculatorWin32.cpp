#include "tools/number/CalculatorWin32.h"

#include <cmath>

#include "core/Format.h"
#include "core/KoDialogsWin32.h"
#include "core/KoIni.h"
#include "core/KoLibWin32.h"
#include "core/Locale.h"
#include "core/NvMemoWin32.h"
#include "tools/number/ExpressionEditWin32.h"

namespace {
constexpr TColor kBlack = 0;
constexpr int kResultHeight = 22;

enum : uint16_t {
    kClear = 1,
    kClearResult,
    kClearXyz,
    kClearHistory,
    kHex,
    kDecimal,
    kOctal,
    kBinary,
    kEditVariables,
    kHelp
};

const std::string kVariablesSection = "calculator.Variables";
const std::string kHistorySection = "calculator.History";
}  // namespace

const TCommand<TFormCalc> TFormCalc::kMenu[] = {
    {{kClear, VK_ESCAPE, "&Clear", 0, -1}, [](TFormCalc& f) { f.editor_->SetText(""); }},
    {{kClearResult, 0x4000 | 'R', "Clear Last &Result", 0, -1}, [](TFormCalc& f) { f.LastResult->SetValue(0); }},
    {{kClearXyz, 0x4000 | 'E', "Clear XYZ &Vars", 0, -1},
     [](TFormCalc& f) {
         f.VariableX->SetValue(0);
         f.VariableY->SetValue(0);
         f.VariableZ->SetValue(0);
     }},
    {{kClearHistory, 0x4000 | 'D', "Clear &History...", 0, -1},
     [](TFormCalc& f) {
         if (MsgBox("Clear the calculation history cache?", f.Tool.Title, MB_OKCANCEL | MB_ICONQUESTION, f.Handle()) !=
             IDCANCEL)
             f.history_.Clear();
     }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kHex, VK_F5, "&Hexadecimal", kMenuRadio, -1}, [](TFormCalc& f) { f.NumberSystem->SetValue(0); }},
    {{kDecimal, VK_F6, "&Decimal (Float)", kMenuRadio, -1}, [](TFormCalc& f) { f.NumberSystem->SetValue(1); }},
    {{kOctal, VK_F7, "&Octal", kMenuRadio, -1}, [](TFormCalc& f) { f.NumberSystem->SetValue(2); }},
    {{kBinary, VK_F8, "&Binary", kMenuRadio, -1}, [](TFormCalc& f) { f.NumberSystem->SetValue(3); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kEditVariables, VK_F4, "&Edit Variables...", 0, -1}, [](TFormCalc& f) { f.EditVariables(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kHelp, VK_F1, "H&elp...", 0, -1}, [](TFormCalc& f) { ShellOpen(f.DataFolder + "Parser.txt"); }},
};

// Keys with no menu item; Enter works with or without Ctrl. F11 asks for Z instead of opening the editor.
const TCommand<TFormCalc> TFormCalc::kKeys[] = {
    {{0, VK_RETURN, nullptr, 0, -1}, [](TFormCalc& f) { f.EvaluateExpression(); }},
    {{0, 0x4000 | VK_RETURN, nullptr, 0, -1}, [](TFormCalc& f) { f.EvaluateExpression(); }},
    {{0, 0x4000 | 'B', nullptr, 0, -1}, [](TFormCalc& f) { f.editor_->WrapSelectionInBrackets(); }},
    {{0, 0x4000 | 'C', nullptr, 0, -1}, [](TFormCalc& f) { SetClipboardText(f.Handle(), f.editor_->SelectedText()); }},
    {{0, 0x4000 | 'X', nullptr, 0, -1},
     [](TFormCalc& f) {
         SetClipboardText(f.Handle(), f.editor_->SelectedText());
         f.editor_->ReplaceSelection("");
     }},
    {{0, 0x4000 | 'V', nullptr, 0, -1}, [](TFormCalc& f) { f.Paste(); }},
    {{0, 0x4000 | VK_UP, nullptr, 0, -1}, [](TFormCalc& f) { f.StepHistory(true); }},
    {{0, 0x4000 | VK_DOWN, nullptr, 0, -1}, [](TFormCalc& f) { f.StepHistory(false); }},
    {{0, VK_F9, nullptr, 0, -1}, [](TFormCalc& f) { f.AskVariable(*f.VariableX, "X"); }},
    {{0, VK_F10, nullptr, 0, -1}, [](TFormCalc& f) { f.AskVariable(*f.VariableY, "Y"); }},
    {{0, VK_F11, nullptr, 0, -1}, [](TFormCalc& f) { f.AskVariable(*f.VariableZ, "Z"); }},
    {{0, VK_F2, nullptr, 0, -1},
     [](TFormCalc& f) {
         LaunchTool(ToolRecord(kNumberConverterIndex), NumberConverterArgument(f.LastResult->Value()));
     }},
};

TFormCalc::TFormCalc(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kCalculatorIndex)) {
    TEasyConfig& c = Config();
    const std::string ns = Tool.Key;
    ColorNumbers = &TConfigVarColor::Define(c, ns, 0xFF0000, "color_numbers");
    ColorSpecial = &TConfigVarColor::Define(c, ns, 0x0000FF, "color_special");
    ColorFunctions = &TConfigVarColor::Define(c, ns, 0x006000, "color_functions");
    ColorBrackets = &TConfigVarColor::Define(c, ns, 0x808080, "color_brackets");
    LastResult = &TConfigVarFloat::Define(c, ns, 0, "last_result");
    VariableX = &TConfigVarFloat::Define(c, ns, 0, "variable_x");
    VariableY = &TConfigVarFloat::Define(c, ns, 0, "variable_y");
    VariableZ = &TConfigVarFloat::Define(c, ns, 0, "variable_z");
    FontCalc = &TConfigVarStr::Define(c, ns, "\"Verdana\" 10 b", "font_calc");
    NumberSystem = &TConfigVarNamed::Define(c, ns, 1, "number_system");
    NumberSystem->SetMin(0);
    NumberSystem->SetMax(3);
    NumberSystem->Names().assign(std::begin(kNumberSystemNames), std::end(kNumberSystemNames));

    editor_ = &Add<TExpressionEdit>();
    editor_->CharColor = [this](char c, bool& marked) {
        const TCharClass charClass = CharClassOf(c, AppLocale().DecimalSeparator());
        marked = charClass == TCharClass::Other;
        return ClassColor(charClass);
    };
    editor_->SetAlign(TAlign::Client);
    result_ = &Add<TNvEdit>(WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL);
    result_->Tag = kTagBackColor;
    result_->SetBounds(0, 0, 0, kResultHeight);
    result_->SetAlign(TAlign::Bottom);
    menu_ = &AddPopupMenu(kMenu);
    AddKeys(kKeys);
    calculator_.Variables = &variables_;
    LoadLists();

    for (const TConfigVar* color : {ColorNumbers, ColorSpecial, ColorFunctions, ColorBrackets}) {
        WhenChanged(color, [this] {
            Recolor();
            result_->SetFontColor(static_cast<TColor>(ColorNumbers->Value()));
        });
    }
    WhenChanged(LastResult, [this] {
        calculator_.LastResult = LastResult->Value();
        ShowResult();
    });
    WhenChanged(VariableX, [this] { calculator_.X = VariableX->Value(); });
    WhenChanged(VariableY, [this] { calculator_.Y = VariableY->Value(); });
    WhenChanged(VariableZ, [this] { calculator_.Z = VariableZ->Value(); });
    WhenChanged(FontCalc, [this] {
        const CHARRANGE caret = editor_->Selection();
        const LOGFONTA font = FontSpecToLogFont(FontCalc->Value());
        editor_->SetFont(TFontHandle(CreateFontIndirectA(&font)));
        editor_->SetTextFont(font);
        editor_->SetSelection(caret.cpMin, caret.cpMax);
    });
    WhenChanged(NumberSystem, [this] {
        for (uint16_t id = kHex; id <= kBinary; ++id)
            menu_->SetChecked(id, id == NumberSystem->Value() + kHex);
        ShowResult();
    });
}

TFormCalc::~TFormCalc() {
    SaveLists();
}

TColor TFormCalc::ClassColor(TCharClass charClass) const {
    switch (charClass) {
        case TCharClass::Number:
            return static_cast<TColor>(ColorNumbers->Value());
        case TCharClass::Special:
            return static_cast<TColor>(ColorSpecial->Value());
        case TCharClass::Bracket:
            return static_cast<TColor>(ColorBrackets->Value());
        case TCharClass::Function:
            return static_cast<TColor>(ColorFunctions->Value());
        case TCharClass::Other:
            break;
    }
    return kBlack;
}

void TFormCalc::LoadLists() {
    TKoIni& ini = StatsIni();
    std::vector<std::string> names;
    ini.ReadSection(kVariablesSection, names);
    for (const std::string& name : names)
        variables_.Add(name, ini.ReadFloat(kVariablesSection, name, 0));
    std::vector<std::string> entries;
    static const std::string kAbsent(1, '\x1b');
    for (size_t i = 0; i < TCalcHistory::kMaxEntries; ++i) {
        const std::string entry = ini.ReadString(kHistorySection, std::to_string(i), kAbsent);
        if (entry == kAbsent)
            break;
        entries.push_back(entry);
    }
    history_.Assign(std::move(entries));
}

void TFormCalc::SaveLists() {
    if (listsSaved_)
        return;
    listsSaved_ = true;
    TKoIni& ini = StatsIni();
    const TProfileLock lock = ini.Lock();
    ini.ClearSection(kVariablesSection);
    for (int i = 0; i < variables_.Count(); ++i)
        ini.WriteFloat(kVariablesSection, variables_.Names(i), variables_.Values(i));
    ini.ClearSection(kHistorySection);
    for (size_t i = 0; i < history_.Entries().size(); ++i)
        ini.WriteString(kHistorySection, std::to_string(i), history_.Entries()[i]);
}

void TFormCalc::FormShown() {
    const LOGFONTA font = FontSpecToLogFont(FontCalc->Value());
    editor_->SetFont(TFontHandle(CreateFontIndirectA(&font)));
    editor_->SetTextFont(font);
    LOGFONTA bold{};
    GetObjectA(Font(), sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    result_->SetFont(TFontHandle(CreateFontIndirectA(&bold)));
    editor_->SetFocus();
}

void TFormCalc::ShowResult() {
    try {
        result_->SetText(FormatResult(LastResult->Value(), static_cast<TNumberSystem>(NumberSystem->Value()),
                                      AppLocale().DecimalSeparator()));
    } catch (const EInvalidResult& error) {
        result_->SetText(error.what());
    }
}

void TFormCalc::EvaluateExpression() {
    const std::string expression = editor_->Text();
    history_.Add(expression);
    try {
        const long double value = calculator_.Evaluate(expression);
        LastResult->SetValue(value);
        result_->SetText(
            FormatResult(value, static_cast<TNumberSystem>(NumberSystem->Value()), AppLocale().DecimalSeparator()));
    } catch (const ECalcStrSyntaxError& error) {
        if (error.ErrorPos != -1) {
            const auto length = static_cast<LONG>(expression.size());
            editor_->SetSelection(std::min<LONG>(error.ErrorPos - 1, length),
                                  std::min<LONG>(error.ErrorPos + error.ErrorLen - 1, length));
        }
        result_->SetText(Format("%s (%d,%d)", {error.what(), error.ErrorPos, error.ErrorLen}));
    } catch (const std::exception& error) {
        result_->SetText(error.what());
    }
}

void TFormCalc::AskVariable(TConfigVarFloat& var, const char* name) {
    std::string text;
    try {
        text = FormatResult(var.Value(), TNumberSystem::Decimal, AppLocale().DecimalSeparator());
    } catch (const EInvalidResult&) {
    }
    if (!InputBox(Handle(), std::string("Input new ") + name + " variable value...", text, nullptr, Tool.Title))
        return;
    var.SetValue(calculator_.Evaluate(text));  // a faulty text is reported by the window's error box
}

void TFormCalc::EditVariables() {
    // The variables as text: one "name<tab>value" line each; applied on Ctrl+S and on closing.
    class TVariablesEditor : public TNvForm {
      public:
        TVariablesEditor(TWinControl* owner, TFormCalc& calc) : TNvForm(owner), calc_(calc) {
            CreateForm("", WS_OVERLAPPEDWINDOW, 240, 330);
            memo_ = &Add<TNvMemo>(TNvMemo::kStyle | WS_VSCROLL);
            ActiveControl = memo_;
            memo_->SetFont(TFontHandle(CreateFontIndirectA(&calc.FontVariableLog())));
            memo_->SetColor(static_cast<TColor>(calc.ColorBack->Value()));
            memo_->SetFontColor(static_cast<TColor>(calc.ColorNumbers->Value()));
            std::string text;
            for (int i = 0; i < calc.variables_.Count(); ++i) {
                std::string value;
                try {
                    value =
                        FormatResult(calc.variables_.Values(i), TNumberSystem::Decimal, AppLocale().DecimalSeparator());
                } catch (const EInvalidResult&) {
                }
                text += calc.variables_.Names(i) + "\t" + value + "\r\n";
            }
            memo_->SetText(text);
            UpdateCaption();
            OnResize = [this] {
                const RECT r = ClientRect();
                memo_->SetBounds(0, 0, r.right, r.bottom);
            };
            OnResize();
            OnKeyDown = [this](TKeyEvent& event) {
                const TShiftState& s = event.shift;
                if (event.key == 'S' && s.ctrl && !s.shift && !s.alt) {
                    Apply();
                } else if ((event.key == VK_ESCAPE && !s.ctrl && !s.shift && !s.alt) ||
                           (event.key == 'Q' && s.alt && !s.ctrl && !s.shift)) {
                    Close();
                } else {
                    return;
                }
                event.key = 0;
                FlushKeyMessages();
            };
        }
        void Apply() {
            calc_.variables_.Clear();
            for (const auto& [name, value] : ParseVariableLines(memo_->Text(), AppLocale().DecimalSeparator()))
                calc_.variables_.SetValue(name, value);
            UpdateCaption();
        }

      protected:
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_CLOSE)
                Apply();
            return TNvForm::HandleMessage(message, wParam, lParam);
        }

      private:
        void UpdateCaption() { SetText(Format("Variables Editor - %d Vars", {calc_.variables_.Count()})); }
        TFormCalc& calc_;
        TNvMemo* memo_ = nullptr;
    };
    auto editor = std::make_unique<TVariablesEditor>(this, *this);
    editor->CenterOnScreen();
    editor->ShowModal(Handle());
}

void TFormCalc::Recolor() {
    editor_->Recolor();
}

void TFormCalc::Paste() {
    std::string clipboard;
    GetClipboardText(Handle(), clipboard);
    editor_->ReplaceSelection(PastedExpression(clipboard));
    Recolor();
}

void TFormCalc::StepHistory(bool back) {
    std::string entry;
    if (back ? history_.Back(entry) : history_.Forward(entry)) {
        editor_->SetText(entry);
        Recolor();
    }
}

LRESULT TFormCalc::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CONTEXTMENU:
            menu_->PopupFor(lParam, Handle());
            return 0;
        case WM_DESTROY:
            SaveLists();
            break;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
