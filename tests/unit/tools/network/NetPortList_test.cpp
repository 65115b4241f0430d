#include "tools/network/NetPortList.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "core/KoLib.h"

// Field positions as the file gives them, cut to their limits; lines that do not start with a digit are skipped.
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
    const std::vector<std::tuple<int, bool, std::string, std::string>> expected = {
        {22, false, "ssh", "The Secure Shell (SSH) Protocol"},
        {53, true, "domain", "Domain   Name  Server "},
        {7000, true, "abcdefghijklmnopqrstuvw", std::string(63, 'd')},
        {0, false, "http", ""},
        {0, false, "big", "described"},
        {9, false, "", ""},
        {1, true, "", ""}};
    ASSERT_EQ(records.size(), expected.size());
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(std::tie(records[i].Port, records[i].IsUdp, records[i].Name, records[i].Description),
                  std::tie(std::get<0>(expected[i]), std::get<1>(expected[i]), std::get<2>(expected[i]),
                           std::get<3>(expected[i])))
            << i;
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

// The shipped list: thousands of entries whose numbers and names are the lines' first and third words; "WEB" finds
// the descriptions with "web" in any case, and the protocol choice halves nothing it should not.
TEST(NetPortList, ShippedListParsesAndFilters) {
    std::string text;
    ASSERT_TRUE(ReadFileBytes(DD_SOURCE_DIR "/data/netportlist/ports.lst", text));
    const std::vector<TPortRecord> records = ParsePortList(text);
    ASSERT_GT(records.size(), 5000u);
    std::istringstream lines(text);
    size_t index = 0, web = 0, udp = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        unsigned port = 0;
        std::string protocol, name;
        words >> port >> protocol >> name;
        ASSERT_LT(index, records.size());
        EXPECT_EQ(records[index].Port, port) << line;
        EXPECT_EQ(records[index].Name, name.substr(0, kPortNameLength)) << line;
        udp += protocol == "udp";
        std::string lowered = records[index].Name + "\n" + records[index].Description;
        for (char& c : lowered)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        web += lowered.find("web") != std::string::npos;
        ++index;
    }
    EXPECT_EQ(index, records.size());
    EXPECT_EQ(FilterPorts(records, "", TPortProtocol::Both, "WEB").size(), web);
    EXPECT_EQ(FilterPorts(records, "", TPortProtocol::Udp, "").size(), udp);
    EXPECT_EQ(FilterPorts(records, "", TPortProtocol::Tcp, "").size(), records.size() - udp);
}
