#include "tools/storage/SmartAttributes.h"

#include <algorithm>
#include <utility>

#include "core/Format.h"

namespace {
using TName = std::pair<int, const char*>;

constexpr TName kClassicNames[] = {
    {1, "Raw Read Error Rate"},  {2, "Throughput Performance"},   {3, "Spin-Up Time"},
    {4, "Start/Stop Count"},     {5, "Reallocated Sector Count"}, {6, "Read Channel Margin"},
    {7, "Seek Error Rate"},      {8, "Seek Time Performance"},    {9, "Power-on Hours (POH)"},
    {10, "Spin-up Retry Count"}, {11, "Recalibration Retries"},   {12, "Power Cycle Count"},
    {13, "Soft Read Error Rate"}};

constexpr TName kLaterNames[] = {{170, "Reserve Block Count"},
                                 {171, "Program Fail Count"},
                                 {172, "Erase Fail Count"},
                                 {173, "Average Block Erase Count"},
                                 {174, "Unexpected Power Loss Count"},
                                 {177, "Wear Leveling Count"},
                                 {179, "Used Reserved Block Count (Total)"},
                                 {180, "Unused Reserved Block Count (Total)"},
                                 {181, "Program Fail Count (Total)"},
                                 {182, "Erase Fail Count (Total)"},
                                 {183, "Runtime Bad Count (Total)"},
                                 {184, "End-to-End error / IOEDC"},
                                 {185, "Head Stability"},
                                 {186, "Induced Op-Vibration Detection"},
                                 {187, "Uncorrectable Error Count"},
                                 {188, "Command Timeout"},
                                 {189, "High Fly Writes"},
                                 {190, "Airflow Temperature"},
                                 {191, "G-sense Error Rate"},
                                 {192, "Power-off Retract Count"},
                                 {193, "Load Cycle Count"},
                                 {194, "Temperature"},
                                 {195, "ECC Error Rate"},
                                 {196, "Reallocation Event Count"},
                                 {197, "Current Pending Sector Count"},
                                 {198, "Uncorrectable Sector Count"},
                                 {199, "CRC Error Count"},
                                 {200, "Write Error Rate"},
                                 {201, "Soft Read Error Rate"},
                                 {202, "Percent Lifetime Remaining"},
                                 {203, "Run Out Cancel"},
                                 {204, "Soft ECC Correction"},
                                 {205, "Thermal Asperity Rate (TAR)"},
                                 {206, "Write Error Rate"},
                                 {207, "Spin High Current"},
                                 {208, "Spin Buzz"},
                                 {209, "Offline Seek Performance"},
                                 {210, "Vibration During Write"},
                                 {211, "Vibration During Write"},
                                 {212, "Shock During Write"},
                                 {220, "Disk Shift"},
                                 {221, "G-Sense Error Rate"},
                                 {222, "Loaded Hours"},
                                 {223, "Load/Unload Retry Count"},
                                 {224, "Load Friction"},
                                 {225, "Host Writes"},
                                 {226, "Load 'In'-time"},
                                 {227, "Torque Amplification Count"},
                                 {228, "Power-Off Retract Cycle"},
                                 {230, "Drive Life Protection Status"},
                                 {231, "SSD Life Left"},
                                 {232, "Available Reserved Space"},
                                 {233, "Media Wearout Indicator"},
                                 {234, "Average Erase Count & Maximum Erase Count"},
                                 {235, "Power Recovery Count"},
                                 {240, "Head Flying Hours"},
                                 {241, "Lifetime Writes from Host"},
                                 {242, "Lifetime Reads from Host"},
                                 {249, "Total NAND Writes"},
                                 {250, "Read Error Retry Rate"},
                                 {254, "Free Fall Protection"}};

// An integer with thousands separators; nothing for 0.
std::string Grouped(uint64_t value, const char* suffix) {
    return value ? Format("%.0n", {static_cast<long double>(value)}) + suffix : std::string();
}
}  // namespace

TSmartAttributes::TSmartAttributes() {
    for (const auto& [id, name] : kClassicNames)
        names_[static_cast<size_t>(id)] = name;
}

TSmartAttributesFallback::TSmartAttributesFallback() {
    for (const auto& [id, name] : kLaterNames)
        names_[static_cast<size_t>(id)] = name;
}

std::string TSmartAttributes::AttributeName(int id) const {
    const char* name = id > 0 && id < 256 ? names_[static_cast<size_t>(id)] : nullptr;
    return name ? name : "<Unknown>";
}

std::string TSmartAttributes::FormatRawValue(const TSmartAttribute& a) const {
    const auto low = static_cast<uint32_t>(a.Raw);
    switch (a.Id) {
        case 3:
            return Grouped(low, " ms");
        case 9:
            return Format("%dd %dh", {low / 24, low % 24});
        case 190:
        case 194:
            // Many drives keep the lowest and highest temperature in the bytes above.
            return Format(
                "%d \xB0"
                "C",
                {static_cast<int>(a.Raw & 0xFF)});
        default:
            return Grouped(a.Raw, "");
    }
}

int TSmartAttributes::AttributeStatus(const TSmartAttribute& a) const {
    if (a.Threshold == 0)
        return a.Raw == 0 ? kSmartGood : kSmartNotJudged;
    if (a.Threshold >= a.Current)
        return kSmartFailing;
    return a.Threshold >= a.Worst ? kSmartWorstReached : kSmartGood;
}

int DriveStatus(const TSmartAttributes& meaning, const std::vector<TSmartAttribute>& attributes) {
    int status = kSmartNotJudged;
    for (const TSmartAttribute& a : attributes) {
        status = std::max(status, meaning.AttributeStatus(a));
        if (status == kSmartFailing)
            break;
    }
    return status;
}
