#include "core/EasyConfig.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <climits>
#include <string>
#include <vector>

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

template <class F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const EConfigError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(EasyConfig, ConstructionChecksOwnerFirstThenNamespaceAndName) {
    TTestConfig config;
    EXPECT_EQ(ErrorOf([] { TConfigVarInt(nullptr, "", 0, ""); }), "Config variable must have an owner");
    EXPECT_EQ(ErrorOf([&] { TConfigVarInt::Define(config, "", 0, "n"); }),
              "Config variable must have a valid namespace and name");
    EXPECT_EQ(ErrorOf([&] { TConfigVarStr::Define(config, "ns", "x", ""); }),
              "Config variable must have a valid namespace and name");
    EXPECT_EQ(config.Count(), 0);
}

TEST(EasyConfig, NewVariableIsPersistentUnmodifiedAndRegisteredInCreationOrder) {
    TTestConfig config;
    auto& b = TConfigVarBool::Define(config, "core", true, "b");
    auto& i = TConfigVarInt::Define(config, "tool", 7, "i");
    EXPECT_TRUE(b.Persistent());
    EXPECT_FALSE(b.Modified());
    EXPECT_EQ(&i.Owner(), &config);
    EXPECT_EQ(i.FullName(), "tool.i");
    EXPECT_EQ(i.Value(), 7);
    EXPECT_EQ(i.Min(), INT32_MIN);
    EXPECT_EQ(i.Max(), INT32_MAX);
    EXPECT_EQ(config.Items(0), &b);
    EXPECT_EQ(config.Items(1), &i);
    EXPECT_EQ(config.Items(2), nullptr);
    EXPECT_EQ(config.Items(-1), nullptr);
    EXPECT_TRUE(config.changes.empty());
}

TEST(EasyConfig, LookupIsExactAndCaseSensitive) {
    TTestConfig config;
    TConfigVarInt::Define(config, "core", 0, "a");
    auto& b = TConfigVarInt::Define(config, "core", 0, "b");
    EXPECT_EQ(config.IndexOf("core.b"), 1);
    EXPECT_EQ(config.IndexOf("Core.b"), -1);
    EXPECT_EQ(config.IndexOf("core.b "), -1);
    EXPECT_EQ(config.IndexOf("b"), -1);
    EXPECT_EQ(config.Find("core.b"), &b);
    EXPECT_EQ(config.Find("core.c"), nullptr);
    config.Clear();
    EXPECT_EQ(config.Count(), 0);
    EXPECT_EQ(config.Find("core.b"), nullptr);
}

TEST(EasyConfig, DefineReturnsTheExistingVariableOfTheSameOrDerivedClass) {
    TTestConfig config;
    auto& color = TConfigVarColor::Define(config, "core", 0x112233, "color_back");
    EXPECT_EQ(&TConfigVarColor::Define(config, "core", 0, "color_back"), &color);
    EXPECT_EQ(color.Value(), 0x112233);  // the second default is ignored
    EXPECT_EQ(&TConfigVarInt::Define(config, "core", 0, "color_back"), &color);
    EXPECT_EQ(config.Count(), 1);
}

TEST(EasyConfig, DefineOfAnotherClassRaisesTheClashMessage) {
    TTestConfig config;
    TConfigVarColor::Define(config, "core", 0, "color_back");
    EXPECT_EQ(ErrorOf([&] { TConfigVarStr::Define(config, "core", "", "color_back"); }),
              "Config variable \"core.color_back\", with type string, already exists as integer");
    TConfigVarInt::Define(config, "core", 0, "plain");
    EXPECT_EQ(ErrorOf([&] { TConfigVarColor::Define(config, "core", 0, "plain"); }),
              "Config variable \"core.plain\", with type integer, already exists as integer");
    TConfigVarIntArray::Define(config, "core", "list");
    EXPECT_EQ(ErrorOf([&] { TConfigVarBool::Define(config, "core", false, "list"); }),
              "Config variable \"core.list\", with type boolean, already exists as intarray");
    EXPECT_EQ(config.Count(), 3);
}

TEST(EasyConfig, TypeNamesOnTheClassAndTheObjectAgree) {
    TTestConfig config;
    EXPECT_EQ(TConfigVarBool::Define(config, "a", false, "b").TypeName(), "boolean");
    EXPECT_EQ(TConfigVarNamed::Define(config, "a", 0, "n").TypeName(), "integer");
    EXPECT_EQ(TConfigVarColor::Define(config, "a", 0, "c").TypeName(), "integer");
    EXPECT_EQ(TConfigVarFloat::Define(config, "a", 0, "f").TypeName(), "float");
    EXPECT_EQ(TConfigVarStr::Define(config, "a", "", "s").TypeName(), "string");
    EXPECT_EQ(TConfigVarIntArray::Define(config, "a", "l").TypeName(), "intarray");
    EXPECT_EQ(TConfigVarNamed::ClassTypeName(), "integer");
    EXPECT_EQ(TConfigVarFloat::ClassTypeName(), "float");
}

TEST(EasyConfig, SettingTheSameValueStillNotifiesAndMarksModified) {
    TTestConfig config;
    auto& s = TConfigVarStr::Define(config, "a", "x", "s");
    s.SetValue("x");
    EXPECT_TRUE(s.Modified());
    EXPECT_EQ(config.changes, std::vector<std::string>{"a.s"});
    config.OnChange = nullptr;
    s.SetModified(false);
    s.Reset();
    EXPECT_TRUE(s.Modified());
}

TEST(EasyConfig, BooleanTextIsTrueOnlyForTrueInAnyCaseOrOne) {
    TTestConfig config;
    auto& b = TConfigVarBool::Define(config, "a", false, "b");
    for (const char* text : {"true", "TRUE", "tRuE", "1"}) {
        b.SetValue(false);
        b.SetAsText(text);
        EXPECT_TRUE(b.Value()) << text;
        EXPECT_EQ(b.GetAsText(), "true");
    }
    for (const char* text : {"yes", "0", "", " true", "1 ", "01", "truex"}) {
        b.SetValue(true);
        b.SetAsText(text);
        EXPECT_FALSE(b.Value()) << text;
        EXPECT_EQ(b.GetAsText(), "false");
    }
}

TEST(EasyConfig, IntegersOutsideTheBoundsWrapToTheOtherEnd) {
    TTestConfig config;
    auto& i = TConfigVarInt::Define(config, "a", 3, "i");
    i.SetMin(0);
    i.SetMax(16);
    i.SetValue(-1);
    EXPECT_EQ(i.Value(), 16);
    i.SetValue(17);
    EXPECT_EQ(i.Value(), 0);
    i.SetValue(16);
    EXPECT_EQ(i.Value(), 16);
    i.SetAsText("17");
    EXPECT_EQ(i.Value(), 0);
    i.SetAsText("-1");
    EXPECT_EQ(i.Value(), 16);

    i.SetMin(INT32_MIN);
    i.SetMax(0);
    i.SetValue(INT32_MIN);
    EXPECT_EQ(i.Value(), INT32_MIN);
    i.SetValue(INT32_MAX);
    EXPECT_EQ(i.Value(), INT32_MIN);
    i.SetMin(0);
    i.SetMax(INT32_MAX);
    i.SetValue(INT32_MAX);
    EXPECT_EQ(i.Value(), INT32_MAX);
    i.SetValue(INT32_MIN);
    EXPECT_EQ(i.Value(), INT32_MAX);
}

TEST(EasyConfig, IntegerTextFollowsTheIntegerRuleAndKeepsTheValueOtherwise) {
    TTestConfig config;
    auto& i = TConfigVarInt::Define(config, "a", 5, "i");
    i.SetAsText("$1F");
    EXPECT_EQ(i.Value(), 31);
    i.SetAsText("  -2147483648");
    EXPECT_EQ(i.GetAsText(), "-2147483648");
    i.SetValue(9);
    config.changes.clear();
    for (const char* text : {"abc", "", "2147483648", "12 ", "1.5"}) {
        i.SetAsText(text);
        EXPECT_EQ(i.Value(), 9) << text;
    }
    EXPECT_EQ(config.changes.size(), 5u);  // kept values are set again
}

TEST(EasyConfig, NamedIntegerShowsItsNameOnlyForValuesThatHaveOne) {
    TTestConfig config;
    auto& n = TConfigVarNamed::Define(config, "a", 1, "n");
    n.Names() = {"Off", "On"};
    EXPECT_EQ(n.DisplayText(), "On (1)");
    n.SetValue(0);
    EXPECT_EQ(n.DisplayText(), "Off (0)");
    n.SetValue(2);
    EXPECT_EQ(n.DisplayText(), "2");
    n.SetValue(-1);
    EXPECT_EQ(n.DisplayText(), "-1");
}

TEST(EasyConfig, FloatTextUsesFifteenDigitsAndTheLocaleSeparator) {
    const TFixedLocale comma(',', '.');
    TTestConfig config;
    auto& f = TConfigVarFloat::Define(config, "a", 1.5L, "f");
    EXPECT_EQ(f.GetAsText(), "1.5");
    f.SetValue(1.0L / 3.0L);
    EXPECT_EQ(f.GetAsText(), "0.333333333333333");
    f.SetValue(1e20L);
    EXPECT_EQ(f.GetAsText(), "1E+020");
    f.SetValue(0.0L);
    f.SetAsText(" 1E+020 ");
    EXPECT_EQ(f.Value(), 1e20L);

    SetAppLocale(&comma);
    f.SetValue(2.25L);
    EXPECT_EQ(f.GetAsText(), "2,25");
    f.SetAsText("-0,5");
    EXPECT_EQ(f.Value(), -0.5L);
    config.changes.clear();
    for (const char* text : {"0.75", "abc", "", "1e"}) {
        f.SetAsText(text);
        EXPECT_EQ(f.Value(), -0.5L) << text;
    }
    EXPECT_EQ(config.changes.size(), 4u);
    SetAppLocale(nullptr);
}

TEST(EasyConfig, ColourTextReadsRedFirst) {
    TTestConfig config;
    auto& c = TConfigVarColor::Define(config, "core", 0, "c");
    c.SetAsText("#FF0000");
    EXPECT_EQ(c.Value(), 255);
    EXPECT_EQ(c.GetAsText(), "#FF0000");
    c.SetValue(0x123456);
    EXPECT_EQ(c.GetAsText(), "#563412");
    c.SetAsText("#00ff80");
    EXPECT_EQ(c.Value(), 0x80FF00);
    c.SetAsText("65280");
    EXPECT_EQ(c.Value(), 0xFF00);
    c.SetAsText("$FF");
    EXPECT_EQ(c.GetAsText(), "#FF0000");
}

TEST(EasyConfig, ColourAcceptsRgbNotationInEitherCase) {
    TTestConfig config;
    auto& c = TConfigVarColor::Define(config, "core", 0, "c");
    for (const char* text : {"rgb(0, 128, 255)", "RGB(0,128,255)", "  Rgb( 0 ,128 , 255 )  ", "rgb(256,$80,-1)"}) {
        c.SetValue(0);
        c.SetAsText(text);
        EXPECT_EQ(c.Value(), 0xFF8000) << text;
    }
    TColor color = 1;
    EXPECT_TRUE(c.ParseRgb("rgb(10,20)", color));
    EXPECT_EQ(color, 0x140Au);
    EXPECT_TRUE(c.ParseRgb("rgb(x,2,3)", color));
    EXPECT_EQ(color, 0x030200u);
    EXPECT_FALSE(c.ParseRgb("rgb(1,2)", color));
    EXPECT_FALSE(c.ParseRgb("rgx(1,2,3)", color));
}

TEST(EasyConfig, UnreadableColourTextKeepsTheValue) {
    TTestConfig config;
    auto& c = TConfigVarColor::Define(config, "core", 0x010203, "c");
    for (const char* text : {"rgb(1,2)", "#zz", "#", "#-1", "# FF", "#+FF", "#$FF", "#1FFFFFFFF", "red"}) {
        config.changes.clear();
        c.SetAsText(text);
        EXPECT_EQ(c.Value(), 0x010203) << text;
        EXPECT_EQ(config.changes.size(), 1u) << text;
    }
    config.changes.clear();
    c.SetModified(false);
    c.SetAsText("");
    EXPECT_TRUE(config.changes.empty());
    EXPECT_FALSE(c.Modified());
}

TEST(EasyConfig, IntArrayTextSplitsAtEveryBlankCommaOrSemicolon) {
    TTestConfig config;
    auto& a = TConfigVarIntArray::Define(config, "a", "l");
    struct Case {
        const char* text;
        std::string items;
    };
    for (const Case& c : {Case{"1,,3", "1 0 3"}, Case{"1 2 ", "1 2"}, Case{"1;2,3 4", "1 2 3 4"}, Case{",5", "0 5"},
                          Case{"x,$10", "0 16"}, Case{"", ""}, Case{" ", "0"}}) {
        a.SetItem(7, 1);
        config.changes.clear();
        a.SetAsText(c.text);
        EXPECT_EQ(a.GetAsText(), c.items) << c.text;
        EXPECT_EQ(config.changes.size(), static_cast<size_t>(std::max(a.Count(), 1))) << c.text;
    }
    // Emptying a list is a change that must be saved; an empty list emptied again is none.
    for (const bool byReset : {true, false}) {
        a.SetAsText("4 5");
        a.SetModified(false);
        config.changes.clear();
        byReset ? a.Reset() : a.SetAsText("");
        EXPECT_TRUE(a.Modified());
        EXPECT_EQ(config.changes.size(), 1u);
        a.SetModified(false);
        byReset ? a.Reset() : a.SetAsText("");
        EXPECT_FALSE(a.Modified());
    }
}

TEST(EasyConfig, IntArrayItemsGrowOnWriteAndReadZeroOutsideTheArray) {
    TTestConfig config;
    auto& a = TConfigVarIntArray::Define(config, "a", "l");
    EXPECT_EQ(a.GetAsText(), "");
    a.SetItem(2, -7);
    EXPECT_EQ(a.GetAsText(), "0 0 -7");
    EXPECT_EQ(a.Item(2), -7);
    EXPECT_EQ(a.Item(3), 0);
    EXPECT_EQ(a.Item(-1), 0);
    a.SetItem(-1, 5);
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(a.DataSize(), 12u);
    EXPECT_EQ(a.DataPtr(), nullptr);
    const int32_t raw = 9;
    a.SetData(&raw);
    a.Reset();
    EXPECT_EQ(a.Count(), 0);
}

TEST(EasyConfig, RawDataHasTheSizesOfTheValueTypes) {
    TTestConfig config;
    auto& b = TConfigVarBool::Define(config, "a", false, "b");
    auto& i = TConfigVarInt::Define(config, "a", -2, "i");
    auto& f = TConfigVarFloat::Define(config, "a", 2.5L, "f");
    auto& g = TConfigVarFloat::Define(config, "a", 0, "g");
    auto& s = TConfigVarStr::Define(config, "a", "abc", "s");
    EXPECT_EQ(b.DataSize(), 1u);
    EXPECT_EQ(i.DataSize(), 4u);
    EXPECT_EQ(f.DataSize(), 10u);
    EXPECT_EQ(s.DataSize(), 4u);
    EXPECT_STREQ(static_cast<const char*>(s.DataPtr()), "abc");

    const unsigned char one = 1;
    b.SetData(&one);
    EXPECT_TRUE(b.Value());
    i.SetMax(10);
    const int32_t eleven = 11;
    i.SetData(&eleven);
    EXPECT_EQ(i.Value(), INT32_MIN);
    g.SetData(f.DataPtr());
    EXPECT_EQ(g.Value(), 2.5L);
    s.SetData("xy");
    EXPECT_EQ(s.Value(), "xy");
    EXPECT_EQ(config.changes.size(), 4u);
}
