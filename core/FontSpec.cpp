#include "core/FontSpec.h"

#include <vector>

#include "core/KoLib.h"

namespace {

constexpr size_t kMaxFaceLength = 31;  // a face name buffer holds 32 characters with the terminating zero
constexpr int kFallbackSize = 8;

bool IsSeparator(char c) {
    return c == '\t' || c == ' ' || c == ',' || c == ';';
}

std::string_view Trim(std::string_view s) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

struct Token {
    std::string_view text;
    bool quoted;
};

// A quoted token runs to the next double quote, or to the end when there is none; the quotes only delimit it.
std::vector<Token> SplitTokens(std::string_view text) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '"') {
            const size_t close = text.find('"', i + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close;
            tokens.push_back({Trim(text.substr(i + 1, end - i - 1)), true});
            i = close == std::string_view::npos ? text.size() : close + 1;
            continue;
        }
        size_t end = i;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        tokens.push_back({Trim(text.substr(i, end - i)), false});
        i = end;
    }
    return tokens;
}

bool IsStyleToken(std::string_view t) {
    return t.size() < 5 && (t[0] == 'b' || t[0] == 'i' || t[0] == 's' || t[0] == 'u');
}

bool IsSizeToken(std::string_view t) {
    return t[0] == '-' || (t[0] >= '0' && t[0] <= '9');
}

}  // namespace

// A quoted token always names the face, so "Arial Black" or even "b" can never be taken for a size or a style.
// Empty tokens (such as "") are skipped. Style letters only ever switch a style on.
TFontSpec ParseFontSpec(std::string_view text) {
    TFontSpec font;
    for (const Token& token : SplitTokens(text)) {
        const std::string_view t = token.text;
        if (t.empty())
            continue;
        if (!token.quoted && IsStyleToken(t)) {
            for (char c : t) {
                if (c == 'b')
                    font.bold = true;
                else if (c == 'i')
                    font.italic = true;
                else if (c == 's')
                    font.strikeOut = true;
                else if (c == 'u')
                    font.underline = true;
            }
        } else if (!token.quoted && IsSizeToken(t)) {
            font.hasSize = true;
            font.sizePoints = StrToIntDef(t, kFallbackSize);
        } else {
            font.faceName = std::string(t.substr(0, kMaxFaceLength));
        }
    }
    return font;
}
