#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What became of one echo request.
struct TEchoReply {
    bool Answered = false;  // false: the request failed or nothing came in time; Error says why
    uint32_t Error = 0;     // the platform's error code
    uint32_t Replies = 0;
    uint32_t Status = 0;  // of the first reply: 0 an echo reply, 11013 the time-to-live ran out on the way
    uint32_t From = 0;    // network order
    uint32_t RoundTrip = 0;
};
constexpr uint32_t kIcmpSuccess = 0;
constexpr uint32_t kIcmpTtlExpired = 11013;

// The platform's name look-ups and ICMP echo requests.
class IIcmp {
  public:
    virtual ~IIcmp() = default;
    // Dotted text or a name: the address in network order and the official name (empty when none); false when the
    // host is unknown.
    virtual bool Resolve(const std::string& host, uint32_t& address, std::string& name) = 0;
    // One echo of 32 zero bytes. step runs the window's messages while the answer is awaited; false gives up.
    virtual TEchoReply Send(uint32_t address, uint8_t ttl, uint32_t timeoutMs, const std::function<bool()>& step) = 0;
    // The official name of an address, or empty; safe on any thread.
    virtual std::string ReverseName(uint32_t address) = 0;
};
std::unique_ptr<IIcmp> OpenIcmp();

constexpr uint32_t kNoAddress = 0xFFFFFFFFu;
// "127.0.0.1" of an address in network order.
std::string DottedAddress(uint32_t networkOrder);

// Pings one host and keeps every round trip. A ping that got no reply is kept apart from a reply of 0 ms: it draws
// no bar and counts 0 in the average.
class TPingManager {
  public:
    static constexpr uint32_t kLost = 0xFFFFFFFFu;

    explicit TPingManager(std::unique_ptr<IIcmp> icmp = OpenIcmp());

    uint32_t Timeout = 1000;

    // False for an unknown host, which keeps the previous name and has no address.
    bool SetHost(const std::string& host);
    const std::string& HostName() const { return hostName_; }
    uint32_t Address() const { return address_; }

    uint32_t Ping(const std::function<bool()>& step = {});  // the new sample
    int Count() const { return static_cast<int>(samples_.size()); }
    uint32_t Sample(int index) const { return samples_[static_cast<size_t>(index)]; }  // kLost or ms
    uint32_t Milliseconds(int index) const { return Sample(index) == kLost ? 0 : Sample(index); }
    uint64_t Total() const;
    void Clear() { samples_.clear(); }

  private:
    std::unique_ptr<IIcmp> icmp_;
    uint32_t address_ = kNoAddress;
    std::string hostName_;
    std::vector<uint32_t> samples_;
};

// The caption's dots after n pings: ".", ".." and "..." in turn.
std::string PingCaptionDots(int samples);
// Hue of a bar: 120 (green) for 0 ms down to 0 (red) at the limit, and on round the colour wheel beyond it.
double LatencyHue(uint32_t ms, uint32_t limit);
