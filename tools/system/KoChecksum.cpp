#include "tools/system/KoChecksum.h"

#include <array>

namespace {
constexpr std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}
// Built by the compiler, so there is no first use to race on.
constexpr std::array<uint32_t, 256> kTable = MakeTable();
static_assert(kTable[1] == 0x77073096u);
}  // namespace

uint32_t Crc32(const void* data, size_t count, uint32_t previous) {
    if (count == 0)
        return previous;
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint32_t crc = ~previous;
    for (size_t i = 0; i < count; ++i)
        crc = kTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}
