#include <unistd.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/EasyConfig.h"
#include "core/PrivateProfile.h"
#include "tests/unit/TempFileTest.h"

namespace fs = std::filesystem;

namespace {

class EasyConfigIniTest : public TTempFileTest {
  protected:
    void SetUp() override {
        TTempFileTest::SetUp();
        config_.OnChange = [this](TConfigVar& var) { changes_.push_back(var.FullName()); };
    }
    TPortableProfile profile_;
    TEasyConfigIni config_{"", profile_};
    std::vector<std::string> changes_;
};

}  // namespace

TEST_F(EasyConfigIniTest, LoadSetsEveryPersistentVariableOnceAndClearsModified) {
    Put("[core]\r\nb1=TRUE\r\nb2=1\r\nb3=yes\r\nb4=0\r\ncolor=#FF0000\r\nf=abc\r\nl=1,,3\r\n");
    config_.SetFileName(file_);
    auto& b1 = TConfigVarBool::Define(config_, "core", false, "b1");
    auto& b2 = TConfigVarBool::Define(config_, "core", false, "b2");
    auto& b3 = TConfigVarBool::Define(config_, "core", true, "b3");
    auto& b4 = TConfigVarBool::Define(config_, "core", true, "b4");
    auto& color = TConfigVarColor::Define(config_, "core", 0, "color");
    auto& f = TConfigVarFloat::Define(config_, "core", 2.5L, "f");
    auto& l = TConfigVarIntArray::Define(config_, "core", "l");
    auto& absent = TConfigVarIntArray::Define(config_, "core", "absent");
    l.SetItem(5, 5);
    absent.SetItem(0, 1);
    changes_.clear();

    config_.Load();

    EXPECT_TRUE(b1.Value());
    EXPECT_TRUE(b2.Value());
    EXPECT_FALSE(b3.Value());
    EXPECT_FALSE(b4.Value());
    EXPECT_EQ(color.Value(), 255);
    EXPECT_EQ(f.Value(), 2.5L);
    EXPECT_EQ(l.GetAsText(), "1 0 3");
    EXPECT_EQ(absent.Count(), 0);
    EXPECT_EQ(changes_, (std::vector<std::string>{"core.b1", "core.b2", "core.b3", "core.b4", "core.color", "core.f",
                                                  "core.l", "core.l", "core.l", "core.absent"}));
    for (int i = 0; i < config_.Count(); ++i)
        EXPECT_FALSE(config_.Items(i)->Modified()) << config_.Items(i)->FullName();
}

TEST_F(EasyConfigIniTest, LoadSkipsVariablesThatAreNotPersistent) {
    Put("[a]\r\ni=9\r\n");
    config_.SetFileName(file_);
    auto& i = TConfigVarInt::Define(config_, "a", 1, "i");
    i.SetPersistent(false);
    i.SetValue(2);
    changes_.clear();
    config_.Load();
    EXPECT_EQ(i.Value(), 2);
    EXPECT_TRUE(i.Modified());
    EXPECT_TRUE(changes_.empty());
}

TEST_F(EasyConfigIniTest, OnlyAMissingKeyResetsToTheDefault) {
    Put("[a]\r\nempty=\r\nesc=\x1b\r\nquoted=\"  padded \"\r\n");
    config_.SetFileName(file_);
    auto& empty = TConfigVarStr::Define(config_, "a", "def", "empty");
    auto& esc = TConfigVarStr::Define(config_, "a", "def", "esc");
    auto& missing = TConfigVarStr::Define(config_, "a", "def", "missing");
    auto& quoted = TConfigVarStr::Define(config_, "a", "def", "quoted");
    empty.SetValue("x");
    esc.SetValue("x");
    missing.SetValue("x");
    config_.Load();
    EXPECT_EQ(empty.Value(), "");
    EXPECT_EQ(esc.Value(), "def");
    EXPECT_EQ(missing.Value(), "def");
    EXPECT_EQ(quoted.Value(), "  padded ");
}

TEST_F(EasyConfigIniTest, LoadCutsValuesTo255Characters) {
    const std::string longText(300, 'x');
    Put("[a]\r\ns=" + longText + "\r\n");
    config_.SetFileName(file_);
    auto& s = TConfigVarStr::Define(config_, "a", "", "s");
    config_.Load();
    EXPECT_EQ(s.Value(), longText.substr(0, 255));
}

TEST_F(EasyConfigIniTest, SaveWritesOnlyModifiedPersistentVariablesInCreationOrder) {
    config_.SetFileName(file_);
    auto& b = TConfigVarBool::Define(config_, "core", false, "b");
    TConfigVarInt::Define(config_, "core", 1, "untouched");
    auto& color = TConfigVarColor::Define(config_, "core", 0, "color");
    auto& l = TConfigVarIntArray::Define(config_, "tool", "l");
    auto& transient = TConfigVarInt::Define(config_, "tool", 1, "transient");
    auto& s = TConfigVarStr::Define(config_, "core", "", "s");
    config_.Load();
    EXPECT_FALSE(fs::exists(file_));

    s.SetValue("text");
    l.SetAsText("1,2");
    color.SetAsText("rgb(255,0,0)");
    b.SetValue(false);
    transient.SetPersistent(false);
    transient.SetValue(5);
    config_.Save();

    EXPECT_EQ(Bytes(), "[core]\r\nb=false\r\ncolor=#FF0000\r\ns=text\r\n[tool]\r\nl=1 2\r\n");
    EXPECT_FALSE(s.Modified());
    EXPECT_TRUE(transient.Modified());
    fs::remove(file_);
    config_.Save();
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(EasyConfigIniTest, TextsWithBlankEndsOrQuotesSurviveSaveAndLoad) {
    config_.SetFileName(file_);
    const std::vector<std::string> texts = {"  padded", "trail\t", "\"quoted\"", "'single'", "\"open", "plain"};
    for (size_t i = 0; i < texts.size(); ++i)
        TConfigVarStr::Define(config_, "s", "", "k" + std::to_string(i)).SetValue(texts[i]);
    config_.Save();
    EXPECT_NE(Bytes().find("k5=plain\r\n"), std::string::npos);
    EXPECT_NE(Bytes().find("k4=\"open\r\n"), std::string::npos);

    TEasyConfigIni reloaded(file_, profile_);
    for (size_t i = 0; i < texts.size(); ++i)
        TConfigVarStr::Define(reloaded, "s", "default", "k" + std::to_string(i));
    reloaded.Load();
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(static_cast<TConfigVarStr*>(reloaded.Items(static_cast<int>(i)))->Value(), texts[i]);
}
