#include "tools/storage/DosDevices.h"

#include <gtest/gtest.h>

#include <map>

#include "core/KoIni.h"
#include "tests/unit/TempFileTest.h"

namespace {
class TFakeDevices : public IDosDevices {
  public:
    std::map<char, std::string> Table;

    bool Query(char letter, std::string& target) override {
        const auto found = Table.find(letter);
        return found != Table.end() && (target = found->second, true);
    }
    uint32_t Define(uint32_t, char letter, const std::string& target) override {
        Table[letter] = target;
        return 0;
    }
};

class DosDevicesTest : public TTempFileTest {};
constexpr const char* kSection = "drivesubst.Auto";
}  // namespace

// Ticks come from the saved section; closing writes ticked rows, forgets unticked ones and keeps what was saved for
// letters that are not mapped now, so a failed restore at log-on does not lose the mapping; the garbage around
// stays as it was.
TEST_F(DosDevicesTest, SavingKeepsMappingsOfLettersWithoutARow) {
    Put("[drivesubst.Auto]\nnot a line\nQ=\\??\\C:\\Gone\nW=\\??\\C:\\Old\nY=\\??\\C:\\Y\nXY=junk\n");
    TKoIni ini(file_);
    TFakeDevices devices;
    devices.Table = {{'C', "\\Device\\HarddiskVolume1"}, {'W', "\\??\\C:\\New; \"quoted\""}, {'Y', "\\??\\C:\\Y"}};
    TSubstScan scan = ScanDosDevices(devices, ini, kSection);
    ASSERT_EQ(scan.Rows.size(), 3u);
    EXPECT_EQ(SubstRowText(scan.Rows[1]), "W: => \\??\\C:\\New; \"quoted\"");
    EXPECT_FALSE(scan.Rows[0].Checked);
    EXPECT_TRUE(scan.Rows[1].Checked && scan.Rows[2].Checked);
    EXPECT_EQ(std::string(scan.FreeLetters.begin(), scan.FreeLetters.end()), "ABDEFGHIJKLMNOPQRSTUVXZ");

    scan.Rows[2].Checked = false;
    scan.Rows[0].Checked = true;  // a disk's own letter is never restored
    EXPECT_TRUE(SaveSubstitutions(scan.Rows, ini, kSection));
    EXPECT_EQ(ini.ReadString(kSection, "W", ""), "\\??\\C:\\New; \"quoted\"");
    EXPECT_EQ(Bytes(),
              "[drivesubst.Auto]\r\nnot a line\r\nQ=\\??\\C:\\Gone\r\nW=\\??\\C:\\New; \"quoted\"\r\nXY=junk\r\n");

    // Unticking the last ones leaves nothing to restore only when no unmapped letter is saved either.
    scan.Rows[1].Checked = false;
    EXPECT_TRUE(SaveSubstitutions(scan.Rows, ini, kSection));
    ini.DeleteKey(kSection, "Q");
    EXPECT_FALSE(SaveSubstitutions(scan.Rows, ini, kSection));
}

// The log-on run maps the saved letters that are free and leaves a letter in use to its drive.
TEST_F(DosDevicesTest, RestoreMapsOnlyFreeLetters) {
    Put("[drivesubst.Auto]\nC=\\??\\D:\\Over\nK=\\??\\C:\\K\nM=\n");
    TKoIni ini(file_);
    TFakeDevices devices;
    devices.Table = {{'C', "\\Device\\HarddiskVolume1"}};
    RestoreSubstitutions(devices, ini, kSection);
    EXPECT_EQ(devices.Table, (std::map<char, std::string>{{'C', "\\Device\\HarddiskVolume1"}, {'K', "\\??\\C:\\K"}}));
}
