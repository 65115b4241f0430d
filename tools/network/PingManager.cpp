#include "tools/network/PingManager.h"

#include <cmath>

TPingManager::TPingManager(std::unique_ptr<IIcmp> icmp) : icmp_(std::move(icmp)) {}

bool TPingManager::SetHost(const std::string& host) {
    std::string name;
    uint32_t address = kNoAddress;
    const bool found = icmp_ && icmp_->Resolve(host, address, name);
    address_ = found ? address : kNoAddress;
    if (found)
        hostName_ = name;
    return found;
}

uint32_t TPingManager::Ping(const std::function<bool()>& step) {
    const TEchoReply reply = icmp_ && address_ != kNoAddress ? icmp_->Send(address_, 255, Timeout, step) : TEchoReply{};
    samples_.push_back(reply.Answered && reply.Status == kIcmpSuccess ? std::min(reply.RoundTrip, kLost - 1) : kLost);
    return samples_.back();
}

uint64_t TPingManager::Total() const {
    uint64_t total = 0;
    for (int i = 0; i < Count(); ++i)
        total += Milliseconds(i);
    return total;
}

std::string DottedAddress(uint32_t networkOrder) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&networkOrder);
    return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
           std::to_string(bytes[3]);
}

std::string PingCaptionDots(int samples) {
    return std::string(static_cast<size_t>(samples % 3 + 1), '.');
}

double LatencyHue(uint32_t ms, uint32_t limit) {
    return 120 - std::trunc(static_cast<double>(ms) / (limit ? limit : 1) * 120);
}
