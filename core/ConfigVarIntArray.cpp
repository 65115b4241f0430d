#include "core/EasyConfig.h"

TConfigVarIntArray::TConfigVarIntArray(TEasyConfig* owner, const std::string& ns, const std::string& name)
    : TConfigVar(owner, ns, name) {}

int32_t TConfigVarIntArray::Item(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)] : 0;
}

// Grows as needed; a negative index names no item and changes nothing.
void TConfigVarIntArray::SetItem(int index, int32_t value) {
    if (index < 0)
        return;
    if (index >= Count())
        items_.resize(static_cast<size_t>(index) + 1, 0);
    items_[static_cast<size_t>(index)] = value;
    Changed();
}

std::string TConfigVarIntArray::GetAsText() const {
    std::string text;
    for (int32_t item : items_) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(item);
    }
    return text;
}

// Every blank, comma or semicolon ends a piece, so two in a row give a 0; a piece left after the last one counts
// only when it is not empty.
void TConfigVarIntArray::SetAsText(const std::string& text) {
    const bool wasEmpty = items_.empty();
    items_.clear();
    std::string piece;
    for (char c : text) {
        if (c == ' ' || c == ',' || c == ';') {
            SetItem(Count(), StrToIntDef(piece, 0));
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty())
        SetItem(Count(), StrToIntDef(piece, 0));
    if (items_.empty() && !wasEmpty)
        Changed();
}

// Emptying a list that had items is a change like any other: it shows as modified and reaches the file.
void TConfigVarIntArray::Reset() {
    if (items_.empty())
        return;
    items_.clear();
    Changed();
}
