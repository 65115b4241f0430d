#include "tools/storage/DriveVolumes.h"

#include <gtest/gtest.h>

#include <set>

namespace {
// A: an empty card slot, C: a 100 GiB disk a quarter free, D: a volume of no size. Icons are counted.
class TFakeDrives : public IDrivePlatform {
  public:
    std::set<uintptr_t> icons;
    uint32_t LogicalDrives() override { return 1u | 4u | 8u; }
    uint32_t DriveType(const std::string& root) override { return root == "A:\\" ? 2 : root == "D:\\" ? 9 : 3; }
    bool QueryVolume(const std::string& root, TDriveVolume& v, uint32_t& error) override {
        if (root == "A:\\")
            return (error = 21), false;
        v.VolumeName = root == "C:\\" ? "System" : "";
        v.SerialNumber = 0x1234ABCD;
        v.MaxComponentLength = 255;
        v.FileSystemFlags = 0x3E700FF;
        v.FileSystemName = "NTFS";
        return true;
    }
    bool QueryFreeSpace(const std::string& root, int64_t& available, int64_t& total, uint32_t&) override {
        total = root == "C:\\" ? 100LL << 30 : 0;
        available = total / 4;
        return true;
    }
    uintptr_t DriveIcon(const std::string& root) override { return *icons.insert(root[0]).first; }
    void DestroyIcon(uintptr_t icon) override { EXPECT_EQ(icons.erase(icon), 1u); }
};

std::string Row(const TDriveVolume& v, int unit) {
    std::string row;
    for (int column = 0; column < kDriveColumnCount; ++column)
        row += DriveCellText(v, column, unit) + "|";
    return row;
}
}  // namespace

TEST(DriveVolumes, RowsOfAHealthyAFailedAndAnEmptyVolume) {
    TFakeDrives drives;
    {
        TDriveVolumes volumes(drives);
        ASSERT_EQ(volumes.Refresh(), 3);
        EXPECT_EQ(Row(volumes.Item(1), 4),
                  "System (C:)|100.0000|25.0000|NTFS|1234-abcd|Fixed (3)|255|$3E700FF|75.0%|25.0%|");
        EXPECT_EQ(volumes.Item(0).ErrorCode, 21u);
        EXPECT_EQ(Row(volumes.Item(0), 4), " (A:)||||0000-0000|Removable (2)|0|$00000|100.0%|0.0%|");
        EXPECT_EQ(Row(volumes.Item(2), 4), " (D:)|||NTFS|1234-abcd|Unknown (9)|255|$3E700FF|100.0%|0.0%|");
        EXPECT_EQ(drives.icons.size(), 3u);
        volumes.Refresh();  // the old icons go
        EXPECT_EQ(drives.icons.size(), 3u);
    }
    EXPECT_TRUE(drives.icons.empty());
}

TEST(DriveVolumes, SpacesInEachUnitWithTheirDecimals) {
    std::string texts;
    for (int unit = 0; unit <= 5; ++unit)
        texts += DriveSpaceText(1536, unit) + "|";
    EXPECT_EQ(texts, "12,288|1,536|2|0.00|0.0000|0.000000|");
}
