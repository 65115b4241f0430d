#include "core/StringIterators.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> AllTokens(TStringIterator& it) {
    std::vector<std::string> tokens;
    while (it.Remaining() > 0)
        tokens.push_back(it.Next());
    return tokens;
}

using Tokens = std::vector<std::string>;

TEST(StringIteratorDelimiter, ConsecutiveDelimitersGiveEmptyTokensButATrailingOneDoesNot) {
    TStringIteratorDelimiter inner("a,,b", ',');
    EXPECT_EQ(AllTokens(inner), (Tokens{"a", "", "b"}));
    EXPECT_EQ(inner.Index(), 2);  // the empty token is not counted
    TStringIteratorDelimiter trailing("a,b,", ',');
    EXPECT_EQ(AllTokens(trailing), (Tokens{"a", "b"}));
    TStringIteratorDelimiter leading(";x", ';');
    EXPECT_EQ(AllTokens(leading), (Tokens{"", "x"}));
    TStringIteratorDelimiter none("whole text", ',');
    EXPECT_EQ(AllTokens(none), (Tokens{"whole text"}));
}

TEST(StringIteratorDelimiter, RemainingFollowsThePosition) {
    TStringIteratorDelimiter it("ab,c", ',');
    EXPECT_EQ(it.Remaining(), 5);  // length - pos + 2
    it.Next();
    EXPECT_EQ(it.Pos(), 4);
    EXPECT_EQ(it.Remaining(), 2);
    it.Next();
    EXPECT_EQ(it.Remaining(), 0);
}

TEST(StringIteratorCrLf, AnyPairOfBreakCharactersIsOneBreak) {
    TStringIteratorCrLf lf("one\n\ntwo\nthree");
    EXPECT_EQ(AllTokens(lf), (Tokens{"one", "two", "three"}));
    TStringIteratorCrLf mixed("a\r\nb\n\rc\r\rd\re");
    EXPECT_EQ(AllTokens(mixed), (Tokens{"a", "b", "c", "d", "e"}));
    TStringIteratorCrLf three("a\n\n\nb");
    EXPECT_EQ(AllTokens(three), (Tokens{"a", "", "b"}));
    TStringIteratorCrLf crlfTwice("a\r\n\r\nb");
    EXPECT_EQ(AllTokens(crlfTwice), (Tokens{"a", "", "b"}));
}

TEST(StringIteratorCrLf, ABreakAtTheEndGivesNoEmptyLine) {
    TStringIteratorCrLf crlf("x\r\n");
    EXPECT_EQ(AllTokens(crlf), (Tokens{"x"}));
    TStringIteratorCrLf lf("x\ny\n");
    EXPECT_EQ(AllTokens(lf), (Tokens{"x", "y"}));
}

TEST(StringIterator, AnEmptyTextHasNoTokens) {
    TStringIteratorCrLf lines("");
    EXPECT_EQ(lines.Remaining(), 0);
    EXPECT_EQ(lines.Count(), 0);
    TStringIteratorDelimiter pieces("", ',');
    EXPECT_EQ(pieces.Remaining(), 0);
}

TEST(StringIterator, CountLeavesThePositionAlone) {
    TStringIteratorDelimiter it("a,,b,c", ',');
    EXPECT_EQ(it.Count(), 4);
    EXPECT_EQ(it.Next(), "a");
    // Index plus the tokens still ahead, the empty one among them.
    EXPECT_EQ(it.Count(), 4);
    EXPECT_EQ(it.Pos(), 3);
    EXPECT_EQ(it.Index(), 1);
    EXPECT_EQ(it.Next(), "");
    EXPECT_EQ(it.Next(), "b");
}

TEST(StringIterator, SetTextAndResetStartOver) {
    TStringIteratorDelimiter it("a,b", ',');
    it.Next();
    it.Reset();
    EXPECT_EQ(it.Pos(), 1);
    EXPECT_EQ(it.Index(), 0);
    EXPECT_EQ(it.Next(), "a");
    it.SetText("xyz,1");
    EXPECT_EQ(it.Pos(), 1);
    EXPECT_EQ(it.Length(), 5);
    EXPECT_EQ(AllTokens(it), (Tokens{"xyz", "1"}));
    EXPECT_EQ(it.Index(), 2);
}

}  // namespace
