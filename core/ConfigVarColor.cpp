#include <string_view>

#include "core/EasyConfig.h"
#include "core/Format.h"

namespace {

std::string_view TrimSpaces(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
}

}  // namespace

TConfigVarColor::TConfigVarColor(TEasyConfig* owner, const std::string& ns, TColor def, const std::string& name)
    : TConfigVarInt(owner, ns, static_cast<int32_t>(def), name) {}

// Red first, as people write colours; the value itself keeps red in the lowest byte.
std::string TConfigVarColor::GetAsText() const {
    return Format("#%.6x", {SwapRB(static_cast<uint32_t>(Value()))});
}

void TConfigVarColor::SetAsText(const std::string& text) {
    if (text.empty())
        return;
    if (text[0] == '#') {
        // "$" makes the rule read hexadecimal only: a sign or blanks after "#" do not parse.
        int32_t rgb = 0;
        if (TryStrToInt("$" + text.substr(1), rgb))
            SetValue(static_cast<int32_t>(SwapRB(static_cast<uint32_t>(rgb))));
        else
            SetValue(Value());
        return;
    }
    TColor color = 0;
    if (ParseRgb(text, color))
        SetValue(static_cast<int32_t>(color));
    else
        SetValue(StrToIntDef(text, Value()));
}

// "rgb(r, g, b)", case ignored; missing or bad components count as 0, only the low 8 bits of each count.
bool TConfigVarColor::ParseRgb(const std::string& text, TColor& color) const {
    const std::string_view trimmed = TrimSpaces(text);
    if (trimmed.size() < 9 || !SameTextAscii(trimmed.substr(0, 4), "rgb("))
        return false;
    size_t pos = 4;
    uint32_t components[3] = {0, 0, 0};
    for (uint32_t& component : components) {
        size_t end = trimmed.find_first_of("),", pos);
        if (end == std::string_view::npos)
            end = trimmed.size();
        component = static_cast<uint32_t>(StrToIntDef(TrimSpaces(trimmed.substr(pos, end - pos)), 0)) & 0xFFu;
        pos = end < trimmed.size() ? end + 1 : end;
    }
    color = components[0] | components[1] << 8 | components[2] << 16;
    return true;
}
