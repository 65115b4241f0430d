#include "core/ConfigEditorRows.h"

namespace {
constexpr TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r | g << 8 | b << 16);
}

int WrapChannel(int value) {
    return (value % 256 + 256) % 256;
}
}  // namespace

TColor TypeMarkerColor(const TConfigVar& var) {
    if (dynamic_cast<const TConfigVarBool*>(&var))
        return Rgb(255, 99, 71);
    if (dynamic_cast<const TConfigVarColor*>(&var))
        return Rgb(148, 130, 201);
    if (dynamic_cast<const TConfigVarInt*>(&var))
        return Rgb(13, 152, 186);
    if (dynamic_cast<const TConfigVarFloat*>(&var))
        return Rgb(244, 164, 96);
    if (dynamic_cast<const TConfigVarStr*>(&var))
        return Rgb(68, 170, 68);
    if (dynamic_cast<const TConfigVarIntArray*>(&var))
        return Rgb(255, 165, 0);
    return Rgb(220, 220, 220);
}

std::string RowLeftText(const TConfigVar& var) {
    return var.FullName() + (var.Modified() ? " *" : " ");
}

std::string RowRightText(const TConfigVar& var) {
    if (const auto* named = dynamic_cast<const TConfigVarNamed*>(&var))
        return named->DisplayText();
    return var.GetAsText();
}

std::string EditPrompt(const TConfigVar& var) {
    return "Enter a new [" + var.TypeName() + "] value for \"" + var.FullName() + "\"...";
}

bool EditTogglesInPlace(const TConfigVar& var) {
    return dynamic_cast<const TConfigVarBool*>(&var) != nullptr;
}

void StepVariable(TConfigVar& var, int step) {
    if (auto* flag = dynamic_cast<TConfigVarBool*>(&var)) {
        flag->SetValue(!flag->Value());
    } else if (auto* color = dynamic_cast<TConfigVarColor*>(&var)) {
        const auto c = static_cast<TColor>(color->Value());
        const int r = WrapChannel(static_cast<int>(c & 0xFF) + step);
        const int g = WrapChannel(static_cast<int>(c >> 8 & 0xFF) + step);
        const int b = WrapChannel(static_cast<int>(c >> 16 & 0xFF) + step);
        color->SetValue(static_cast<int32_t>(Rgb(r, g, b)));
    } else if (auto* number = dynamic_cast<TConfigVarInt*>(&var)) {
        // Past the 32-bit ends the value wraps like any value outside Min..Max.
        const int64_t next = static_cast<int64_t>(number->Value()) + step;
        number->SetValue(next > INT32_MAX   ? number->Min()
                         : next < INT32_MIN ? number->Max()
                                            : static_cast<int32_t>(next));
    } else if (auto* real = dynamic_cast<TConfigVarFloat*>(&var)) {
        real->SetValue(real->Value() + step);
    }
}
