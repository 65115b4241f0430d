#include "tools/network/NetPortList.h"

#include <gtest/gtest.h>

// GCC 12 warns about its own std::function inside std::regex when built with the sanitizers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop

// Field positions as the file gives them, cut to their limits; lines that do not start with a digit are skipped;
// the protocol and a search text in any case choose among them.
TEST(NetPortList, EntriesTakeTheirFieldsByPosition) {
    const std::string text =
        "# comment 80 tcp\r\n 81\ttcp\tindented\r\n\r\n"
        "22\ttcp\tssh\tThe Secure Shell (SSH) Protocol\r\n"
        "53 udp  domain   Domain   Name  Server \n"
        "7000 UDP abcdefghijklmnopqrstuvwxyz0123 " +
        std::string(70, 'd') +
        "\n"
        "80abc tcp http\n70000 tcp big described\n9\n1 u x\n";
    const std::vector<TPortRecord> records = ParsePortList(text);
    std::string fields;
    for (const TPortRecord& r : records)
        fields += std::to_string(r.Port) + (r.IsUdp ? " udp " : " tcp ") + r.Name + "|" + r.Description + "\n";
    EXPECT_EQ(fields,
              "22 tcp ssh|The Secure Shell (SSH) Protocol\n53 udp domain|Domain   Name  Server \n"
              "7000 udp abcdefghijklmnopqrstuvw|" +
                  std::string(63, 'd') + "\n0 tcp http|\n0 tcp big|described\n9 tcp |\n1 udp |\n");
    EXPECT_EQ(FilterPorts(records, "", TPortProtocol::Udp, ""), (std::vector<int>{1, 2, 6}));
    EXPECT_EQ(FilterPorts(records, "1-60", TPortProtocol::Both, "NAME  s"), (std::vector<int>{1}));
}

// Every filter text against every port of interest, checked against the grammar written as a regular expression.
TEST(NetPortList, PortFiltersFollowTheirGrammar) {
    const std::regex grammar(R"(^(\d+)$|^(\d*)-(\d*)$)");
    for (const char* text : {"", "20", "20-25", "1024-", "-1023", "-", "1-2-3", "abc", "2a", " 20", "20 ", "--5", "0",
                             "65535-", "99999999999999", "25-20", "-0", "007"}) {
        const TPortFilter filter(text);
        std::cmatch m;
        const bool parsed = std::regex_match(text, m, grammar) && (m[1].matched || m[2].length() || m[3].length());
        for (const uint32_t port : {0u, 1u, 7u, 19u, 20u, 22u, 25u, 26u, 1023u, 1024u, 1025u, 65535u}) {
            bool want = *text == '\0';
            if (parsed && m[1].matched)
                want = std::stoull(m[1].str()) == port;
            else if (parsed)
                want = (!m[2].length() || std::stoull(m[2].str()) <= port) &&
                       (!m[3].length() || port <= std::stoull(m[3].str()));
            EXPECT_EQ(filter.Matches(port), want) << '"' << text << "\" " << port;
        }
    }
}
