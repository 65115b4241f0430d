#include "core/ConfigEditorRows.h"

#include <gtest/gtest.h>

#include "core/PrivateProfile.h"

namespace {
class ConfigEditorRows : public ::testing::Test {
  protected:
    TPortableProfile profile_;
    TEasyConfigIni config_{"unused.ini", profile_};
};

TEST_F(ConfigEditorRows, ColoursAreMarkedAsColoursNotIntegers) {
    EXPECT_EQ(TypeMarkerColor(TConfigVarColor::Define(config_, "core", 0, "color_back")), 0xC98294u);
    EXPECT_EQ(TypeMarkerColor(TConfigVarNamed::Define(config_, "browser", 0, "sort_method")), 0xBA980Du);
    EXPECT_EQ(TypeMarkerColor(TConfigVarBool::Define(config_, "x", false, "b")), 0x4763FFu);
    EXPECT_EQ(TypeMarkerColor(TConfigVarFloat::Define(config_, "x", 0, "f")), 0x60A4F4u);
    EXPECT_EQ(TypeMarkerColor(TConfigVarStr::Define(config_, "x", "", "s")), 0x44AA44u);
    EXPECT_EQ(TypeMarkerColor(TConfigVarIntArray::Define(config_, "x", "a")), 0x00A5FFu);
}

TEST_F(ConfigEditorRows, RowsShowTheNameTheModifiedMarkAndTheDisplayText) {
    TConfigVarNamed& sort = TConfigVarNamed::Define(config_, "browser", 0, "sort_method");
    sort.Names() = {"Index", "Title"};
    EXPECT_EQ(RowLeftText(sort), "browser.sort_method ");
    sort.SetValue(1);
    EXPECT_EQ(RowLeftText(sort), "browser.sort_method *");
    EXPECT_EQ(RowRightText(sort), "Title (1)");
    sort.SetValue(5);
    EXPECT_EQ(RowRightText(sort), "5");
    EXPECT_EQ(EditPrompt(sort), "Enter a new [integer] value for \"browser.sort_method\"...");
}

TEST_F(ConfigEditorRows, SteppingAColourWrapsEachChannelOnItsOwn) {
    TConfigVarColor& color = TConfigVarColor::Define(config_, "core", 0, "color_mark");
    color.SetValue(255 | 0 << 8 | 10 << 16);
    StepVariable(color, 1);
    EXPECT_EQ(color.GetAsText(), "#00010B");
    StepVariable(color, -1);
    StepVariable(color, -1);
    EXPECT_EQ(color.GetAsText(), "#FEFF09");
}

TEST_F(ConfigEditorRows, SteppingNumbersWrapsAtTheirBoundsAndLeavesTextsAlone) {
    TConfigVarInt& number = TConfigVarInt::Define(config_, "browser", 6, "extra_info");
    number.SetMin(0);
    number.SetMax(6);
    StepVariable(number, 1);
    EXPECT_EQ(number.Value(), 0);
    StepVariable(number, -1);
    EXPECT_EQ(number.Value(), 6);
    TConfigVarInt& wide = TConfigVarInt::Define(config_, "x", INT32_MAX, "wide");
    StepVariable(wide, 1);
    EXPECT_EQ(wide.Value(), INT32_MIN);
    TConfigVarBool& flag = TConfigVarBool::Define(config_, "x", false, "flag");
    StepVariable(flag, -1);
    EXPECT_TRUE(flag.Value());
    TConfigVarStr& text = TConfigVarStr::Define(config_, "x", "abc", "text");
    text.SetModified(false);
    StepVariable(text, 1);
    EXPECT_FALSE(text.Modified());
    TConfigVarFloat& real = TConfigVarFloat::Define(config_, "x", 1.5L, "real");
    StepVariable(real, -1);
    EXPECT_EQ(real.Value(), 0.5L);
}
}  // namespace
