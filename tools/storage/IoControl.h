#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The device I/O control codes the SMART reader sends.
constexpr uint32_t kSmartSendDriveCommand = 0x0007C084;
constexpr uint32_t kSmartRcvDriveData = 0x0007C088;
constexpr uint32_t kScsiPassThrough = 0x0004D004;
constexpr uint32_t kAtaPassThrough = 0x0004D02C;

// An open physical drive: the platform's device I/O control on it.
class IDeviceIo {
  public:
    virtual ~IDeviceIo() = default;
    // False when the call failed; returned is what the driver says it wrote, which nobody should trust.
    virtual bool IoControl(uint32_t code,
                           const void* in,
                           uint32_t inSize,
                           void* out,
                           uint32_t outSize,
                           uint32_t& returned) = 0;
};

// The physical drives by number.
class IDeviceIoOpener {
  public:
    virtual ~IDeviceIoOpener() = default;
    // Null when the drive does not open.
    virtual std::unique_ptr<IDeviceIo> Open(int drive) = 0;
};

// The machine's drives. On Windows, when the environment variable DD_SMART_REPLAY names a replay file, its drives
// instead (see ReadSmartReplay).
IDeviceIoOpener& SystemDrives();

// Where the fields of the pass-through headers lie. The platform's structures hold a pointer-sized offset, so the
// 32-bit and 64-bit builds differ; the Windows half checks its own against the real structures.
struct TPassThroughLayout {
    uint32_t offsetSize;  // of the data buffer offsets
    // ATA_PASS_THROUGH_EX
    uint32_t ataSize, ataFlags, ataDataLength, ataTimeOut, ataDataOffset, ataTaskFile;
    // SCSI_PASS_THROUGH
    uint32_t scsiSize, scsiStatus, scsiCdbLength, scsiDataIn, scsiDataLength, scsiTimeOut, scsiDataOffset, scsiCdb;
};
constexpr TPassThroughLayout kPassThrough32{4, 40, 2, 8, 12, 20, 32, 44, 2, 6, 8, 12, 16, 20, 28};
constexpr TPassThroughLayout kPassThrough64{8, 48, 2, 8, 12, 24, 40, 56, 2, 6, 8, 12, 16, 24, 36};
inline constexpr const TPassThroughLayout& kPassThroughLayout = sizeof(void*) == 8 ? kPassThrough64 : kPassThrough32;

// Which way a recorded drive answers: only through the SMART interface, only SCSI-wrapped ATA, only plain ATA
// pass-through, every call "succeeding" with noise (and absurd lengths), or not at all.
enum class TReplayRoute { Smart, Scsi, Ata, Garbage, None };

// Drives that answer from recorded pages, for tests and for showing the window without real drives.
struct TReplayDrive {
    int Number = 0;
    TReplayRoute Route = TReplayRoute::Smart;
    std::string Identify, Data, Thresholds;  // 512-byte pages as the drive sends them
};

// One drive per "drive <number> <smart|scsi|ata|garbage|none>" line, whose pages follow as lines
// "identify|data|thresholds <hex digits>" (a page runs on over lines of the same name; short pages are zero-filled).
// Lines it does not know are skipped.
std::vector<TReplayDrive> ReadSmartReplay(const std::string& text);

class TReplayDrives : public IDeviceIoOpener {
  public:
    explicit TReplayDrives(std::vector<TReplayDrive> drives, const TPassThroughLayout& layout = kPassThroughLayout)
        : drives_(std::move(drives)), layout_(layout) {}
    std::unique_ptr<IDeviceIo> Open(int drive) override;
    // Every control code sent to any drive, in order.
    const std::vector<uint32_t>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

  private:
    std::vector<TReplayDrive> drives_;
    const TPassThroughLayout& layout_;
    std::vector<uint32_t> calls_;
};
