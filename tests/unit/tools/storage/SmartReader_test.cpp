#include "tools/storage/SmartReader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/unit/tools/storage/SmartTestDrives.h"

// Registers from the ATA command set: SMART ENABLE OPERATIONS, IDENTIFY DEVICE, SMART READ DATA and READ
// ATTRIBUTE THRESHOLDS; buffer size, then features, count, LBA low/mid/high, device, command, reserved, drive.
TEST(SmartReader, RequestsCarryTheCommandsRegisters) {
    struct {
        TSmartCommand command;
        uint8_t bytes[13];
    } const kCases[] = {{TSmartCommand::Enable, {1, 0, 0, 0, 0xD8, 0, 0, 0x4F, 0xC2, 0xA0, 0xB0, 0, 3}},
                        {TSmartCommand::Identify, {0, 2, 0, 0, 0, 1, 1, 0, 0, 0xA0, 0xEC, 0, 3}},
                        {TSmartCommand::ReadData, {0, 2, 0, 0, 0xD0, 1, 0, 0x4F, 0xC2, 0xA0, 0xB0, 0, 3}},
                        {TSmartCommand::ReadThresholds, {0, 2, 0, 0, 0xD1, 1, 0, 0x4F, 0xC2, 0xA0, 0xB0, 0, 3}}};
    for (const auto& c : kCases) {
        const TSmartRequest request = BuildSmartRequest(c.command, 3);
        EXPECT_EQ(0, std::memcmp(request.data(), c.bytes, 13)) << static_cast<int>(c.command);
        EXPECT_TRUE(std::all_of(request.begin() + 13, request.end(), [](uint8_t b) { return b == 0; }));
    }
}

// The SMART interface first; a SCSI route that answers keeps the plain ATA route untried; a drive that answers
// only the last route is read all the same. Both header layouts, as the 32- and 64-bit builds use them. Once
// closed, nothing more is asked and the list stays.
TEST(SmartReader, TriesTheRoutesInOrderAndReadsTheSameFromEach) {
    const uint32_t S = kSmartSendDriveCommand, R = kSmartRcvDriveData, P = kScsiPassThrough, A = kAtaPassThrough;
    const struct {
        TReplayRoute route;
        std::vector<uint32_t> calls;  // enable, identify, data, thresholds
    } kCases[] = {{TReplayRoute::Smart, {S, R, R, R}},
                  {TReplayRoute::Scsi, {S, P, R, P, R, P, R, P}},
                  {TReplayRoute::Ata, {S, P, A, R, P, A, R, P, A, R, P, A}}};
    for (const TPassThroughLayout* layout : {&kPassThrough32, &kPassThrough64}) {
        for (const auto& c : kCases) {
            TReplayDrives drives({RecordedDrive(0, c.route, kHardDisk)}, *layout);
            TSmartReader reader(drives, *layout);
            ASSERT_TRUE(reader.Open(0));
            EXPECT_TRUE(reader.IsSmartSupported());
            EXPECT_TRUE(reader.QueryVendorInfo());
            EXPECT_EQ(reader.QueryAttributes(), static_cast<int>(kHardDisk.size()));
            reader.Close();
            EXPECT_EQ(reader.QueryAttributes(), -1);
            EXPECT_FALSE(reader.IsSmartSupported() || reader.QueryVendorInfo());
            EXPECT_EQ(reader.AttributeCount(), static_cast<int>(kHardDisk.size()));
            EXPECT_EQ(drives.Calls(), c.calls) << static_cast<int>(c.route) << " " << layout->ataSize;
            EXPECT_EQ(IdentifyText(reader.Identify(), kModelOffset, kModelLength), "WDC WD10EZEX-08WN4A0");
            EXPECT_EQ(IdentifyText(reader.Identify(), kFirmwareOffset, kFirmwareLength), "01.01A01");
            const TSmartAttribute& a = *reader.Attribute(1);
            EXPECT_TRUE(a.Id == 3 && a.Flags == 0x27 && a.Current == 171 && a.Worst == 169 && a.Raw == 4425 &&
                        a.Threshold == 21);
        }
    }
}

// Whatever lengths the driver reports, no more than was asked for lands in the caller's buffer.
TEST(SmartReader, AnswersWithAbsurdLengthsStayInTheirBuffers) {
    class TLiar : public IDeviceIo {
      public:
        bool IoControl(uint32_t code, const void*, uint32_t, void* out, uint32_t outSize, uint32_t& returned) override {
            if (code != kAtaPassThrough)
                return false;
            std::memset(out, 0x5A, outSize);  // the header's length fields too
            returned = 0xFFFFFFFF;
            return true;
        }
    } liar;
    for (const TPassThroughLayout* layout : {&kPassThrough32, &kPassThrough64}) {
        uint8_t answer[18] = {};
        ASSERT_TRUE(SendDriveCommand(liar, kSmartSendDriveCommand, BuildSmartRequest(TSmartCommand::Enable, 0), answer,
                                     17, *layout));
        EXPECT_EQ(answer[16], 0x5A);
        EXPECT_EQ(answer[17], 0) << "one byte asked for";
    }
    // Noise through the SCSI route with status 0: read it, never past it.
    TReplayDrives drives({{0, TReplayRoute::Garbage, {}, {}, {}}});
    TSmartReader reader(drives);
    ASSERT_TRUE(reader.Open(0));
    EXPECT_TRUE(reader.IsSmartSupported());
    EXPECT_TRUE(reader.QueryVendorInfo());
    try {
        EXPECT_LE(reader.QueryAttributes(), 30);
    } catch (const ESmartReaderError&) {
    }
}

TEST(SmartReader, WalksEntriesUpToIdZeroOrThirty) {
    std::vector<TTestAttribute> many;
    for (int id = 1; id <= 31; ++id)
        many.push_back({static_cast<uint8_t>(id), 0, 100, 100, 0, static_cast<uint8_t>(id)});
    EXPECT_EQ(ParseSmartData(reinterpret_cast<const uint8_t*>(DataPage(many).data())).size(), 30u);
    many.resize(4);
    std::string page = DataPage(many) + std::string(12, '\0');
    page[2 + 4 * 12 + 12] = 9;  // after the end
    std::vector<TSmartAttribute> read = ParseSmartData(reinterpret_cast<const uint8_t*>(page.data()));
    ASSERT_EQ(read.size(), 4u);
    // A threshold page that ends early leaves the rest at 0.
    std::string thresholds = ThresholdPage(many);
    thresholds[2 + 2 * 12] = 0;
    ApplySmartThresholds(read, reinterpret_cast<const uint8_t*>(thresholds.data()));
    EXPECT_EQ(std::vector<int>({read[0].Threshold, read[1].Threshold, read[2].Threshold, read[3].Threshold}),
              std::vector<int>({1, 2, 0, 0}));
}

TEST(SmartReader, SwapsBytePairsLeavingAnOddLastByte) {
    uint8_t text[] = "BADCE";
    SwapBytePairs(text, 5);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "ABCDE");
}
