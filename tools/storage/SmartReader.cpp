#include "tools/storage/SmartReader.h"

#include <algorithm>
#include <cstring>

#include "core/Format.h"
#include "core/KoLib.h"

namespace {
// A pointer-sized field; the offsets stored in it are small.
void PutOffset(uint8_t* p, uint32_t v, const TPassThroughLayout& layout) {
    std::memset(p, 0, layout.offsetSize);
    PutLittleEndian32(p, v);
}

constexpr uint16_t kAtaFlagsDriveReadyDataIn = 3;
constexpr uint16_t kAtaFlagDataIn = 2, kAtaFlagDataOut = 4, kAtaFlag48Bit = 8;
constexpr uint32_t kPassThroughTimeOut = 5;  // seconds
constexpr size_t kEntrySize = 12;
constexpr size_t kMaxEntries = 30;
}  // namespace

std::string IdentifyText(const TIdentifyBlock& block, size_t offset, size_t length) {
    std::string text(reinterpret_cast<const char*>(block.data()) + offset, length);
    const size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

uint32_t SmartControlCode(TSmartCommand command) {
    return command == TSmartCommand::Enable ? kSmartSendDriveCommand : kSmartRcvDriveData;
}

TSmartRequest BuildSmartRequest(TSmartCommand command, uint8_t drive) {
    struct TRegisters {
        uint8_t features, count, lbaLow, lbaMid, lbaHigh, device, command;
    };
    // The SMART commands carry their signature 0x4F/0xC2 in the LBA registers.
    static constexpr TRegisters kRegisters[] = {{0xD8, 0, 0, 0x4F, 0xC2, 0xA0, 0xB0},
                                                {0, 1, 1, 0, 0, 0xA0, 0xEC},
                                                {0xD0, 1, 0, 0x4F, 0xC2, 0xA0, 0xB0},
                                                {0xD1, 1, 0, 0x4F, 0xC2, 0xA0, 0xB0}};
    const TRegisters& r = kRegisters[static_cast<int>(command)];
    TSmartRequest request{};
    PutLittleEndian32(request.data(), command == TSmartCommand::Enable ? 1 : static_cast<uint32_t>(kIdentifySize));
    const uint8_t registers[] = {r.features, r.count, r.lbaLow, r.lbaMid, r.lbaHigh, r.device, r.command};
    std::copy(std::begin(registers), std::end(registers), request.begin() + 4);
    request[12] = drive;
    return request;
}

uint8_t ScsiAtaPassThrough(IDeviceIo& device, std::vector<uint8_t>& ata, const TPassThroughLayout& l) {
    const uint32_t length = static_cast<uint32_t>(ata.size() - l.ataSize);
    std::vector<uint8_t> block(l.scsiSize + length);
    uint8_t* b = block.data();
    const uint16_t flags = static_cast<uint16_t>(ata[l.ataFlags] | ata[l.ataFlags + 1] << 8);
    PutLittleEndian16(b, l.scsiSize);
    b[l.scsiCdbLength] = 16;
    b[l.scsiDataIn] = (flags & kAtaFlagDataIn) ? 1 : (flags & kAtaFlagDataOut) ? 0 : 2;
    PutLittleEndian32(b + l.scsiDataLength, length);
    PutLittleEndian32(b + l.scsiTimeOut, LittleEndian32(&ata[l.ataTimeOut]));
    PutOffset(b + l.scsiDataOffset, l.scsiSize, l);
    uint8_t* cdb = b + l.scsiCdb;
    const uint8_t* taskFile = &ata[l.ataTaskFile];
    // Protocol 4 (PIO data-in); direction in, length in blocks, taken from the sector count.
    cdb[1] = 0x08;
    cdb[2] = 0x0E;
    if (flags & kAtaFlag48Bit) {
        cdb[0] = 0x85;
        for (const auto& [from, to] : {std::pair{0, 4}, {1, 6}, {2, 8}, {3, 10}, {4, 12}, {5, 13}, {6, 14}})
            cdb[to] = taskFile[from];
    } else {
        cdb[0] = 0xA1;
        std::copy(taskFile, taskFile + 8, cdb + 3);
    }
    uint32_t returned = 0;
    if (!device.IoControl(kScsiPassThrough, b, l.scsiSize, b, static_cast<uint32_t>(block.size()), returned) ||
        returned == 0)
        return 0xFF;
    const uint8_t status = b[l.scsiStatus];
    if (status == 0) {
        const uint32_t got = std::min(LittleEndian32(b + l.scsiDataLength), length);
        std::copy(b + l.scsiSize, b + l.scsiSize + got, ata.begin() + l.ataSize);
        PutLittleEndian32(&ata[l.ataDataLength], got);
    }
    return status;
}

bool SendDriveCommand(IDeviceIo& device,
                      uint32_t code,
                      const TSmartRequest& request,
                      uint8_t* out,
                      uint32_t outSize,
                      const TPassThroughLayout& l) {
    uint32_t returned = 0;
    if (device.IoControl(code, request.data(), kSmartRequestSize, out, outSize, returned) && returned > 0)
        return true;
    const uint32_t length = LittleEndian32(request.data());
    std::vector<uint8_t> ata(l.ataSize + length);
    PutLittleEndian16(ata.data(), l.ataSize);
    PutLittleEndian16(&ata[l.ataFlags], kAtaFlagsDriveReadyDataIn);
    PutLittleEndian32(&ata[l.ataDataLength], length);
    PutLittleEndian32(&ata[l.ataTimeOut], kPassThroughTimeOut);
    PutOffset(&ata[l.ataDataOffset], l.ataSize, l);
    std::copy(request.begin() + 4, request.begin() + 12, ata.begin() + l.ataTaskFile);
    if (ScsiAtaPassThrough(device, ata, l) != 0) {
        const auto size = static_cast<uint32_t>(ata.size());
        if (!device.IoControl(kAtaPassThrough, ata.data(), size, ata.data(), size, returned) || returned == 0)
            return false;
    }
    // The driver writes the header back: its length may say anything.
    const uint32_t room = outSize > kSmartAnswerOffset ? outSize - static_cast<uint32_t>(kSmartAnswerOffset) : 0;
    const uint32_t got = std::min({LittleEndian32(&ata[l.ataDataLength]), length, room});
    std::copy(ata.begin() + l.ataSize, ata.begin() + l.ataSize + got, out + kSmartAnswerOffset);
    return true;
}

void SwapBytePairs(uint8_t* field, size_t length) {
    for (size_t i = 0; i + 1 < length; i += 2)
        std::swap(field[i], field[i + 1]);
}

std::vector<TSmartAttribute> ParseSmartData(const uint8_t* page) {
    std::vector<TSmartAttribute> attributes;
    for (size_t i = 0; i < kMaxEntries; ++i) {
        const uint8_t* e = page + 2 + i * kEntrySize;
        if (e[0] == 0)
            break;
        TSmartAttribute a;
        a.Id = e[0];
        a.Flags = static_cast<uint16_t>(e[1] | e[2] << 8);
        a.Current = e[3];
        a.Worst = e[4];
        for (int b = 5; b >= 0; --b)
            a.Raw = a.Raw << 8 | e[5 + b];
        a.Reserved = e[11];
        attributes.push_back(a);
    }
    return attributes;
}

void ApplySmartThresholds(std::vector<TSmartAttribute>& attributes, const uint8_t* page) {
    for (size_t i = 0; i < attributes.size(); ++i) {
        const uint8_t* e = page + 2 + i * kEntrySize;
        if (e[0] == 0)
            break;
        if (e[0] != attributes[i].Id)
            throw ESmartReaderError(
                Format("SmartReader: Unexpected threshold index (%d <> %d)", {e[0], attributes[i].Id}));
        attributes[i].Threshold = e[1];
    }
}

bool TSmartReaderBasic::Send(IDeviceIo& device, TSmartCommand command, uint8_t drive, uint8_t* out, uint32_t size) {
    return SendDriveCommand(device, SmartControlCode(command), BuildSmartRequest(command, drive), out, size, layout_);
}

bool TSmartReaderBasic::IsSmartSupported(IDeviceIo* device, uint8_t drive) {
    uint8_t answer[kSmartAnswerOffset + 1] = {};
    return device && Send(*device, TSmartCommand::Enable, drive, answer, sizeof answer);
}

bool TSmartReaderBasic::QueryVendorInfo(IDeviceIo* device, uint8_t drive) {
    std::array<uint8_t, kSmartAnswerOffset + kIdentifySize> answer{};
    if (!device || !Send(*device, TSmartCommand::Identify, drive, answer.data(), answer.size()))
        return false;
    std::copy(answer.begin() + kSmartAnswerOffset, answer.end(), identify_.begin());
    SwapBytePairs(&identify_[kSerialOffset], kSerialLength);
    SwapBytePairs(&identify_[kFirmwareOffset], kFirmwareLength);
    SwapBytePairs(&identify_[kModelOffset], kModelLength);
    return true;
}

int TSmartReaderBasic::QueryAttributes(IDeviceIo* device, uint8_t drive) {
    if (!device)
        return -1;
    attributes_.clear();
    std::array<uint8_t, kSmartAnswerOffset + kIdentifySize> answer{};
    if (!Send(*device, TSmartCommand::ReadData, drive, answer.data(), answer.size()))
        return 0;
    attributes_ = ParseSmartData(answer.data() + kSmartAnswerOffset);
    // A short threshold answer must not leave the data page's ids behind.
    answer.fill(0);
    if (Send(*device, TSmartCommand::ReadThresholds, drive, answer.data(), answer.size()))
        ApplySmartThresholds(attributes_, answer.data() + kSmartAnswerOffset);
    return AttributeCount();
}

const TSmartAttribute* TSmartReaderBasic::Attribute(int index) const {
    return index >= 0 && index < AttributeCount() ? &attributes_[static_cast<size_t>(index)] : nullptr;
}

bool TSmartReader::Open(int drive) {
    Close();
    device_ = drives_.Open(drive);
    if (!device_)
        return false;
    drive_ = static_cast<uint8_t>(drive);
    return true;
}

void TSmartReader::Close() {
    device_.reset();
    drive_ = 255;
}
