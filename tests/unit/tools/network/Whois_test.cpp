#include "tools/network/Whois.h"

#include <gtest/gtest.h>

#include "core/DateTime.h"

// Parameters go first unless they are exactly "NONE"; a long query is cut so that its line end still goes out.
TEST(Whois, RequestsAlwaysEndTheirLine) {
    const std::string longQuery(300, 'q');
    const struct {
        std::string query, parameters, request;
    } cases[] = {{"example.com", "NONE", "example.com\r\n"},
                 {"example.com", "none", "none example.com\r\n"},
                 {"example.com", "--show-handles", "--show-handles example.com\r\n"},
                 {longQuery, "NONE", std::string(126, 'q') + "\r\n"},
                 {"x", std::string(200, 'p'), std::string(128, 'p') + " x\r\n"}};
    for (const auto& c : cases)
        EXPECT_EQ(WhoisRequest(c.query, c.parameters), c.request) << c.parameters;
}

TEST(Whois, ServersMayNameTheirPort) {
    const struct {
        const char* server;
        bool valid;
        const char* host;
        uint16_t port;
    } cases[] = {{"whois.iana.org", true, "whois.iana.org", 43},
                 {"127.0.0.1:4343", true, "127.0.0.1", 4343},
                 {"host:65535", true, "host", 65535},
                 {"host:0", false, "", 0},
                 {"host:65536", false, "", 0},
                 {"host:", false, "", 0},
                 {"host:4x", false, "", 0},
                 {"::1", true, "::1", 43}};
    for (const auto& c : cases) {
        std::string host;
        uint16_t port = 0;
        ASSERT_EQ(SplitWhoisServer(c.server, host, port), c.valid) << c.server;
        if (c.valid) {
            EXPECT_EQ(host, c.host) << c.server;
            EXPECT_EQ(port, c.port) << c.server;
        }
    }
    EXPECT_EQ(WhoisLogFileName(EncodeDateTime(2026, 12, 7, 9, 5, 3, 999)), "log_261207_090503.log");
}
