#include "tools/number/UnitConverterWin32.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "core/Format.h"
#include "core/KoDialogsWin32.h"
#include "core/KoLibWin32.h"
#include "core/Locale.h"
#include "tools/number/UnitConverterView.h"

namespace {
constexpr int kTopHeight = 32;
constexpr int kPanelWidth = 260;
constexpr int kSplitterWidth = 4;
constexpr int kFormulaHeight = 22;

enum : uint16_t { kReload = 1, kQuit, kLongTitles, kPrecision, kTrimZeros, kVerbose, kShowPanel };

}  // namespace

// The groups and units of the manager as a tree.
class TUnitTree : public TWinControl {
  public:
    explicit TUnitTree(TWinControl* owner) : TWinControl(owner) {
        TCreateArgs args;
        args.className = WC_TREEVIEWA;
        args.style =
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
        args.exStyle = WS_EX_CLIENTEDGE;
        CreateHandle(args);
    }

    void Fill(const TUnitConverterManager& units) {
        SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
        TreeView_DeleteAllItems(Handle());
        // Groups sorted by name without regard to case; files of the same group merge.
        std::map<std::string, std::vector<const TUnitConverter*>> groups;
        std::map<std::string, std::string> captions;
        for (int i = 0; i < units.Count(); ++i) {
            const TUnitConverter& unit = units.Item(i);
            const std::string key = UpperCase1252(unit.Group());
            groups[key].push_back(&unit);
            captions.emplace(key, unit.Group());
        }
        for (const auto& [key, members] : groups) {
            const std::string caption = Format("%s (%d)", {captions[key], static_cast<int>(members.size())});
            HTREEITEM group = Insert(TVI_ROOT, caption);
            for (const TUnitConverter* unit : members) {
                HTREEITEM node = Insert(group, unit->Name());
                for (const std::string& alias : unit->Aliases())
                    Insert(node, alias);
            }
        }
        SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
        Invalidate();
    }

  private:
    HTREEITEM Insert(HTREEITEM parent, const std::string& text) {
        TVINSERTSTRUCTA item{};
        item.hParent = parent;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT;
        item.item.pszText = const_cast<char*>(text.c_str());
        return reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
};

const TCommand<TFormUnitConvert> TFormUnitConvert::kMainMenu[] = {
    {{kReload, VK_F5, "&Reload Entries", 0, -1}, [](TFormUnitConvert& f) { f.Reload(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kQuit, 0x8000 | 'Q', "&Quit", 0, -1}, [](TFormUnitConvert& f) { f.Close(); }},
};
const TCommand<TFormUnitConvert> TFormUnitConvert::kOptionsMenu[] = {
    {{kLongTitles, VK_F7, "&Long Unit Titles", 0, -1}, [](TFormUnitConvert& f) { f.LongUnitTitles->Toggle(); }},
    {{kPrecision, VK_F8, "Set Decimal &Precision...", 0, -1}, [](TFormUnitConvert& f) { f.AskPrecision(); }},
    {{kTrimZeros, 0x4000 | 'T', "Trim Trailing &Zeros", 0, -1},
     [](TFormUnitConvert& f) { f.TrimTrailingZeros->Toggle(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kVerbose, 0, "Toggle &Verbose", 0, -1}, [](TFormUnitConvert& f) { f.VerboseMode->Toggle(); }},
    {{kShowPanel, VK_F9, "Show &Advanced Panel", 0, -1}, [](TFormUnitConvert& f) { f.ShowUnitPanel->Toggle(); }},
};
const TCommand<TFormUnitConvert> TFormUnitConvert::kKeys[] = {
    {{0, VK_RETURN, nullptr, 0, -1}, [](TFormUnitConvert& f) { f.LastInput->SetValue(f.input_->Text()); }},
    {{0, VK_ESCAPE, nullptr, 0, -1}, [](TFormUnitConvert& f) { f.input_->SetText(""); }},
    {{0, 0x4000 | 'B', nullptr, 0, -1}, [](TFormUnitConvert& f) { f.input_->WrapSelectionInBrackets(); }},
};

TFormUnitConvert::TFormUnitConvert(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kUnitConverterIndex)) {
    TEasyConfig& c = Config();
    const std::string ns = Tool.Key;
    LastInput = &TConfigVarStr::Define(c, ns, "23 km", "last_input");
    IgnoreBaseUnit = &TConfigVarBool::Define(c, ns, false, "ignore_base_unit");
    LongUnitTitles = &TConfigVarBool::Define(c, ns, true, "long_unit_titles");
    TrimTrailingZeros = &TConfigVarBool::Define(c, ns, true, "trim_trailing_zeros");
    VerboseMode = &TConfigVarBool::Define(c, ns, false, "verbose_mode");
    ShowUnitPanel = &TConfigVarBool::Define(c, ns, false, "show_unit_panel");
    DecimalPrecision = &TConfigVarInt::Define(c, ns, 4, "decimal_precision");
    DecimalPrecision->SetMin(0);
    DecimalPrecision->SetMax(18);

    top_ = &Add<TNvPanel>();
    top_->SetBounds(0, 0, 0, kTopHeight);
    top_->SetAlign(TAlign::Top);
    convert_ = &top_->Add<TNvButton>("&Convert");
    convert_->Tag = kTagVariableFont;
    convert_->SetBounds(4, 4, 80, 24);
    convert_->OnClick = [this] { LastInput->SetValue(input_->Text()); };
    input_ = &top_->Add<TExpressionEdit>(false);
    input_->SetBounds(88, 4, top_->ClientRect().right - 92, 24);
    input_->SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    const LOGFONTA inputFont = FontSpecToLogFont("\"Verdana\" 10 b");
    input_->SetFont(TFontHandle(CreateFontIndirectA(&inputFont)));
    input_->SetTextFont(inputFont);
    input_->CharColor = [](char c, bool& marked) { return UnitInputColor(c, AppLocale().DecimalSeparator(), marked); };

    // The unit panel sits at the right edge, with the splitter to its left; the list takes the rest.
    unitPanel_ = &Add<TNvPanel>(TNvPanel::kStyle & ~WS_VISIBLE);
    unitPanel_->SetBounds(0, 0, kPanelWidth, 0);
    unitPanel_->SetAlign(TAlign::Right);
    tree_ = &unitPanel_->Add<TUnitTree>();
    tree_->SetAlign(TAlign::Client);
    formula_ = &unitPanel_->Add<TNvEdit>(TNvEdit::kStyle | ES_READONLY);
    formula_->Tag = kTagFixedFont;
    formula_->SetBounds(0, 0, 0, kFormulaHeight);
    formula_->SetAlign(TAlign::Bottom);
    splitter_ = &Add<TNvSplitter>(*unitPanel_, kSplitterWidth);
    splitter_->SetVisible(false);

    list_ = &Add<TNvListBox>(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                             LBS_NOINTEGRALHEIGHT);
    list_->Tag = kTagBackColor | kTagVariableFont;
    list_->SetAlign(TAlign::Client);
    list_->DoubleBuffered = true;
    list_->OnDrawItem = [this](const TDrawItemEvent& event) { DrawLine(event); };
    list_->OnChange = [this] { LineClicked(); };
    LOGFONTA header = FontSpecToLogFont("\"Verdana\" 7");
    headerFont_.reset(CreateFontIndirectA(&header));
    AddMenu("&Main", kMainMenu);
    AddMenu("&Options", kOptionsMenu);
    AddKeys(kKeys);
    LoadDefinitions(units_, DataFolder);

    WhenChanged(LastInput, [this] {
        if (input_->Text() != LastInput->Value()) {
            input_->SetText(LastInput->Value());
            input_->Recolor();
            const auto end = static_cast<LONG>(LastInput->Value().size());
            input_->SetSelection(end, end);
        }
        if (!LastInput->Value().empty())
            Convert();
    });
    WhenChanged(LongUnitTitles, [this] {
        MainMenu()->SetChecked(kLongTitles, LongUnitTitles->Value());
        list_->Invalidate();
    });
    WhenChanged(TrimTrailingZeros, [this] {
        MainMenu()->SetChecked(kTrimZeros, TrimTrailingZeros->Value());
        list_->Invalidate();
    });
    WhenChanged(VerboseMode, [this] { MainMenu()->SetChecked(kVerbose, VerboseMode->Value()); });
    WhenChanged(ShowUnitPanel, [this] { ShowUnitPanelChanged(); });
    WhenChanged(DecimalPrecision, [this] { list_->Invalidate(); });
    // Rows as high as the list's font (the shared variable one) needs, also after it changes.
    WhenChanged(FontVariable, [this] { list_->SetItemHeight(std::abs(FontVariableLog().lfHeight) + 5); });
}

TFormUnitConvert::~TFormUnitConvert() = default;

void TFormUnitConvert::FormShown() {
    input_->SetFocus();
}

void TFormUnitConvert::Convert() {
    list_->Clear();
    lines_.clear();
    formula_->SetText("");
    std::string fault;
    try {
        InterpretInput(units_, calculator_, LastInput->Value(), VerboseMode->Value(), lines_);
    } catch (const std::exception& error) {
        // The lines made before the fault stay, and the fault shows after them.
        fault = error.what();
        TInterpretLine line;
        line.kind = TInterpretLine::Kind::Report;
        line.text = fault;
        line.color = unitcolors::kError;
        lines_.push_back(line);
    }
    SendMessageA(list_->Handle(), WM_SETREDRAW, FALSE, 0);
    for (size_t i = 0; i < lines_.size(); ++i)
        list_->AddItem(lines_[i].kind == TInterpretLine::Kind::Result ? lines_[i].target->Name() : lines_[i].text,
                       static_cast<LPARAM>(i));
    SendMessageA(list_->Handle(), WM_SETREDRAW, TRUE, 0);
    list_->Invalidate();
    if (!fault.empty())
        MsgBox(fault, Tool.Title, MB_OK | MB_ICONERROR, Handle());
}

void TFormUnitConvert::Reload() {
    units_.Clear();
    LoadDefinitions(units_, DataFolder);
    treeFilled_ = false;
    FillTreeWhenShown();
    if (LastInput->Value().empty())  // as at start: an empty input converts nothing, not even to a fault line
        list_->Clear();
    else
        Convert();
}

// The tree is filled when the panel shows, not at every start: most runs never open it.
void TFormUnitConvert::FillTreeWhenShown() {
    if (treeFilled_ || !ShowUnitPanel->Value())
        return;
    tree_->Fill(units_);
    treeFilled_ = true;
}

void TFormUnitConvert::LineClicked() {
    const int row = list_->ItemIndex();
    std::string formula;
    if (row >= 0 && static_cast<size_t>(row) < lines_.size() && lines_[static_cast<size_t>(row)].source) {
        const TInterpretLine& line = lines_[static_cast<size_t>(row)];
        const auto* source = dynamic_cast<const TUnitConverterStr*>(line.source);
        const auto* target = dynamic_cast<const TUnitConverterStr*>(line.target);
        if (source && target) {
            formula = source->FromExpr();
            ReplaceAll(formula, "X", target->IntoExpr());
        }
    }
    formula_->SetText(formula);
}

void TFormUnitConvert::DrawLine(const TDrawItemEvent& event) {
    HDC dc = event.dc;
    RECT row = event.rect;
    FillSolid(dc, row, static_cast<TColor>((event.selected ? ColorMark : ColorBack)->Value()));
    if (event.index < 0 || static_cast<size_t>(event.index) >= lines_.size())
        return;
    const TInterpretLine& line = lines_[static_cast<size_t>(event.index)];
    SetBkMode(dc, TRANSPARENT);
    if (line.kind == TInterpretLine::Kind::Header) {
        RECT box{row.left + 2, row.top + 1, row.right - 2, row.bottom - 1};
        FillSolid(dc, box, event.selected ? BlendColor(line.color, 0, 64) : line.color);
        const TSelectObject font(dc, headerFont_.get());
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextA(dc, line.text.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    SetTextColor(dc, line.color);
    RECT text{row.left + 5, row.top, row.right - 5, row.bottom};
    if (line.kind == TInterpretLine::Kind::Result) {
        DrawTextA(dc, line.target->Name().c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        const std::string value = FormatQuantity(line.value, DecimalPrecision->Value(), TrimTrailingZeros->Value(),
                                                 AppLocale().DecimalSeparator());
        DrawTextA(dc, value.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        DrawTextA(dc, line.text.c_str(), -1, &row, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void TFormUnitConvert::AskPrecision() {
    std::string text = Format("%d", {DecimalPrecision->Value()});
    if (InputBox(Handle(), "Please Enter Decimal Precision... (0 - 18)", text))
        DecimalPrecision->SetValue(StrToIntDef(text, 18));
}

void TFormUnitConvert::ShowUnitPanelChanged() {
    const bool shown = ShowUnitPanel->Value();
    MainMenu()->SetChecked(kShowPanel, shown);
    const bool wasShown = GetWindowLongA(unitPanel_->Handle(), GWL_STYLE) & WS_VISIBLE;
    if (Ready && shown != wasShown) {  // the window grows or shrinks by the panel
        const RECT r = ClientRect();
        const RECT panel = unitPanel_->BoundsRect();
        const int delta = (panel.right - panel.left + kSplitterWidth) * (shown ? 1 : -1);
        SetClientSize(r.right + delta, r.bottom);
    }
    FillTreeWhenShown();
    unitPanel_->SetVisible(shown);
    splitter_->SetVisible(shown);
    list_->Invalidate();
}
