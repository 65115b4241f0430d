#include "core/ConfigEditorRows.h"

#include <gtest/gtest.h>

#include "core/PrivateProfile.h"

namespace {
class ConfigEditorRows : public ::testing::Test {
  protected:
    TPortableProfile profile_;
    TEasyConfigIni config_{"unused.ini", profile_};
};

TEST_F(ConfigEditorRows, RowsShowTheModifiedMarkAndTheNameOfANamedValue) {
    TConfigVarNamed& sort = TConfigVarNamed::Define(config_, "browser", 0, "sort_method");
    sort.Names() = {"Index", "Title"};
    EXPECT_EQ(RowLeftText(sort) + "|" + RowRightText(sort), "browser.sort_method |Index (0)");
    std::string right;
    for (const int value : {1, 2, -1}) {
        sort.SetValue(value);
        right += RowRightText(sort) + "|";
    }
    EXPECT_EQ(RowLeftText(sort) + "|" + right, "browser.sort_method *|Title (1)|2|-1|");
}

TEST_F(ConfigEditorRows, SteppingWrapsNumbersAtTheirBoundsAndEachColourChannelOnItsOwn) {
    TConfigVarColor& color = TConfigVarColor::Define(config_, "core", 255 | 0 << 8 | 10 << 16, "color_mark");
    StepVariable(color, -1);  // stepping up is in the editor window scenario
    EXPECT_EQ(color.GetAsText(), "#FEFF09");
    TConfigVarInt& number = TConfigVarInt::Define(config_, "browser", 6, "extra_info");
    number.SetMax(6);
    StepVariable(number, 1);
    EXPECT_EQ(number.Value(), INT32_MIN);
    StepVariable(number, -1);
    EXPECT_EQ(number.Value(), 6);
    TConfigVarBool& flag = TConfigVarBool::Define(config_, "x", false, "flag");
    TConfigVarFloat& real = TConfigVarFloat::Define(config_, "x", 1.5L, "real");
    TConfigVarStr& text = TConfigVarStr::Define(config_, "x", "abc", "text");
    StepVariable(flag, -1);
    StepVariable(real, -1);
    StepVariable(text, -1);
    EXPECT_TRUE(flag.Value() && real.Value() == 0.5L && !text.Modified());
}
}  // namespace
