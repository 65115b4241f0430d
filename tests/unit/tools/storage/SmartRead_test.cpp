#include "tools/storage/SmartRead.h"

#include <gtest/gtest.h>

#include "tests/unit/tools/storage/SmartTestDrives.h"

namespace {
// Counts the drives left open.
struct TCountingDrives : TReplayDrives {
    using TReplayDrives::TReplayDrives;
    std::unique_ptr<IDeviceIo> Open(int drive) override {
        auto device = TReplayDrives::Open(drive);
        return device ? std::make_unique<TCounted>(std::move(device), open_) : nullptr;
    }
    struct TCounted : IDeviceIo {
        TCounted(std::unique_ptr<IDeviceIo> inner, int& open) : inner_(std::move(inner)), open_(++open) {}
        ~TCounted() override { --open_; }
        bool IoControl(uint32_t c, const void* i, uint32_t is, void* o, uint32_t os, uint32_t& r) override {
            return inner_->IoControl(c, i, is, o, os, r);
        }
        std::unique_ptr<IDeviceIo> inner_;
        int& open_;
    };
    int open_ = 0;
};
}  // namespace

// Drives 0 and 3 answer; 1 opens but answers nothing; 2's pages disagree; 4 does not exist. Each failure is one
// log line, the one with the mismatch too, and no drive stays open.
TEST(SmartDrives, FailuresOfOneDriveAreLoggedAndTheNextIsRead) {
    std::vector<TTestAttribute> swapped = kSsd;
    std::swap(swapped[2], swapped[3]);
    TCountingDrives opener({RecordedDrive(0, TReplayRoute::Smart, kHardDisk), RecordedDrive(1, TReplayRoute::None, {}),
                            RecordedDrive(2, TReplayRoute::Smart, kSsd, ThresholdPage(swapped)),
                            RecordedDrive(3, TReplayRoute::Ata, kTemperatureDisk)});
    TSmartDrives drives(opener);
    drives.LastError = [] { return 31u; };
    drives.ErrorText = [](uint32_t code) { return "error " + std::to_string(code); };
    int64_t now = 100;
    drives.Counter = [&now] { return now += 7; };
    std::string found;
    for (int d = 0; d < 5; ++d) {
        found += drives.Query(d, kQueryAll, d == 3) ? "1" : "0";
        EXPECT_EQ(opener.open_, 0) << d;
    }
    EXPECT_EQ(found, "10010");
    EXPECT_EQ(drives.ErrorLog(),
              "- IsSmartSupported(1): 0x001F = \"error 31\"\r\n"
              "- QueryAttributes(2): SmartReader: Unexpected threshold index (12 <> 9)\r\n");
    EXPECT_EQ(drives.QueryTicks(), 7);
    ASSERT_TRUE(drives.Slot(3));
    EXPECT_FALSE(drives.Slot(2));
    EXPECT_EQ(IdentifyText(drives.Slot(3)->Identify, kSerialOffset, kSerialLength), "WD-WCC6Y0123453");
    EXPECT_EQ(drives.Slot(3)->Attributes.size(), kTemperatureDisk.size());
    EXPECT_EQ(QueryTimeText(7, 1000), "Query Time: 7.00 msec");
}
