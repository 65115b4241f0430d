#pragma once
#include <string>

// Splits a text into tokens one at a time. Positions are 1-based.
class TStringIterator {
  public:
    explicit TStringIterator(std::string text);
    virtual ~TStringIterator() = default;

    // The number of tokens of the whole text, taken without moving the iterator.
    virtual int Count();
    virtual void SetText(std::string text);
    virtual void Next(std::string& token) = 0;
    // Above 0 while another token can be taken.
    virtual int Remaining() const;
    virtual void Reset();

    std::string Next();
    int Pos() const { return pos_; }
    // Non-empty tokens taken since the last reset.
    int Index() const { return index_; }
    int Length() const { return length_; }
    const std::string& Text() const { return text_; }

  protected:
    virtual void TakeToken(int endPos, std::string& token);
    // The text's character at a 1-based position.
    char At(int pos) const { return text_[static_cast<size_t>(pos - 1)]; }
    void SkipChar() { ++pos_; }

  private:
    int pos_ = 1;
    int index_ = 0;
    int length_ = 0;
    std::string text_;
};

// Tokens between occurrences of one delimiter character; a delimiter at the very end gives no empty last token.
class TStringIteratorDelimiter : public TStringIterator {
  public:
    TStringIteratorDelimiter(std::string text, char delimiter);
    using TStringIterator::Next;
    void Next(std::string& token) override;
    char Delimiter() const { return delimiter_; }

  private:
    char delimiter_;
};

// Lines; any pair of CR/LF characters counts as one break.
class TStringIteratorCrLf : public TStringIterator {
  public:
    explicit TStringIteratorCrLf(std::string text);
    using TStringIterator::Next;
    void Next(std::string& token) override;
};
