#include "core/EasyConfig.h"

#include <gtest/gtest.h>

#include "core/Locale.h"

namespace {

// A container without storage that records every change it announces.
class TTestConfig : public TEasyConfig {
  public:
    TTestConfig() {
        OnChange = [this](TConfigVar& var) { changes.push_back(var.FullName()); };
    }
    void Load() override {}
    void Save() override {}
    std::vector<std::string> changes;
};

// Each text in turn, from the value the one before left: what the variable shows then, followed by "|", or by "!|"
// where reading the text was not announced as a change (even an unreadable text sets the old value again).
std::string ReadsAs(TTestConfig& config, TConfigVar& var, std::initializer_list<const char*> texts) {
    std::string shown;
    for (const char* text : texts) {
        config.changes.clear();
        var.SetModified(false);
        var.SetAsText(text);
        shown += var.GetAsText() + (var.Modified() && !config.changes.empty() ? "|" : "!|");
    }
    return shown;
}

}  // namespace

TEST(EasyConfig, VariablesAreFoundByTheirExactNameAndDefiningOneAgainGivesItBackUnlessItsClassDiffers) {
    TTestConfig config;
    EXPECT_THROW(TConfigVarInt(nullptr, "", 0, ""), EConfigError);  // no owner
    EXPECT_THROW(TConfigVarStr::Define(config, "ns", "x", ""), EConfigError);
    auto& color = TConfigVarColor::Define(config, "core", 0x112233, "color_back");
    auto& plain = TConfigVarInt::Define(config, "core", 7, "plain");
    EXPECT_TRUE(color.Persistent() && !color.Modified() && config.changes.empty());
    EXPECT_TRUE(config.Items(0) == &color && config.Items(1) == &plain && !config.Items(2) && !config.Items(-1));
    for (const char* other : {"Core.plain", "core.plain ", "plain", "core.c"})
        EXPECT_EQ(config.IndexOf(other), -1) << other;
    EXPECT_EQ(&TConfigVarInt::Define(config, "core", 0, "color_back"), &color);
    EXPECT_EQ(color.Value(), 0x112233);  // the second default is ignored
    EXPECT_THROW(TConfigVarStr::Define(config, "core", "", "color_back"), EConfigError);
    EXPECT_THROW(TConfigVarColor::Define(config, "core", 0, "plain"), EConfigError);  // the same type, another class
    EXPECT_EQ(config.Count(), 2);
}

TEST(EasyConfig, EachTypeReadsItsOwnTextAndAnUnreadableTextKeepsTheValue) {
    const TFixedLocale comma(',', '.');
    SetAppLocale(&comma);
    TTestConfig config;
    auto& bounded = TConfigVarInt::Define(config, "a", 3, "bounded");
    bounded.SetMin(0);
    bounded.SetMax(16);
    EXPECT_EQ(ReadsAs(config, TConfigVarBool::Define(config, "a", false, "b"), {"tRuE", " true", "1", "01", "truex"}),
              "true|false|true|false|false|");
    EXPECT_EQ(
        ReadsAs(config, TConfigVarInt::Define(config, "a", 9, "i"), {"  -2147483648", "$1F", "2147483648", "12 "}),
        "-2147483648|31|31|31|");
    EXPECT_EQ(ReadsAs(config, bounded, {"-1", "17", "16"}), "16|0|16|");  // outside the bounds: the other end
    EXPECT_EQ(ReadsAs(config, TConfigVarFloat::Define(config, "a", 1.0L / 3, "f"), {"", " 1E+020 ", "-2,25", "0.75"}),
              "0,333333333333333|1E+020|-2,25|-2,25|");
    auto& color = TConfigVarColor::Define(config, "a", 0x030201, "c");
    EXPECT_EQ(
        ReadsAs(config, color, {"#00ff80", "65280", "$FF", " Rgb( 0 ,128 , 255 ) ", "rgb(256,$80,-1)", "rgb(10,x)"}),
        "#00FF80|#00FF00|#FF0000|#0080FF|#0080FF|#0A0000|");
    for (const char* unreadable : {"rgb(1,2)", "rgx(1,2,3)", "#zz", "#", "#-1", "# FF", "#+FF", "#$FF", "#1FFFFFFFF"})
        EXPECT_EQ(ReadsAs(config, color, {unreadable}), "#0A0000|") << unreadable;
    EXPECT_EQ(ReadsAs(config, color, {""}), "#0A0000!|");  // an empty colour text is no change at all
    auto& list = TConfigVarIntArray::Define(config, "a", "l");
    EXPECT_EQ(ReadsAs(config, list, {"1;2,3 4", "1,,3", "1 2 ", "x,$10", " ", "", ""}), "1 2 3 4|1 0 3|1 2|0 16|0||!|");
    SetAppLocale(nullptr);
    list.SetItem(2, -7);
    list.SetItem(-1, 5);
    EXPECT_EQ(list.GetAsText(), "0 0 -7");
}
