#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/storage/IoControl.h"

// One entry of a drive's SMART data page, with the threshold of the same id from its threshold page.
struct TSmartAttribute {
    uint8_t Id = 0;
    uint16_t Flags = 0;
    uint8_t Current = 0;
    uint8_t Worst = 0;
    uint64_t Raw = 0;  // 48 bits
    uint8_t Reserved = 0;
    uint8_t Threshold = 0;
};

constexpr size_t kIdentifySize = 512;
using TIdentifyBlock = std::array<uint8_t, kIdentifySize>;
// Text fields of the identify block: offset and length.
constexpr size_t kSerialOffset = 20, kSerialLength = 20;
constexpr size_t kFirmwareOffset = 46, kFirmwareLength = 8;
constexpr size_t kModelOffset = 54, kModelLength = 40;
// The space-padded text of a field, trimmed.
std::string IdentifyText(const TIdentifyBlock& block, size_t offset, size_t length);

enum class TSmartCommand { Enable, Identify, ReadData, ReadThresholds };
constexpr size_t kSmartRequestSize = 33;   // SENDCMDINPARAMS
constexpr size_t kSmartAnswerOffset = 16;  // of the data in SENDCMDOUTPARAMS
using TSmartRequest = std::array<uint8_t, kSmartRequestSize>;
TSmartRequest BuildSmartRequest(TSmartCommand command, uint8_t drive);
uint32_t SmartControlCode(TSmartCommand command);

// Sends a request through the SMART interface, and when that fails as an ATA command wrapped for SCSI, then as a
// plain ATA pass-through. The data lands at kSmartAnswerOffset of out; lengths the driver reports are never
// trusted beyond what was asked for and what out holds.
bool SendDriveCommand(IDeviceIo& device,
                      uint32_t code,
                      const TSmartRequest& request,
                      uint8_t* out,
                      uint32_t outSize,
                      const TPassThroughLayout& layout = kPassThroughLayout);
// The SCSI route for an ATA pass-through block: the SCSI status, 0xFF when the call failed. On status 0 the data
// and its length are in the block.
uint8_t ScsiAtaPassThrough(IDeviceIo& device, std::vector<uint8_t>& ataBlock, const TPassThroughLayout& layout);

// Identify texts come as big-endian words; an odd last byte stays where it is.
void SwapBytePairs(uint8_t* field, size_t length);
// The entries of a 512-byte data page, up to the first id 0 and at most 30.
std::vector<TSmartAttribute> ParseSmartData(const uint8_t* page);
// Thresholds from a 512-byte threshold page; raises ESmartReaderError when an id differs from its attribute's.
void ApplySmartThresholds(std::vector<TSmartAttribute>& attributes, const uint8_t* page);

class ESmartReaderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The commands on a device it is given; a null device stands for the invalid handle.
class TSmartReaderBasic {
  public:
    explicit TSmartReaderBasic(const TPassThroughLayout& layout = kPassThroughLayout) : layout_(layout) {}
    virtual ~TSmartReaderBasic() = default;

    virtual bool IsSmartSupported(IDeviceIo* device, uint8_t drive);
    virtual bool QueryVendorInfo(IDeviceIo* device, uint8_t drive);
    // The number of attributes, 0 when the data page was not read, -1 without a device.
    virtual int QueryAttributes(IDeviceIo* device, uint8_t drive);

    int AttributeCount() const { return static_cast<int>(attributes_.size()); }
    const TSmartAttribute* Attribute(int index) const;
    const std::vector<TSmartAttribute>& Attributes() const { return attributes_; }
    const TIdentifyBlock& Identify() const { return identify_; }

  private:
    bool Send(IDeviceIo& device, TSmartCommand command, uint8_t drive, uint8_t* out, uint32_t outSize);

    const TPassThroughLayout& layout_;
    TIdentifyBlock identify_{};
    std::vector<TSmartAttribute> attributes_;
};

// The same commands on a drive of its own, opened by number.
class TSmartReader : public TSmartReaderBasic {
  public:
    explicit TSmartReader(IDeviceIoOpener& drives, const TPassThroughLayout& layout = kPassThroughLayout)
        : TSmartReaderBasic(layout), drives_(drives) {}

    bool Open(int drive);
    void Close();
    int Drive() const { return drive_; }  // 255 when closed

    using TSmartReaderBasic::IsSmartSupported;
    using TSmartReaderBasic::QueryAttributes;
    using TSmartReaderBasic::QueryVendorInfo;
    bool IsSmartSupported() { return IsSmartSupported(device_.get(), drive_); }
    bool QueryVendorInfo() { return QueryVendorInfo(device_.get(), drive_); }
    int QueryAttributes() { return QueryAttributes(device_.get(), drive_); }

  private:
    IDeviceIoOpener& drives_;
    std::unique_ptr<IDeviceIo> device_;
    uint8_t drive_ = 255;
};
