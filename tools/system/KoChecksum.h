#pragma once
#include <cstddef>
#include <cstdint>

// The reflected CRC-32 of IEEE 802.3 and zlib (polynomial 0xEDB88320). A running checksum continues from the
// previous result; an empty input returns it unchanged.
uint32_t Crc32(const void* data, size_t count, uint32_t previous = 0);
