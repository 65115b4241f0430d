#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Kinds of the whois log's entries: flag bits of the entry, which the window paints.
constexpr uint32_t kWhoisBold = 1;
constexpr uint32_t kWhoisUnderlined = 2;
constexpr uint32_t kWhoisSeparator = 16;
constexpr uint32_t kWhoisConnecting = 11;  // bold, underlined and a timing mark
constexpr uint32_t kWhoisGreeting = kWhoisBold;
constexpr uint32_t kWhoisPlain = 0;

constexpr uint16_t kWhoisPort = 43;
// One answer is kept up to this size: a server that never stops cannot fill the memory.
constexpr size_t kWhoisMaxAnswer = 1u << 20;
constexpr size_t kWhoisMaxLine = 128;

// The request line: the parameters and a blank unless they are "NONE", then the query and CR LF, the query cut so
// that the line end always fits. The zero byte that follows on the wire is not part of it.
std::string WhoisRequest(const std::string& query, const std::string& parameters);
// "log_YYMMDD_HHNNSS.log" of a day number.
std::string WhoisLogFileName(double now);

// One exchange with a whois server in the caller's thread: texts are handed out as they come, and the waits are
// cut into short slices between which OnStep runs the window's messages.
class TWhoisQuery {
  public:
    std::function<void(const std::string& text, uint32_t kind)> OnText;
    // False ends the query at once (the window is closing).
    std::function<bool()> OnStep;
    int32_t Timeout = 5000;  // ms that each receive waits

    // True when the server answered something: the query then goes into the history.
    bool Run(const std::string& query, const std::string& parameters, const std::string& server);
};
