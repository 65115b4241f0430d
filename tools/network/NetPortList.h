#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One known port: its number, protocol and the service that uses it.
struct TPortRecord {
    uint16_t Port = 0;
    bool IsUdp = false;
    std::string Name;         // at most kPortNameLength characters
    std::string Description;  // at most kPortDescriptionLength characters
};
constexpr size_t kPortNameLength = 23;
constexpr size_t kPortDescriptionLength = 63;

// The entries of a port list file: lines starting with a digit, "port protocol name description" separated by
// blanks or tabs; a malformed entry gives whatever its fields give (port 0, no name), never an error.
std::vector<TPortRecord> ParsePortList(std::string_view text);

// A port filter as typed: "a", "-b", "a-" or "a-b" of digits; anything else matches no port. Empty: every port.
class TPortFilter {
  public:
    explicit TPortFilter(std::string_view text);
    bool Matches(uint32_t port) const { return all_ || (valid_ && port >= low_ && port <= high_); }

  private:
    bool all_ = false;
    bool valid_ = false;
    uint64_t low_ = 0;
    uint64_t high_ = 0;
};

enum class TPortProtocol { Tcp, Udp, Both };

// The indexes of the records that pass the three filters, in file order; the search text is found in the name or
// the description, ignoring letter case.
std::vector<int> FilterPorts(const std::vector<TPortRecord>& records,
                             std::string_view portFilter,
                             TPortProtocol protocol,
                             std::string_view search);
