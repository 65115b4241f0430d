#include <gtest/gtest.h>

#include <filesystem>

#include "core/EasyConfig.h"
#include "core/PrivateProfile.h"
#include "tests/unit/TempFileTest.h"

using EasyConfigIniTest = TTempFileTest;

TEST_F(EasyConfigIniTest, LoadSetsEachPersistentVariableFromItsKeyOrItsDefaultAndLeavesNoneModified) {
    Put("[s]\r\nb=TRUE\r\nl=1,,3\r\nempty=\r\nquoted=\"  padded \"\r\nlong=" + std::string(300, 'x') +
        "\r\nskipped=9\r\n");
    TPortableProfile profile;
    TEasyConfigIni config(file_, profile);
    auto& b = TConfigVarBool::Define(config, "s", false, "b");
    auto& l = TConfigVarIntArray::Define(config, "s", "l");
    auto& absent = TConfigVarIntArray::Define(config, "s", "absent");
    auto& skipped = TConfigVarInt::Define(config, "s", 1, "skipped");
    for (const char* name : {"empty", "missing", "quoted", "long"})
        TConfigVarStr::Define(config, "s", "def", name).SetValue("x");
    l.SetItem(5, 5);
    absent.SetItem(0, 1);
    skipped.SetPersistent(false);
    skipped.SetValue(2);
    config.Load();
    std::string texts;
    for (int i = 4; i < 8; ++i)
        texts += config.Items(i)->GetAsText() + "|";
    EXPECT_EQ(texts, "|def|  padded |" + std::string(255, 'x') + "|");
    EXPECT_EQ(b.GetAsText() + "|" + l.GetAsText() + "|" + absent.GetAsText() + "|" + skipped.GetAsText(),
              "true|1 0 3||2");
    for (int i = 0; i < config.Count(); ++i)
        EXPECT_EQ(config.Items(i)->Modified(), config.Items(i) == &skipped) << config.Items(i)->Name();
}

TEST_F(EasyConfigIniTest, SaveWritesOnlyModifiedPersistentVariablesQuotedAsTKoIniWritesThem) {
    TPortableProfile profile;
    TEasyConfigIni config(file_, profile);
    auto& b = TConfigVarBool::Define(config, "core", false, "b");
    TConfigVarInt::Define(config, "core", 1, "untouched");
    auto& transient = TConfigVarInt::Define(config, "tool", 1, "transient");
    auto& s = TConfigVarStr::Define(config, "tool", "", "s");
    config.Load();
    config.Save();
    EXPECT_FALSE(std::filesystem::exists(file_));
    b.SetValue(false);
    transient.SetPersistent(false);
    transient.SetValue(5);
    // Which texts need quotes to read back unchanged is TKoIni's round trip; here they must be written.
    s.SetValue("  padded");
    config.Save();
    EXPECT_TRUE(!s.Modified() && transient.Modified());
    EXPECT_EQ(Bytes(), "[core]\r\nb=false\r\n[tool]\r\ns=\"  padded\"\r\n");
}
