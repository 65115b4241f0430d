// Port list files and port filters as anyone may write them: every entry keeps to its field limits and comes from
// a line that starts with a digit, and a filter either matches a range or nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tools/network/NetPortList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t digitLines = 0;
    for (size_t at = 0; at < text.size();) {
        digitLines += text[at] >= '0' && text[at] <= '9';
        const size_t end = text.find('\n', at);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    const std::vector<TPortRecord> records = ParsePortList(text);
    Check(records.size() == digitLines, "one entry per line that starts with a digit");
    for (const TPortRecord& r : records)
        Check(r.Name.size() <= kPortNameLength && r.Description.size() <= kPortDescriptionLength &&
                  r.Name.find_first_of(" \t") == std::string::npos,
              "fields keep to their limits");
    const std::string filterText = text.substr(0, 16);
    const TPortFilter filter(filterText);
    // A range matches every port between two it matches.
    for (uint32_t low = 0; low < 70; low += 7)
        for (uint32_t high = low; high < 70; high += 5)
            if (filter.Matches(low) && filter.Matches(high))
                Check(filter.Matches((low + high) / 2), "a filter is one range");
    FilterPorts(records, filterText, TPortProtocol::Udp, text.substr(filterText.size(), 8));
    return 0;
}
