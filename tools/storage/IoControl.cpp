#include "tools/storage/IoControl.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "core/KoLib.h"

namespace {
std::string HexBytes(const std::string& digits) {
    std::string bytes;
    int high = -1;
    for (const char c : digits) {
        const int v = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            bytes += static_cast<char>(high << 4 | v);
            high = -1;
        }
    }
    return bytes;
}

class TReplayDevice : public IDeviceIo {
  public:
    TReplayDevice(const TReplayDrive& drive, const TPassThroughLayout& layout, std::vector<uint32_t>& calls)
        : drive_(drive), layout_(layout), calls_(calls), noise_(0x2545F491u + static_cast<uint32_t>(drive.Number)) {}

    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize, uint32_t& returned)
        override {
        calls_.push_back(code);
        returned = 0;
        // The input and the output may be one buffer.
        const std::vector<uint8_t> input(static_cast<const uint8_t*>(in), static_cast<const uint8_t*>(in) + inSize);
        auto* o = static_cast<uint8_t*>(out);
        const TPassThroughLayout& l = layout_;
        switch (drive_.Route) {
            case TReplayRoute::Smart:
                if ((code != kSmartSendDriveCommand && code != kSmartRcvDriveData) || inSize < 11 || outSize < 16)
                    return false;
                if (!Answer(input[4], input[10], o + 16, outSize - 16, returned))
                    return false;
                returned = outSize;
                return true;
            case TReplayRoute::Scsi: {
                if (code != kScsiPassThrough || inSize < l.scsiSize || outSize < l.scsiSize)
                    return false;
                const uint8_t* cdb = &input[l.scsiCdb];
                const bool wide = cdb[0] == 0x85;
                std::copy(input.begin(), input.begin() + l.scsiSize, o);
                const uint32_t room = std::min(LittleEndian32(&input[l.scsiDataLength]), outSize - l.scsiSize);
                uint32_t n = 0;
                if (!Answer(wide ? cdb[4] : cdb[3], wide ? cdb[14] : cdb[9], o + l.scsiSize, room, n))
                    return false;
                o[l.scsiStatus] = 0;
                PutLittleEndian32(o + l.scsiDataLength, n);
                returned = l.scsiSize + n;
                return true;
            }
            case TReplayRoute::Ata: {
                if (code != kAtaPassThrough || inSize < l.ataSize || outSize < l.ataSize)
                    return false;
                const uint8_t* taskFile = &input[l.ataTaskFile];
                std::copy(input.begin(), input.begin() + l.ataSize, o);
                const uint32_t room = std::min(LittleEndian32(&input[l.ataDataLength]), outSize - l.ataSize);
                uint32_t n = 0;
                if (!Answer(taskFile[0], taskFile[6], o + l.ataSize, room, n))
                    return false;
                PutLittleEndian32(o + l.ataDataLength, n);
                returned = l.ataSize + n;
                return true;
            }
            case TReplayRoute::Garbage:
                // Claims far more than it wrote; the SCSI route even reports success over its noise.
                if (code != kScsiPassThrough && code != kAtaPassThrough)
                    return false;
                for (uint32_t i = 0; i < outSize; ++i)
                    o[i] = static_cast<uint8_t>((noise_ = noise_ * 1103515245u + 12345u) >> 16);
                if (code == kScsiPassThrough && outSize > l.scsiStatus)
                    o[l.scsiStatus] = 0;
                returned = 0xFFFFFFFFu;
                return true;
            case TReplayRoute::None:
                break;
        }
        return false;
    }

  private:
    // The page the registers ask for, as much of it as fits; the enable command has none.
    bool Answer(uint8_t features, uint8_t command, uint8_t* data, uint32_t room, uint32_t& written) const {
        const std::string* page = nullptr;
        if (command == 0xEC)
            page = &drive_.Identify;
        else if (command == 0xB0 && features == 0xD0)
            page = &drive_.Data;
        else if (command == 0xB0 && features == 0xD1)
            page = &drive_.Thresholds;
        else if (command != 0xB0 || features != 0xD8)
            return false;
        written = 0;
        if (page) {
            written = std::min<uint32_t>(room, 512);
            std::memset(data, 0, written);
            std::memcpy(data, page->data(), std::min<size_t>(written, page->size()));
        }
        return true;
    }

    const TReplayDrive& drive_;
    const TPassThroughLayout& layout_;
    std::vector<uint32_t>& calls_;
    uint32_t noise_;
};
}  // namespace

std::vector<TReplayDrive> ReadSmartReplay(const std::string& text) {
    std::vector<TReplayDrive> drives;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word, rest;
        words >> word;
        if (word == "drive") {
            TReplayDrive drive;
            std::string route;
            words >> drive.Number >> route;
            static constexpr const char* kRoutes[] = {"smart", "scsi", "ata", "garbage", "none"};
            const auto found = std::find(std::begin(kRoutes), std::end(kRoutes), route);
            drive.Route = static_cast<TReplayRoute>(found == std::end(kRoutes) ? 4 : found - std::begin(kRoutes));
            drives.push_back(drive);
        } else if (!drives.empty() && (word == "identify" || word == "data" || word == "thresholds")) {
            std::getline(words, rest);
            TReplayDrive& d = drives.back();
            std::string& page = word == "identify" ? d.Identify : word == "data" ? d.Data : d.Thresholds;
            page = (page + HexBytes(rest)).substr(0, 512);
        }
    }
    for (TReplayDrive& d : drives)
        for (std::string* page : {&d.Identify, &d.Data, &d.Thresholds})
            page->resize(512, '\0');
    return drives;
}

std::unique_ptr<IDeviceIo> TReplayDrives::Open(int drive) {
    for (const TReplayDrive& d : drives_)
        if (d.Number == drive)
            return std::make_unique<TReplayDevice>(d, layout_, calls_);
    return nullptr;
}
