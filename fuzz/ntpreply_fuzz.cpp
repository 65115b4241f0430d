// Time server replies as anyone may send them: whatever passes is a server's answer to our request with a time in
// it, and the time it gives lies in the calendar.
#include <cstddef>
#include <cstdint>

#include "core/DateTime.h"
#include "fuzz/FuzzSupport.h"
#include "tools/time/TimeSynchronizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint64_t sent = size >= 32 ? static_cast<uint64_t>(data[24]) << 56 | data[31] : 0;
    if (!NtpReplyFault(data, static_cast<int>(size), sent)) {
        Check(size >= kNtpPacketSize, "a short reply passes");
        Check((data[0] & 7) == 4 || (data[0] & 7) == 5, "a reply that is no server's passes");
        Check(data[1] != 0, "a refusal passes");
    }
    if (size >= 8) {
        const uint32_t seconds = static_cast<uint32_t>(data[0]) << 24 | data[1] << 16 | data[2] << 8 | data[3];
        const uint32_t fraction = static_cast<uint32_t>(data[4]) << 24 | data[5] << 16 | data[6] << 8 | data[7];
        Check(IsCalendarDay(NtpServerTime(seconds, fraction, data[0])) &&
                  IsCalendarDay(TimeProtocolServerTime(seconds, data[1])),
              "server times lie in the calendar");
    }
    return 0;
}
