#include "tools/number/NumConvertWin32.h"

#include "core/NvLabelWin32.h"

namespace {
constexpr int kRowHeight = 28;
constexpr int kLeft = 8;
constexpr int kLabelWidth = 76;
constexpr int kEditHeight = 22;
constexpr TColor kValidColor = 0xFF0000;    // blue
constexpr TColor kInvalidColor = 0x0000FF;  // red

}  // namespace

const TCommand<TFormNumConvert> TFormNumConvert::kKeys[] = {
    {{0, VK_F5, nullptr, 0, -1}, [](TFormNumConvert& f) { f.ApplyToHex(SwapNumeralBytes); }},
    {{0, VK_F6, nullptr, 0, -1}, [](TFormNumConvert& f) { f.ApplyToHex(ComplementNumeral); }},
    {{0, VK_UP, nullptr, 0, -1}, [](TFormNumConvert& f) { f.StepFocus(-1); }},
    {{0, VK_DOWN, nullptr, 0, -1}, [](TFormNumConvert& f) { f.StepFocus(1); }},
};

TFormNumConvert::TFormNumConvert(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kNumberConverterIndex)) {
    TEasyConfig& c = Config();
    FocusedNumeral = &TConfigVarNamed::Define(c, Tool.Key, 1, "focused_numeral");
    FocusedNumeral->SetMin(0);
    FocusedNumeral->SetMax(kNumeralKindCount - 1);
    for (int i = 0; i < kNumeralKindCount; ++i)
        FocusedNumeral->Names().push_back(NumeralTitle(NumeralKindAt(i)));
    ValueAsDec = &TConfigVarInt::Define(c, Tool.Key, kDefaultNumeralValue, "value_as_dec");

    const int clientWidth = Tool.DefaultWidth;
    SetClientSize(clientWidth, kNumeralKindCount * kRowHeight + 16 + (kEditHeight - kRowHeight) + 1);
    for (int i = 0; i < kNumeralKindCount; ++i) {
        const TNumeralKind kind = NumeralKindAt(i);
        const int top = kLeft + kRowHeight * i;
        labels_[i] = &Add<TNvLabel>(NumeralTitle(kind), RECT{kLeft, top, kLeft + kLabelWidth - 4, top + kEditHeight});
        labels_[i]->Tag = kTagVariableFont;
        TNvEdit& edit = Add<TNvEdit>();
        edit.Tag = kTagFixedFont | kTagBackColor;
        edit.SetBounds(kLeft + kLabelWidth, top, clientWidth - kLabelWidth - 3 * kLeft + 2, kEditHeight);
        edit.SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
        edit.OnChange = [this, i, kind] {
            if (writingText_)
                return;
            // A pasted text gets the spelling the row shows (upper case for hexadecimal and Roman digits).
            const std::string text = NumeralEditText(kind, edits_[i]->Text());
            if (text != edits_[i]->Text()) {
                writingText_ = true;
                const DWORD caret = static_cast<DWORD>(SendMessageA(edits_[i]->Handle(), EM_GETSEL, 0, 0));
                edits_[i]->SetText(text);
                SendMessageA(edits_[i]->Handle(), EM_SETSEL, LOWORD(caret), HIWORD(caret));
                writingText_ = false;
            }
            converter_.visible = IsWindowVisible(Handle()) != FALSE;
            converter_.focusedEdit = FocusedEdit();
            converter_.EditChanged(i, text);
        };
        edits_[i] = &edit;
        TNumeralRow& row = converter_.Row(i);
        row.OnTextChanged = [this, i](const TNumeralRow&) { ShowRowText(i); };
        row.OnValidChanged = [this, i](const TNumeralRow&) { ShowRowColour(i); };
        ShowRowText(i);
        ShowRowColour(i);
    }
    converter_.OnValueChange = [this](uint32_t value) { SetText(NumConvertCaption(Tool.Title, value)); };
    AddKeys(kKeys);

    WhenChanged(FocusedNumeral, [this] {
        if (IsWindowVisible(Handle()))
            edits_[static_cast<size_t>(FocusedNumeral->Value())]->SetFocus();
    });
    WhenChanged(ValueAsDec, [this] {
        converter_.visible = IsWindowVisible(Handle()) != FALSE;
        converter_.focusedEdit = FocusedEdit();
        converter_.Apply(static_cast<int>(TNumeralKind::Dec), static_cast<uint32_t>(ValueAsDec->Value()));
    });
}

int TFormNumConvert::FocusedEdit() const {
    const HWND focus = GetFocus();
    for (int i = 0; i < kNumeralKindCount; ++i) {
        if (edits_[i]->Handle() == focus)
            return i;
    }
    return -1;
}

void TFormNumConvert::ShowRowText(int index) {
    TNvEdit& edit = *edits_[index];
    const std::string& text = converter_.Row(index).Text();
    if (edit.Text() == text)
        return;
    writingText_ = true;
    edit.SetText(text);
    writingText_ = false;
}

void TFormNumConvert::ShowRowColour(int index) {
    edits_[index]->SetFontColor(converter_.Row(index).Valid() ? kValidColor : kInvalidColor);
}

void TFormNumConvert::AfterConstruction() {
    TKoUtilForm::AfterConstruction();
    // Started with a number (the Calculator's F2 hands over its last result): show that instead of the stored one.
    uint32_t start = 0;
    if (!LaunchArgument(1).empty() && ParseNumeral(TNumeralKind::Dec, LaunchArgument(1), start))
        ValueAsDec->SetValue(static_cast<int32_t>(start));
}

void TFormNumConvert::FormShown() {
    edits_[static_cast<size_t>(FocusedNumeral->Value())]->SetFocus();
}

void TFormNumConvert::ApplyToHex(uint32_t (*change)(uint32_t)) {
    const int hex = static_cast<int>(TNumeralKind::Hex);
    const uint32_t value = converter_.Row(hex).GetValue();
    edits_[hex]->SetFocus();
    converter_.visible = true;
    converter_.focusedEdit = hex;
    converter_.Apply(hex, change(value));
}

// Up and Down move between the rows only while one of them has the focus.
void TFormNumConvert::StepFocus(int delta) {
    if (FocusedEdit() >= 0)
        FocusedNumeral->SetValue(FocusedNumeral->Value() + delta);
}

LRESULT TFormNumConvert::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)  // the value is kept before the settings are written
        ValueAsDec->SetValue(static_cast<int32_t>(converter_.Row(TNumeralKind::Dec).GetValue()));
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
