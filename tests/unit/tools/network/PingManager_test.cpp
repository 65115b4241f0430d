#include "tools/network/PingManager.h"

#include <gtest/gtest.h>

#include "tools/network/BarGraphClass.h"

namespace {
// Answers the n-th echo with the n-th entry; nothing stands for a lost ping.
class TScriptedIcmp : public IIcmp {
  public:
    explicit TScriptedIcmp(std::vector<std::optional<uint32_t>> replies) : replies_(std::move(replies)) {}
    bool Resolve(const std::string& host, uint32_t& address, std::string& name) override {
        address = 0x0100007F;
        name = "localhost";
        return host == "127.0.0.1";
    }
    TEchoReply Send(uint32_t, uint8_t, uint32_t, const std::function<bool()>&) override {
        const std::optional<uint32_t> ms = replies_[next_++ % replies_.size()];
        return {ms.has_value(), 0, 1, ms ? kIcmpSuccess : 11010, 0, ms.value_or(0)};
    }
    std::string ReverseName(uint32_t) override { return {}; }

  private:
    std::vector<std::optional<uint32_t>> replies_;
    size_t next_ = 0;
};
}  // namespace

// A reply of 0 ms is not a lost ping: it keeps a sample of its own, while lost ones count 0 in the total.
TEST(PingManager, LostPingsStayApartFromInstantReplies) {
    TPingManager pings(std::make_unique<TScriptedIcmp>(std::vector<std::optional<uint32_t>>{0, std::nullopt, 30}));
    EXPECT_EQ(pings.Ping(), TPingManager::kLost) << "no host yet";
    ASSERT_TRUE(pings.SetHost("127.0.0.1"));
    EXPECT_EQ(DottedAddress(pings.Address()), "127.0.0.1");
    EXPECT_FALSE(pings.SetHost("unknown"));
    EXPECT_EQ(pings.HostName(), "localhost");
    EXPECT_EQ(pings.Address(), kNoAddress);
    pings.SetHost("127.0.0.1");
    pings.Clear();
    for (int i = 0; i < 3; ++i)
        pings.Ping();
    EXPECT_EQ(std::vector<uint32_t>({pings.Sample(0), pings.Sample(1), pings.Sample(2)}),
              std::vector<uint32_t>({0, TPingManager::kLost, 30}));
    EXPECT_EQ(pings.Total(), 30u);
    EXPECT_EQ(PingCaptionDots(2) + "|" + PingCaptionDots(3), "...|.") << "after 3 pings a single dot again";
}

// 10, 20 and 30 scale to 31; the tallest bar reaches 30/31 of the height.
TEST(PingManager, BarsScaleToThePeak) {
    EXPECT_EQ(BarFullScale(BarPeak({10, 20, 30})), 31u);
    const TBarLayout layout{340, 310, 16, 1};
    int left = 0, top = 0, right = 0;
    ASSERT_TRUE(layout.BarRect(2, 30, 31, left, top, right));
    EXPECT_EQ(std::vector<int>({left, top, right}), std::vector<int>({34, 310 - 300, 50}));
    EXPECT_FALSE(layout.BarRect(0, 0, 31, left, top, right));
}
