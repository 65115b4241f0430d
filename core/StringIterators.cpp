#include "core/StringIterators.h"

#include <utility>

TStringIterator::TStringIterator(std::string text) {
    TStringIterator::SetText(std::move(text));
}

void TStringIterator::Reset() {
    pos_ = 1;
    index_ = 0;
}

void TStringIterator::SetText(std::string text) {
    Reset();
    text_ = std::move(text);
    length_ = static_cast<int>(text_.size());
}

int TStringIterator::Remaining() const {
    return length_ < pos_ ? 0 : length_ - pos_ + 2;
}

void TStringIterator::TakeToken(int endPos, std::string& token) {
    token =
        endPos > pos_ ? text_.substr(static_cast<size_t>(pos_ - 1), static_cast<size_t>(endPos - pos_)) : std::string();
    if (!token.empty())
        ++index_;
    pos_ = endPos + 1;
}

int TStringIterator::Count() {
    const int savedPos = pos_;
    const int savedIndex = index_;
    int counted = 0;
    std::string token;
    while (Remaining() > 0) {
        Next(token);
        ++counted;
    }
    pos_ = savedPos;
    index_ = savedIndex;
    return index_ + counted;
}

std::string TStringIterator::Next() {
    std::string token;
    Next(token);
    return token;
}

TStringIteratorDelimiter::TStringIteratorDelimiter(std::string text, char delimiter)
    : TStringIterator(std::move(text)), delimiter_(delimiter) {}

void TStringIteratorDelimiter::Next(std::string& token) {
    int end = Pos();
    while (end <= Length() && At(end) != delimiter_)
        ++end;
    TakeToken(end, token);
}

TStringIteratorCrLf::TStringIteratorCrLf(std::string text) : TStringIterator(std::move(text)) {}

void TStringIteratorCrLf::Next(std::string& token) {
    int end = Pos();
    while (end <= Length() && At(end) != '\r' && At(end) != '\n')
        ++end;
    TakeToken(end, token);
    if (Pos() <= Length() && (At(Pos()) == '\r' || At(Pos()) == '\n'))
        SkipChar();
}
