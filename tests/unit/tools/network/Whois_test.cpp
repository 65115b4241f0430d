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
