#pragma once
// Drives as their pages come off the wire: IDENTIFY DEVICE data (ATA8-ACS: serial in words 10-19, firmware in
// words 23-26, model in words 27-46, two characters a word, first character in the high byte) and SMART data and
// threshold pages (revision word, then 12-byte entries: id, flags, current, worst, 6 raw bytes, reserved). Values
// are of the kind published attribute dumps show for such drives.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/storage/IoControl.h"

struct TTestAttribute {
    uint8_t id;
    uint16_t flags;
    uint8_t current, worst;
    uint64_t raw;
    uint8_t threshold;
};

inline std::string IdentifyPage(const std::string& model, const std::string& serial, const std::string& firmware) {
    std::string page(512, '\0');
    const auto put = [&page](size_t word, size_t words, std::string text) {
        text.resize(words * 2, ' ');
        for (size_t i = 0; i < text.size(); i += 2) {
            page[word * 2 + i] = text[i + 1];
            page[word * 2 + i + 1] = text[i];
        }
    };
    put(10, 10, serial);
    put(23, 4, firmware);
    put(27, 20, model);
    return page;
}

inline std::string DataPage(const std::vector<TTestAttribute>& attributes) {
    std::string page(512, '\0');
    page[0] = 0x10;
    for (size_t i = 0; i < attributes.size(); ++i) {
        const TTestAttribute& a = attributes[i];
        char* e = &page[2 + i * 12];
        e[0] = static_cast<char>(a.id);
        e[1] = static_cast<char>(a.flags);
        e[2] = static_cast<char>(a.flags >> 8);
        e[3] = static_cast<char>(a.current);
        e[4] = static_cast<char>(a.worst);
        for (int b = 0; b < 6; ++b)
            e[5 + b] = static_cast<char>(a.raw >> 8 * b);
    }
    return page;
}
inline std::string ThresholdPage(const std::vector<TTestAttribute>& attributes) {
    std::string page(512, '\0');
    page[0] = 0x10;
    for (size_t i = 0; i < attributes.size(); ++i) {
        page[2 + i * 12] = static_cast<char>(attributes[i].id);
        page[3 + i * 12] = static_cast<char>(attributes[i].threshold);
    }
    return page;
}

// A desktop hard disk after a few years of use.
inline const std::vector<TTestAttribute> kHardDisk = {
    {1, 0x002F, 200, 200, 0, 51},     {3, 0x0027, 171, 169, 4425, 21}, {4, 0x0032, 100, 100, 1234, 0},
    {5, 0x0033, 200, 200, 0, 140},    {7, 0x002E, 200, 200, 0, 0},     {9, 0x0032, 73, 73, 19811, 0},
    {10, 0x0032, 100, 100, 0, 0},     {12, 0x0032, 99, 99, 1221, 0},   {192, 0x0032, 200, 200, 45, 0},
    {193, 0x0032, 199, 199, 4532, 0}, {194, 0x0022, 109, 96, 34, 0},   {196, 0x0032, 200, 200, 0, 0},
    {197, 0x0032, 200, 200, 0, 0},    {198, 0x0030, 100, 253, 0, 0},   {199, 0x0032, 200, 200, 0, 0},
    {200, 0x0008, 200, 200, 0, 0}};
// A SATA SSD with the vendor attributes of its kind, some of them without a name.
inline const std::vector<TTestAttribute> kSsd = {
    {1, 0x002F, 100, 100, 0, 0},           {5, 0x0032, 100, 100, 0, 10},   {9, 0x0032, 100, 100, 8760, 0},
    {12, 0x0032, 100, 100, 512, 0},        {171, 0x0032, 100, 100, 0, 0},  {172, 0x0032, 100, 100, 0, 0},
    {173, 0x0032, 97, 97, 42, 0},          {174, 0x0032, 100, 100, 65, 0}, {180, 0x0033, 0, 0, 51, 0},
    {184, 0x0032, 100, 100, 0, 0},         {187, 0x0032, 100, 100, 0, 0},  {194, 0x0022, 70, 52, 30, 0},
    {202, 0x0030, 97, 97, 3, 1},           {206, 0x000E, 100, 100, 0, 0},  {246, 0x0032, 100, 100, 12345678901, 0},
    {247, 0x0032, 100, 100, 385882142, 0}, {254, 0x0032, 100, 100, 0, 0}};
// Temperatures whose higher raw bytes hold the lowest (18) and highest (45) seen.
inline const std::vector<TTestAttribute> kTemperatureDisk = {{3, 0x0003, 97, 97, 0, 0},
                                                             {9, 0x0032, 92, 92, 7412, 0},
                                                             {190, 0x0022, 62, 55, 0x2D120026, 45},
                                                             {194, 0x0022, 38, 45, 0x2D120026, 0}};
// Reallocated sectors past the threshold, and a read error rate whose worst value once reached its own.
inline const std::vector<TTestAttribute> kFailingDisk = {{1, 0x000F, 110, 6, 27511808, 6},
                                                         {5, 0x0033, 36, 36, 3896, 36},
                                                         {9, 0x0032, 68, 68, 28309, 0},
                                                         {187, 0x0032, 1, 1, 592, 0},
                                                         {197, 0x0012, 100, 100, 8, 0}};

// A drive answering with these pages, its number at the end of its serial; thresholds empty: those of its attributes.
inline TReplayDrive RecordedDrive(int number,
                                  TReplayRoute route,
                                  const std::vector<TTestAttribute>& attributes,
                                  const std::string& thresholds = {}) {
    return {number, route, IdentifyPage("WDC WD10EZEX-08WN4A0", "WD-WCC6Y012345" + std::to_string(number), "01.01A01"),
            DataPage(attributes), thresholds.empty() ? ThresholdPage(attributes) : thresholds};
}

inline std::string HexLines(const std::string& name, const std::string& page) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t at = 0; at < page.size(); at += 64) {
        text += name + " ";
        for (size_t i = at; i < at + 64 && i < page.size(); ++i)
            text += {kDigits[static_cast<uint8_t>(page[i]) >> 4], kDigits[page[i] & 15]};
        text += "\n";
    }
    return text;
}

inline std::string ReplayDrive(int number,
                               const char* route,
                               const std::string& model,
                               const std::vector<TTestAttribute>& attributes,
                               const std::string& thresholds = {}) {
    return "drive " + std::to_string(number) + " " + route + "\n" +
           HexLines("identify",
                    IdentifyPage(model, "SN" + std::to_string(number * 1111), "FW0" + std::to_string(number))) +
           HexLines("data", DataPage(attributes)) +
           HexLines("thresholds", thresholds.empty() ? ThresholdPage(attributes) : thresholds);
}
