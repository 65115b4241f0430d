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

TFormNumConvert::TFormNumConvert(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(2)) {
    TEasyConfig& c = Config();
    FocusedNumeral = &TConfigVarNamed::Define(c, Tool.Key, 1, "focused_numeral");
    FocusedNumeral->SetMin(0);
    FocusedNumeral->SetMax(kNumeralKindCount - 1);
    for (int i = 0; i < kNumeralKindCount; ++i)
        FocusedNumeral->Names().push_back(NumeralTitle(NumeralKindAt(i)));
    ValueAsDec = &TConfigVarInt::Define(c, Tool.Key, kDefaultNumeralValue, "value_as_dec");

    for (int i = 0; i < kNumeralKindCount; ++i) {
        const TNumeralKind kind = NumeralKindAt(i);
        const int top = kLeft + kRowHeight * i;
        labels_[i] = &Add<TNvLabel>(NumeralTitle(kind), RECT{kLeft, top, kLeft + kLabelWidth - 4, top + kEditHeight});
        labels_[i]->Tag = kTagVariableFont;
        TNvEdit& edit = Add<TNvEdit>();
        edit.Tag = kTagFixedFont | kTagBackColor;
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
    Layout();
}

void TFormNumConvert::Layout() {
    const int clientWidth = Tool.DefaultWidth;
    SetClientSize(clientWidth, kNumeralKindCount * kRowHeight + 16 + (kEditHeight - kRowHeight) + 1);
    for (int i = 0; i < kNumeralKindCount; ++i) {
        edits_[i]->SetBounds(kLeft + kLabelWidth, kLeft + kRowHeight * i,
                             clientWidth - kLabelWidth - 2 * kLeft + 2 - kLeft, kEditHeight);
    }
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

void TFormNumConvert::ConfigChanged(TConfigVar& var) {
    TKoUtilForm::ConfigChanged(var);
    if (&var == FocusedNumeral) {
        if (IsWindowVisible(Handle()))
            edits_[static_cast<size_t>(FocusedNumeral->Value())]->SetFocus();
    } else if (&var == ValueAsDec) {
        converter_.visible = IsWindowVisible(Handle()) != FALSE;
        converter_.focusedEdit = FocusedEdit();
        converter_.Apply(static_cast<int>(TNumeralKind::Dec), static_cast<uint32_t>(ValueAsDec->Value()));
    }
}

void TFormNumConvert::FormKeyDown(TKeyEvent& event) {
    const TShiftState& s = event.shift;
    const bool none = !s.shift && !s.ctrl && !s.alt;
    const int hex = static_cast<int>(TNumeralKind::Hex);
    bool handled = none;
    if (none && (event.key == VK_F5 || event.key == VK_F6)) {
        const uint32_t value = converter_.Row(hex).GetValue();
        edits_[hex]->SetFocus();
        converter_.visible = true;
        converter_.focusedEdit = hex;
        converter_.Apply(hex, event.key == VK_F5 ? SwapNumeralBytes(value) : ComplementNumeral(value));
    } else if (none && (event.key == VK_UP || event.key == VK_DOWN) && FocusedEdit() >= 0) {
        FocusedNumeral->SetValue(FocusedNumeral->Value() + (event.key == VK_UP ? -1 : 1));
    } else {
        handled = HandleShortcut(event.key, s);
    }
    if (handled) {
        ConsumeKey(event);
    }
}

LRESULT TFormNumConvert::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)  // the value is kept before the settings are written
        ValueAsDec->SetValue(static_cast<int32_t>(converter_.Row(TNumeralKind::Dec).GetValue()));
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
