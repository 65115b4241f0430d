#include "core/StringIterators.h"

#include <gtest/gtest.h>

namespace {

template <class TIterator>
std::string Rest(TIterator&& it) {
    std::string tokens;
    while (it.Remaining() > 0)
        tokens += "[" + it.Next() + "]";
    return tokens;
}

TEST(StringIterators, DelimitersEndTokensAndAnyPairOfBreakCharactersEndsALineButNothingFollowsAFinalOne) {
    EXPECT_EQ(Rest(TStringIteratorDelimiter("a,,b,", ',')), "[a][][b]");
    EXPECT_EQ(Rest(TStringIteratorCrLf("a\r\nb\n\rc\r\rd\ne\n")), "[a][b][c][d][e]");
    EXPECT_EQ(Rest(TStringIteratorCrLf("a\n\n\nb\r\n\r\nc")), "[a][][b][][c]");
    EXPECT_EQ(Rest(TStringIteratorCrLf("")) + Rest(TStringIteratorDelimiter("", ',')), "");
}

TEST(StringIterators, CountLeavesThePositionAloneAndResetOrNewTextStartsOver) {
    TStringIteratorDelimiter it("a,,b,c", ',');
    EXPECT_EQ(it.Count(), 4);
    EXPECT_EQ(it.Next(), "a");
    it.Reset();
    EXPECT_EQ(Rest(it), "[a][][b][c]");
    EXPECT_EQ(it.Index(), 3);  // the empty token is not counted
    it.SetText("xyz,1");
    EXPECT_EQ(it.Pos() + it.Index(), 1);
    EXPECT_EQ(Rest(it), "[xyz][1]");
}

}  // namespace
