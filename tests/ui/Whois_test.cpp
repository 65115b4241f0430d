#include <winsock2.h>
#include <gtest/gtest.h>

#include <mutex>

#include "core/KoLibWin32.h"
#include "core/NetBasic.h"
#include "tests/ui/AppSession.h"

namespace {
enum class TServerMode { Answer, Flood, Silent };

// A whois server on a loopback port of its own: it greets, reads the request up to its zero byte and then answers
// in two chunks and closes, sends 10 MB, or says nothing more and never closes (until the test ends).
class TWhoisServer {
  public:
    explicit TWhoisServer(TServerMode mode) : mode_(mode) {
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 1);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
    }
    // The server's thread has ended (the tool closed, or never came) before its sockets go.
    ~TWhoisServer() {
        closesocket(listener_);
        WaitForSingleObject(thread_, 10000);
        closesocket(client_);
        CloseHandle(thread_);
    }
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string Request() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return request_;
    }

  private:
    static DWORD WINAPI Serve(void* self) {
        static_cast<TWhoisServer*>(self)->Serve();
        return 0;
    }
    void Serve() {
        client_ = accept(listener_, nullptr, nullptr);
        const auto put = [this](const std::string& text) {
            return send(client_, text.data(), static_cast<int>(text.size()), 0) == static_cast<int>(text.size());
        };
        put("% test whois server\r\n");
        char c = 1;
        while (c && recv(client_, &c, 1, 0) == 1) {
            const std::lock_guard<std::mutex> lock(mutex_);
            request_ += c;
        }
        if (mode_ == TServerMode::Answer) {
            put("Domain: example.test\r\nReg");
            Sleep(200);
            put("istrar: Test\r\n");
            shutdown(client_, SD_BOTH);
        } else if (mode_ == TServerMode::Flood) {
            std::string block;
            while (block.size() < 100000)
                block += std::string(98, 'x') + "\r\n";
            for (int i = 0; i < 100 && put(block); ++i) {
            }
        }
    }

    TNetBasic winsock_;  // started for the server's sockets, cleaned up after them
    TServerMode mode_;
    SOCKET listener_ = INVALID_SOCKET;
    SOCKET client_ = INVALID_SOCKET;
    HANDLE thread_ = nullptr;
    uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::string request_;
};

void AskWhois(const TAppSession& app, const std::string& query, const std::string& server) {
    const std::vector<HWND> edits = app.Controls("Edit");
    ASSERT_EQ(edits.size(), 3u);
    SetControlText(edits[0], query);
    SetControlText(edits[2], server);
    Click(app.Control("Button"));
}

// Rows stop coming once the query has ended with its separator.
int SettledRows(const TAppSession& app) {
    const HWND list = app.Control("ListBox");
    LRESULT rows = -1;
    for (LRESULT now = 0; (now = SendMessageA(list, LB_GETCOUNT, 0, 0)) != rows;) {
        rows = now;
        Sleep(500);
    }
    return static_cast<int>(rows);
}

std::string SavedLog(const TDistCopy& dist) {
    const std::string folder = dist.Folder() + "data\\whois\\";
    const std::vector<std::string> logs = FindFiles(folder, "log_*.log");
    std::string text = "(no log file)";
    if (!logs.empty())
        ReadWholeFile(folder + logs.front(), text);
    return text;
}
}  // namespace

// The answer's rows come in order after the greeting, the request ends with CR LF and a zero byte, and Ctrl+S saves
// the log under the time's name. A 10 MB answer is cut at 1 MiB; a server that then says nothing and never closes
// leaves the window answering, and closing it ends the query and the program. Answered queries make the history.
TEST(Whois, ShowsAnswersAndStaysBoundedAndResponsive) {
    TDistCopy dist("whois");
    TWhoisServer server(TServerMode::Answer);
    std::string lastServer;
    {
        TAppSession app(dist, "whois");
        AskWhois(app, "  example.test ", server.Address());
        EXPECT_GE(SettledRows(app), 7);
        EXPECT_EQ(server.Request(), std::string("example.test\r\n") + '\0');
        SaveScreenshot(app.Window(), "whois");
        app.TypeKey('S', VK_CONTROL);
        {
            TWhoisServer flood(TServerMode::Flood);
            AskWhois(app, "flood.test", flood.Address());
            const int rows = SettledRows(app) - 8;
            EXPECT_GT(rows, 10000);
            EXPECT_LT(rows, 11000) << "1 MiB of 100-byte lines";
        }
        TWhoisServer silent(TServerMode::Silent);
        AskWhois(app, "silent.test", lastServer = silent.Address());
        EXPECT_TRUE(WaitUntil([&] { return silent.Request() == std::string("silent.test\r\n") + '\0'; }));
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutA(app.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
        ASSERT_TRUE(app.QuitWithAltQ());
    }
    const std::string log = SavedLog(dist);
    size_t at = 0;
    for (const std::string& line :
         {"Connecting to whois server \"127.0.0.1\" on port " + server.Address().substr(10) + "...",
          std::string("% test whois server"), std::string("Requesting info on \"example.test\"..."),
          std::string("Domain: example.test"), std::string("Reg"), std::string("istrar: Test"),
          std::string("Connection closed\r\n")}) {
        const size_t found = log.find(line, at);
        EXPECT_NE(found, std::string::npos) << line << "\nin\n" << log;
        at = found == std::string::npos ? at : found + line.size();
    }
    const char* history[] = {"silent.test", "flood.test", "example.test"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dist.ReadIni("whois.RecentQueries", std::to_string(i)), history[i]);
    EXPECT_EQ(dist.ReadIni("whois", "last_server"), lastServer);
}
