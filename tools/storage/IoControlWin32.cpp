#include <windows.h>
// needs the types of windows.h
#include <winioctl.h>
// needs the control-code macros of winioctl.h
#include <ntddscsi.h>

#include <cstddef>

#include "core/Format.h"
#include "core/HandlesWin32.h"
#include "core/KoLibWin32.h"
#include "tools/storage/IoControl.h"

// The portable code builds the headers by offsets: they must be the platform's.
static_assert(sizeof(ATA_PASS_THROUGH_EX) == kPassThroughLayout.ataSize);
static_assert(offsetof(ATA_PASS_THROUGH_EX, AtaFlags) == kPassThroughLayout.ataFlags);
static_assert(offsetof(ATA_PASS_THROUGH_EX, DataTransferLength) == kPassThroughLayout.ataDataLength);
static_assert(offsetof(ATA_PASS_THROUGH_EX, TimeOutValue) == kPassThroughLayout.ataTimeOut);
static_assert(offsetof(ATA_PASS_THROUGH_EX, DataBufferOffset) == kPassThroughLayout.ataDataOffset);
static_assert(sizeof(ATA_PASS_THROUGH_EX::DataBufferOffset) == kPassThroughLayout.offsetSize);
static_assert(offsetof(ATA_PASS_THROUGH_EX, CurrentTaskFile) == kPassThroughLayout.ataTaskFile);
static_assert(sizeof(SCSI_PASS_THROUGH) == kPassThroughLayout.scsiSize);
static_assert(offsetof(SCSI_PASS_THROUGH, ScsiStatus) == kPassThroughLayout.scsiStatus);
static_assert(offsetof(SCSI_PASS_THROUGH, CdbLength) == kPassThroughLayout.scsiCdbLength);
static_assert(offsetof(SCSI_PASS_THROUGH, DataIn) == kPassThroughLayout.scsiDataIn);
static_assert(offsetof(SCSI_PASS_THROUGH, DataTransferLength) == kPassThroughLayout.scsiDataLength);
static_assert(offsetof(SCSI_PASS_THROUGH, TimeOutValue) == kPassThroughLayout.scsiTimeOut);
static_assert(offsetof(SCSI_PASS_THROUGH, DataBufferOffset) == kPassThroughLayout.scsiDataOffset);
static_assert(sizeof(SCSI_PASS_THROUGH::DataBufferOffset) == kPassThroughLayout.offsetSize);
static_assert(offsetof(SCSI_PASS_THROUGH, Cdb) == kPassThroughLayout.scsiCdb);
static_assert(IOCTL_SCSI_PASS_THROUGH == kScsiPassThrough && IOCTL_ATA_PASS_THROUGH == kAtaPassThrough);
static_assert(SMART_SEND_DRIVE_COMMAND == kSmartSendDriveCommand && SMART_RCV_DRIVE_DATA == kSmartRcvDriveData);

namespace {
class TPhysicalDrive : public IDeviceIo {
  public:
    explicit TPhysicalDrive(TFileHandle handle) : handle_(std::move(handle)) {}
    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize, uint32_t& returned)
        override {
        DWORD bytes = 0;
        const BOOL ok =
            DeviceIoControl(handle_.get(), code, const_cast<void*>(in), inSize, out, outSize, &bytes, nullptr);
        returned = bytes;
        return ok != FALSE;
    }

  private:
    TFileHandle handle_;
};

class TPhysicalDrives : public IDeviceIoOpener {
  public:
    std::unique_ptr<IDeviceIo> Open(int drive) override {
        const std::string path = Format("%s%s%d", {"\\\\.\\", "PhysicalDrive", drive});
        TFileHandle handle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
        if (!handle)
            return nullptr;
        return std::make_unique<TPhysicalDrive>(std::move(handle));
    }
};
}  // namespace

IDeviceIoOpener& SystemDrives() {
    static const std::unique_ptr<IDeviceIoOpener> drives = []() -> std::unique_ptr<IDeviceIoOpener> {
        char file[MAX_PATH] = "";
        const DWORD size = GetEnvironmentVariableA("DD_SMART_REPLAY", file, sizeof file);
        if (size == 0 || size >= sizeof file)
            return std::make_unique<TPhysicalDrives>();
        std::string text;
        ReadWholeFile(file, text);
        return std::make_unique<TReplayDrives>(ReadSmartReplay(text));
    }();
    return *drives;
}
