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

const TNvMenuItem kMainItems[] = {
    {kReload, VK_F5, "&Reload Entries", 0, -1},
    {0, 0, "-", 0, -1},
    {kQuit, 0x8000 | 'Q', "&Quit", 0, -1},
};
const TNvMenuItem kOptionItems[] = {
    {kLongTitles, VK_F7, "&Long Unit Titles", 0, -1},
    {kPrecision, VK_F8, "Set Decimal &Precision...", 0, -1},
    {kTrimZeros, 0x4000 | 'T', "Trim Trailing &Zeros", 0, -1},
    {0, 0, "-", 0, -1},
    {kVerbose, 0, "Toggle &Verbose", 0, -1},
    {kShowPanel, VK_F9, "Show &Advanced Panel", 0, -1},
};
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

TFormUnitConvert::TFormUnitConvert(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(1)) {
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

    convert_ = &Add<TNvButton>("&Convert");
    convert_->Tag = kTagVariableFont;
    convert_->OnClick = [this] { LastInput->SetValue(input_->Text()); };
    input_ = &Add<TExpressionEdit>(false);
    const LOGFONTA inputFont = FontSpecToLogFont("\"Verdana\" 10 b");
    input_->SetFont(TFontHandle(CreateFontIndirectA(&inputFont)));
    input_->SetTextFont(inputFont);
    input_->CharColor = [](char c, bool& marked) { return UnitInputColor(c, AppLocale().DecimalSeparator(), marked); };
    list_ = &Add<TNvListBox>(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                             LBS_NOINTEGRALHEIGHT);
    list_->Tag = kTagBackColor;
    LOGFONTA listFont{};
    GetObjectA(Font(), sizeof listFont, &listFont);
    rowHeight_ = std::abs(listFont.lfHeight) + 5;
    list_->SetItemHeight(rowHeight_);
    list_->OnDrawItem = [this](const TDrawItemEvent& event) { DrawLine(event); };
    list_->OnChange = [this] { LineClicked(); };
    LOGFONTA header = FontSpecToLogFont("\"Verdana\" 7");
    headerFont_.reset(CreateFontIndirectA(&header));
    tree_ = &Add<TUnitTree>();
    formula_ = &Add<TNvEdit>(TNvEdit::kStyle | ES_READONLY);
    formula_->Tag = kTagFixedFont;
    menu_ = &Add<TNvMainMenu>();
    menu_->AddMenu("&Main", kMainItems, static_cast<int>(std::size(kMainItems)) - 1,
                   [this](const TNvMenuItem& item) { MenuClick(item); });
    menu_->AddMenu("&Options", kOptionItems, static_cast<int>(std::size(kOptionItems)) - 1,
                   [this](const TNvMenuItem& item) { MenuClick(item); });
    OnResize = [this] { Layout(); };
    LoadDefinitions(units_, DataFolder);
    tree_->Fill(units_);
    Layout();
}

TFormUnitConvert::~TFormUnitConvert() = default;

void TFormUnitConvert::Layout() {
    const RECT r = ClientRect();
    const bool panel = ShowUnitPanel && ShowUnitPanel->Value();
    const int listWidth = std::max(0, static_cast<int>(r.right) - (panel ? kPanelWidth + kSplitterWidth : 0));
    convert_->SetBounds(4, 4, 80, 24);
    input_->SetBounds(88, 4, std::max(40, listWidth - 92), 24);
    list_->SetBounds(0, kTopHeight, listWidth, std::max(0, static_cast<int>(r.bottom) - kTopHeight));
    tree_->SetVisible(panel);
    formula_->SetVisible(panel);
    if (panel) {
        const int left = listWidth + kSplitterWidth;
        tree_->SetBounds(left, 0, kPanelWidth, std::max(0, static_cast<int>(r.bottom) - kFormulaHeight));
        formula_->SetBounds(left, r.bottom - kFormulaHeight, kPanelWidth, kFormulaHeight);
    }
}

void TFormUnitConvert::FormShown() {
    input_->SetFocus();
}

void TFormUnitConvert::Convert() {
    list_->Clear();
    lines_.clear();
    formula_->SetText("");
    try {
        lines_ = InterpretInput(units_, calculator_, LastInput->Value(), VerboseMode->Value());
    } catch (const std::exception& error) {
        MsgBox(error.what(), Tool.Title, MB_OK | MB_ICONERROR, Handle());
    }
    SendMessageA(list_->Handle(), WM_SETREDRAW, FALSE, 0);
    for (size_t i = 0; i < lines_.size(); ++i)
        list_->AddItem(lines_[i].kind == TInterpretLine::Kind::Result ? lines_[i].target->Name() : lines_[i].text,
                       static_cast<LPARAM>(i));
    SendMessageA(list_->Handle(), WM_SETREDRAW, TRUE, 0);
    list_->Invalidate();
}

void TFormUnitConvert::Reload() {
    units_.Clear();
    LoadDefinitions(units_, DataFolder);
    tree_->Fill(units_);
    Convert();
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
    TBrushHandle back(CreateSolidBrush(static_cast<TColor>((event.selected ? ColorMark : ColorBack)->Value())));
    FillRect(dc, &row, back.get());
    if (event.index < 0 || static_cast<size_t>(event.index) >= lines_.size())
        return;
    const TInterpretLine& line = lines_[static_cast<size_t>(event.index)];
    SetBkMode(dc, TRANSPARENT);
    if (line.kind == TInterpretLine::Kind::Header) {
        RECT box{row.left + 2, row.top + 1, row.right - 2, row.bottom - 1};
        TBrushHandle fill(CreateSolidBrush(event.selected ? BlendColor(line.color, 0, 64) : line.color));
        FillRect(dc, &box, fill.get());
        const HGDIOBJ old = SelectObject(dc, headerFont_.get());
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextA(dc, line.text.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
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

void TFormUnitConvert::MenuClick(const TNvMenuItem& item) {
    switch (item.Id) {
        case kReload:
            Reload();
            break;
        case kQuit:
            Close();
            break;
        case kLongTitles:
            LongUnitTitles->SetValue(!LongUnitTitles->Value());
            break;
        case kPrecision: {
            std::string text = Format("%d", {DecimalPrecision->Value()});
            if (InputBox(Handle(), "Please Enter Decimal Precision... (0 - 18)", text))
                DecimalPrecision->SetValue(StrToIntDef(text, 18));
            break;
        }
        case kTrimZeros:
            TrimTrailingZeros->SetValue(!TrimTrailingZeros->Value());
            break;
        case kVerbose:
            VerboseMode->SetValue(!VerboseMode->Value());
            break;
        case kShowPanel:
            ShowUnitPanel->SetValue(!ShowUnitPanel->Value());
            break;
    }
}

void TFormUnitConvert::FormKeyDown(TKeyEvent& event) {
    const TShiftState& s = event.shift;
    const bool none = !s.shift && !s.ctrl && !s.alt;
    bool handled = true;
    if (none && event.key == VK_RETURN) {
        LastInput->SetValue(input_->Text());
    } else if (none && event.key == VK_ESCAPE) {
        input_->SetText("");
    } else if (s.ctrl && !s.shift && !s.alt && event.key == 'B') {
        input_->WrapSelectionInBrackets();
    } else {
        handled = menu_->HandleShortcut(event.key, s);
    }
    if (handled) {
        ConsumeKey(event);
        return;
    }
    TKoUtilForm::FormKeyDown(event);
}

void TFormUnitConvert::ConfigChanged(TConfigVar& var) {
    TKoUtilForm::ConfigChanged(var);
    if (!list_)
        return;
    if (&var == LastInput) {
        if (input_->Text() != LastInput->Value()) {
            input_->SetText(LastInput->Value());
            input_->Recolor();
            const auto end = static_cast<LONG>(LastInput->Value().size());
            input_->SetSelection(end, end);
        }
        if (!LastInput->Value().empty())
            Convert();
    } else if (&var == LongUnitTitles || &var == TrimTrailingZeros) {
        menu_->SetChecked(&var == LongUnitTitles ? kLongTitles : kTrimZeros, static_cast<TConfigVarBool&>(var).Value());
        list_->Invalidate();
    } else if (&var == VerboseMode) {
        menu_->SetChecked(kVerbose, VerboseMode->Value());
    } else if (&var == ShowUnitPanel) {
        menu_->SetChecked(kShowPanel, ShowUnitPanel->Value());
        if (Ready) {  // the window grows or shrinks by the panel
            const RECT r = ClientRect();
            const int delta = (kPanelWidth + kSplitterWidth) * (ShowUnitPanel->Value() ? 1 : -1);
            SetClientSize(r.right + delta, r.bottom);
        }
        Layout();
        list_->Invalidate();
    } else if (&var == DecimalPrecision) {
        list_->Invalidate();
    }
}
