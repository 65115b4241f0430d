// A drive's answers as any device may give them: pages walk to at most 30 entries, thresholds either fit their
// attributes or raise the mismatch, and pass-through answers whose headers say anything never write past the
// caller's buffer. Replay files of any shape give drives with whole pages.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "tools/storage/SmartReader.h"

namespace {
// Answers every pass-through call with the input's bytes, header included; the SMART interface fails.
class TInputDevice : public IDeviceIo {
  public:
    TInputDevice(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool IoControl(uint32_t code, const void*, uint32_t, void* out, uint32_t outSize, uint32_t& returned) override {
        if (code != kScsiPassThrough && code != kAtaPassThrough)
            return false;
        auto* o = static_cast<uint8_t*>(out);
        for (uint32_t i = 0; i < outSize; ++i)
            o[i] = size_ ? data_[(at_ + i) % size_] : 0;
        at_ += 7;
        returned = size_ ? data_[at_ % size_] * 0x01010101u : 0;
        return true;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> data_page(512), threshold_page(512);
    std::memcpy(data_page.data(), data, size < 512 ? size : 512);
    if (size > 512)
        std::memcpy(threshold_page.data(), data + 512, size - 512 < 512 ? size - 512 : 512);
    std::vector<TSmartAttribute> attributes = ParseSmartData(data_page.data());
    Check(attributes.size() <= 30, "at most 30 entries");
    for (size_t i = 0; i < attributes.size(); ++i)
        Check(attributes[i].Id == data_page[2 + i * 12] && attributes[i].Id != 0, "entries in page order");
    try {
        ApplySmartThresholds(attributes, threshold_page.data());
    } catch (const ESmartReaderError& error) {
        Check(std::string(error.what()).starts_with("SmartReader: Unexpected threshold index ("), "the mismatch");
    }

    for (const TPassThroughLayout* layout : {&kPassThrough32, &kPassThrough64}) {
        TInputDevice device(data, size);
        for (const TSmartCommand command : {TSmartCommand::Enable, TSmartCommand::ReadData}) {
            const uint32_t outSize = command == TSmartCommand::Enable ? 17 : 528;
            std::vector<uint8_t> out(outSize + 16, 0xEE);
            SendDriveCommand(device, SmartControlCode(command), BuildSmartRequest(command, 0), out.data(), outSize,
                             *layout);
            for (size_t i = outSize; i < out.size(); ++i)
                Check(out[i] == 0xEE, "nothing past the buffer");
        }
    }

    for (const TReplayDrive& drive : ReadSmartReplay(std::string(reinterpret_cast<const char*>(data), size)))
        Check(drive.Identify.size() == 512 && drive.Data.size() == 512 && drive.Thresholds.size() == 512,
              "whole pages");
    return 0;
}
