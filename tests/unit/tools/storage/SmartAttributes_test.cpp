#include "tools/storage/SmartAttributes.h"

#include <gtest/gtest.h>

#include "core/Locale.h"
#include "tests/unit/tools/storage/SmartTestDrives.h"
#include "tools/storage/SmartRead.h"

namespace {
class SmartAttributes : public ::testing::Test {
  protected:
    void SetUp() override { SetAppLocale(&locale_); }
    void TearDown() override { SetAppLocale(nullptr); }
    TFixedLocale locale_;
    TSmartAttributesFallback meaning_;
};
}  // namespace

// The row texts of the attribute list, by hand from the raw bytes: name, id, hex id, real value, current, worst,
// threshold, raw value, flags, reserved; and the status picture.
TEST_F(SmartAttributes, RowsReadAsTheDriveMeantThem) {
    const struct {
        TSmartAttribute a;
        const char* row;
        int status;
    } kCases[] = {
        {{3, 0x27, 171, 169, 4425, 0, 21}, "Spin-Up Time|003|03|4,425 ms|171|169|21|$1149|100111|", 1},
        {{3, 0x27, 171, 169, 0, 0, 21}, "Spin-Up Time|003|03||171|169|21||100111|", 1},
        {{9, 0x32, 73, 73, 19811, 0, 0}, "Power-on Hours (POH)|009|09|825d 11h|73|73||$4D63|110010|", 0},
        {{9, 0, 0, 0, 0, 7, 0}, "Power-on Hours (POH)|009|09|0d 0h|||||000000|7", 1},
        {{9, 0, 1, 1, 0x100000030, 0, 0}, "Power-on Hours (POH)|009|09|2d 0h|1|1||$100000030|000000|", 0},
        {{194, 0x22, 38, 45, 0x2D120026, 0, 0},
         "Temperature|194|C2|38 \xB0"
         "C|38|45||$2D120026|100010|",
         0},
        {{190, 0x22, 62, 55, 0, 0, 45},
         "Airflow Temperature|190|BE|0 \xB0"
         "C|62|55|45||100010|",
         1},
        {{241, 0x32, 99, 99, 12345678901, 0, 0},
         "Lifetime Writes from Host|241|F1|12,345,678,901|99|99||$2DFDC1C35|110010|",
         0},
        {{5, 0x8001, 36, 36, 0xFFFFFFFFFFFF, 0, 36},
         "Reallocated Sector Count|005|05|281,474,976,710,655|36|36|36|$FFFFFFFFFFFF|1000000000000001|",
         3},
        {{1, 0x0F, 100, 30, 1, 0, 36}, "Raw Read Error Rate|001|01|1|100|30|36|$0001|001111|", 2},
        {{1, 0x0F, 200, 253, 0, 0, 200}, "Raw Read Error Rate|001|01||200|253|200||001111|", 3},
        {{175, 0, 100, 100, 5, 0, 0}, "<Unknown>|175|AF|5|100|100||$0005|000000|", 0},
    };
    for (const auto& c : kCases) {
        std::string row = SmartColumnText(meaning_, c.a, 0);
        for (int column = 1; column < kSmartColumnCount; ++column)
            row += "|" + SmartColumnText(meaning_, c.a, column);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(meaning_.AttributeStatus(c.a), c.status) << c.row;
    }
}

// 13 classic names, 61 later ones; only the later table knows 170 and up.
TEST_F(SmartAttributes, NamesComeFromTwoTables) {
    int named = 0;
    for (int id = 0; id < 256; ++id)
        named += meaning_.AttributeName(id) != "<Unknown>";
    EXPECT_EQ(named, 74);
    EXPECT_EQ(TSmartAttributes().AttributeName(194), "<Unknown>");
    EXPECT_EQ(TSmartAttributes().AttributeName(12), "Power Cycle Count");
}

TEST_F(SmartAttributes, TheDriveTakesItsWorstStatus) {
    const auto status = [this](const std::vector<TTestAttribute>& attributes) {
        const std::string page = DataPage(attributes);
        std::vector<TSmartAttribute> read = ParseSmartData(reinterpret_cast<const uint8_t*>(page.data()));
        ApplySmartThresholds(read, reinterpret_cast<const uint8_t*>(ThresholdPage(attributes).data()));
        return DriveStatus(meaning_, read);
    };
    EXPECT_EQ(status({}), 0);
    EXPECT_EQ(status(kHardDisk), 1);
    EXPECT_EQ(status(kFailingDisk), 3);
    EXPECT_EQ(status({{1, 0x0F, 110, 6, 1, 6}}), 2);
}
