#include "tools/network/Whois.h"

#include <gtest/gtest.h>

// Parameters go first unless they are exactly "NONE"; a long query is cut so that its line end still goes out.
TEST(Whois, RequestsAlwaysEndTheirLine) {
    const std::string longQuery(300, 'q');
    const std::string cases[][3] = {{"example.com", "NONE", "example.com\r\n"},
                                    {"example.com", "none", "none example.com\r\n"},
                                    {longQuery, "NONE", std::string(126, 'q') + "\r\n"},
                                    {"x", std::string(200, 'p'), std::string(128, 'p') + " x\r\n"}};
    for (const auto& c : cases)
        EXPECT_EQ(WhoisRequest(c[0], c[1]), c[2]) << c[1];
}

// "host:port" names a port of 1 to 65535; an IPv6 address keeps the whois port.
TEST(Whois, ServersMayNameTheirPort) {
    const char* cases[][2] = {{"127.0.0.1:4343", "127.0.0.1|4343"},
                              {"host:65535", "host|65535"},
                              {"::1", "::1|43"},
                              {"a", "a|43"},
                              {"host:0", "invalid"},
                              {"host:65536", "invalid"},
                              {"host:", "invalid"},
                              {"host:4x", "invalid"}};
    for (const auto& c : cases) {
        std::string host;
        uint16_t port = 0;
        EXPECT_EQ(SplitWhoisServer(c[0], host, port) ? host + "|" + std::to_string(port) : "invalid", c[1]) << c[0];
    }
}
