#include <curl/curlver.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <memory>
#include <string>

#include "LoopbackHttpServer.h"
#include "common/ErrorRecord.h"
#include "common/MessageBox.h"
#include "desktop/CInternetHttp.h"
#include "desktop/CurlInternet.h"

namespace {

using namespace std::chrono_literals;
using Reply = LoopbackHttpServer::Reply;

std::string Body(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7 + i / 256) % 256);
    return body;
}

Reply Ok(const std::string& body, std::vector<std::string> fields = {}) {
    fields.push_back("Content-Length: " + std::to_string(body.size()));
    return {LoopbackHttpServer::Response("HTTP/1.0 200 OK", fields, body)};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class CInternetHttpTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The test server is reached directly, whatever proxy the machine has configured.
        setenv("no_proxy", "127.0.0.1", 1);
        auto recording = std::make_unique<RecordingDialogs>();
        dialogs = recording.get();
        previousDialogs = Dialogs::Install(std::move(recording));
    }
    void TearDown() override { Dialogs::Install(std::move(previousDialogs)); }

    // A client whose connections go to the test server's port instead of port 80.
    static std::unique_ptr<CInternetHttp> ClientOf(const LoopbackHttpServer& server,
                                                   std::chrono::milliseconds stall = 10s) {
        CurlInternet::Settings settings;
        settings.portOverride = server.Port();
        settings.stallTimeout = stall;
        return std::make_unique<CInternetHttp>(std::make_unique<CurlInternet>(settings));
    }
    static std::unique_ptr<CInternetHttp> ConnectedTo(const LoopbackHttpServer& server,
                                                      std::chrono::milliseconds stall = 10s) {
        auto http = ClientOf(server, stall);
        EXPECT_TRUE(http->OpenSession());
        EXPECT_TRUE(http->GotoURL("127.0.0.1"));
        return http;
    }

    RecordingDialogs* dialogs = nullptr;
    std::unique_ptr<IDialogs> previousDialogs;
};

TEST_F(CInternetHttpTest, NothingIsSentBeforeASessionIsOpen) {
    LoopbackHttpServer server([](const std::string&) { return Ok("page"); });
    auto http = ClientOf(server);

    EXPECT_FALSE(http->HitCacheFirst());
    EXPECT_EQ(http->DLLVersion(), "");
    EXPECT_FALSE(http->GotoURL("127.0.0.1"));
    EXPECT_EQ(http->GetHTMLFromURL(), "");
    http->SendQuery();
    EXPECT_EQ(http->QueryStatusCode(), "");
    EXPECT_EQ(http->QueryRequestHeaders(), "");
    EXPECT_EQ(server.Connections(), 0);

    ASSERT_TRUE(http->OpenSession());
    EXPECT_EQ(http->DLLVersion(),
              std::to_string(LIBCURL_VERSION_MAJOR) + "." + std::to_string(LIBCURL_VERSION_MINOR));
    ASSERT_TRUE(http->GotoURL("127.0.0.1"));
    EXPECT_EQ(http->GetHTMLFromURL(), "page");
    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string request = server.Requests()[0];
    EXPECT_TRUE(request.starts_with("GET / HTTP/1.0\r\n")) << request;
    EXPECT_TRUE(Contains(request, "\r\nUser-Agent: " + http->UserAgent() + "\r\n")) << request;
    EXPECT_FALSE(Contains(request, "Accept:")) << request;
    EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(CInternetHttpTest, ReadsBodiesWholeAndInOrder) {
    const std::string small = Body(5000);  // two full buffers and a part, NUL bytes among them
    const std::string large = Body(300000);
    LoopbackHttpServer server([&](const std::string&) {
        if (server.Requests().size() == 1) return Ok(small);
        // No length given: the body ends where the server closes.
        return Reply{LoopbackHttpServer::Response("HTTP/1.0 200 OK", {}, large)};
    });
    auto http = ConnectedTo(server);

    EXPECT_EQ(http->GetHTMLFromURL(), small);
    EXPECT_EQ(http->GetHTMLFromURL(), large);
    EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(CInternetHttpTest, SendQueryReadsTheFourteenValuesOfTheLastRequest) {
    LoopbackHttpServer server([&](const std::string&) {
        if (server.Requests().size() == 1) {
            return Reply{LoopbackHttpServer::Response(
                "HTTP/1.0 203 Non-Authoritative Information",
                {"Content-Type: text/html; charset=windows-1252", "Content-Length: 5",
                 "Expires: Thu, 01 Dec 2094 16:00:00 GMT",
                 "Last-Modified: Tue, 15 Nov 1994 12:45:26 GMT", "Forwarded: for=192.0.2.60",
                 "server:   TestServer/1.0  ", "Set-Cookie: first=1", "Set-Cookie: second=2"},
                "hello")};
        }
        return Reply{
            LoopbackHttpServer::Response("HTTP/1.1 404 Not Found", {"Content-Length: 0"}, "")};
    });
    auto http = ClientOf(server);
    http->UserAgent("Tester/2.0 (\xE9t\xE9)");
    ASSERT_TRUE(http->OpenSession());
    ASSERT_TRUE(http->GotoURL("127.0.0.1"));

    http->SendQuery();
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(http->QueryContentType(), "text/html; charset=windows-1252");
    EXPECT_EQ(http->QueryContentLength(), "5");
    EXPECT_EQ(http->QueryExpires(), "Thu, 01 Dec 2094 16:00:00 GMT");
    EXPECT_EQ(http->QueryLastModified(), "Tue, 15 Nov 1994 12:45:26 GMT");
    EXPECT_EQ(http->QueryPragma(), "no-cache");
    EXPECT_EQ(http->QueryVersion(), "HTTP/1.0");
    EXPECT_EQ(http->QueryStatusCode(), "203");
    EXPECT_EQ(http->QueryStatusText(), "Non-Authoritative Information");
    EXPECT_EQ(http->QueryRequestHeaders(), server.Requests()[0]);
    EXPECT_EQ(http->QueryRequestHeaders2(), "GET");
    EXPECT_EQ(http->QueryForwarded(), "for=192.0.2.60");
    EXPECT_EQ(http->QueryServer(), "TestServer/1.0");
    EXPECT_EQ(http->QueryUserAgent(), "Tester/2.0 (\xE9t\xE9)");
    EXPECT_EQ(http->QuerySetCookie(), "first=1");

    // A response without the optional fields empties their values.
    http->SendQuery();
    EXPECT_EQ(http->QueryVersion(), "HTTP/1.1");
    EXPECT_EQ(http->QueryStatusCode(), "404");
    EXPECT_EQ(http->QueryStatusText(), "Not Found");
    EXPECT_EQ(http->QueryContentLength(), "0");
    EXPECT_EQ(http->QueryContentType(), "");
    EXPECT_EQ(http->QueryExpires(), "");
    EXPECT_EQ(http->QueryLastModified(), "");
    EXPECT_EQ(http->QueryForwarded(), "");
    EXPECT_EQ(http->QueryServer(), "");
    EXPECT_EQ(http->QuerySetCookie(), "");
    EXPECT_EQ(http->QueryRequestHeaders(), server.Requests()[1]);
    EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(CInternetHttpTest, EveryRequestAsksForAFreshAnswerUnlessHitCacheFirst) {
    LoopbackHttpServer server([](const std::string&) { return Ok("x"); });
    auto http = ConnectedTo(server);

    http->GetHTMLFromURL();
    http->SendQuery();
    EXPECT_EQ(http->QueryPragma(), "no-cache");
    http->HitCacheFirst(true);
    EXPECT_TRUE(http->HitCacheFirst());
    http->GetHTMLFromURL();
    http->SendQuery();
    EXPECT_EQ(http->QueryPragma(), "");

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(Contains(requests[i], "\r\nPragma: no-cache\r\n")) << requests[i];
        EXPECT_TRUE(Contains(requests[i], "\r\nCache-Control: no-cache\r\n")) << requests[i];
    }
    for (std::size_t i = 2; i < 4; ++i) {
        EXPECT_FALSE(Contains(requests[i], "Pragma")) << requests[i];
        EXPECT_FALSE(Contains(requests[i], "Cache-Control")) << requests[i];
    }
}

TEST_F(CInternetHttpTest, ClosedHandlesKeepTheirFieldsAndConnectNowhere) {
    LoopbackHttpServer server([](const std::string&) { return Ok("page", {"Server: Once"}); });
    auto http = ConnectedTo(server);
    const std::string version = http->DLLVersion();
    http->SendQuery();
    http->CloseHTTPRequest();
    EXPECT_EQ(http->QueryServer(), "Once");  // closing keeps the values read

    http->CloseConnection();
    EXPECT_EQ(http->GetHTMLFromURL(), "");
    EXPECT_EQ(server.Connections(), 1);

    http->CloseSession();
    EXPECT_EQ(http->DLLVersion(), version);   // the library's version needs no live session
    EXPECT_TRUE(http->GotoURL("127.0.0.1"));  // the field still holds the closed session
    EXPECT_EQ(http->GetHTMLFromURL(), "");
    http->SendQuery();
    EXPECT_EQ(http->QueryServer(), "");
    EXPECT_EQ(http->QueryRequestHeaders(), "");
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_TRUE(dialogs->boxes.empty());

    // A new session works again.
    ASSERT_TRUE(http->OpenSession());
    ASSERT_TRUE(http->GotoURL("127.0.0.1"));
    EXPECT_EQ(http->GetHTMLFromURL(), "page");
    EXPECT_EQ(server.Connections(), 2);
}

TEST_F(CInternetHttpTest, AServerThatClosesEarlyGivesWhatItSent) {
    const std::string body = Body(5000);
    LoopbackHttpServer server([&](const std::string&) {
        switch (server.Requests().size()) {
            case 1:  // promises 5000 bytes, sends 1000
                return Reply{LoopbackHttpServer::Response(
                    "HTTP/1.0 200 OK", {"Content-Length: 5000"}, body.substr(0, 1000))};
            case 2:  // breaks off inside the head
                return Reply{"HTTP/1.0 200 OK\r\nServer: Hal"};
            default:  // says nothing at all
                return Reply{};
        }
    });
    auto http = ConnectedTo(server);

    EXPECT_EQ(http->GetHTMLFromURL(), body.substr(0, 1000));
    http->SendQuery();
    EXPECT_EQ(http->QueryStatusCode(), "");
    EXPECT_EQ(http->QueryServer(), "");
    EXPECT_EQ(http->GetHTMLFromURL(), "");
    EXPECT_EQ(server.Connections(), 3);
    EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(CInternetHttpTest, AServerThatStallsEndsTheRequestAfterTheTimeout) {
    const std::string body = Body(3000);
    LoopbackHttpServer server([&](const std::string&) {
        if (server.Requests().size() == 2) {  // head and part of the body, then silence
            return Reply{LoopbackHttpServer::Response("HTTP/1.0 200 OK", {"Content-Length: 3000"},
                                                      body.substr(0, 700)),
                         true};
        }
        return Reply{"", true};  // never answers
    });
    auto http = ConnectedTo(server, 300ms);
    const auto start = std::chrono::steady_clock::now();

    EXPECT_EQ(http->GetHTMLFromURL(), "");
    EXPECT_EQ(http->GetHTMLFromURL(), body.substr(0, 700));
    http->SendQuery();
    EXPECT_EQ(http->QueryStatusCode(), "");
    EXPECT_EQ(http->QueryRequestHeaders(), server.Requests()[2]);  // the request did go out

    // Three stalls of 0.3 s each; a hang would take far longer than this bound.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 8s);
    EXPECT_TRUE(dialogs->boxes.empty());
}

// A head that never ends, in one field or in ever more fields, is cut off by libcurl's limit on
// heads long before it takes much memory or time.
TEST_F(CInternetHttpTest, AHeadThatNeverEndsEndsTheRequest) {
    for (const std::string& tail : {std::string(65536, 'a'), std::string("X-More: more\r\n")}) {
        LoopbackHttpServer server([&](const std::string&) {
            return Reply{"HTTP/1.0 200 OK\r\nX-Long: ", false, tail};
        });
        auto http = ConnectedTo(server);
        const auto start = std::chrono::steady_clock::now();

        http->SendQuery();
        EXPECT_EQ(http->QueryStatusCode(), "");
        EXPECT_EQ(http->GetHTMLFromURL(), "");
        EXPECT_LT(std::chrono::steady_clock::now() - start, 8s);
    }
}

// A body that never ends is cut at the body limit: the caller gets that much of it.
TEST_F(CInternetHttpTest, ABodyThatNeverEndsIsCutAtTheBodyLimit) {
    const std::string piece = Body(65536);
    LoopbackHttpServer server([&](const std::string&) {
        return Reply{"HTTP/1.0 200 OK\r\n\r\n", false, piece};
    });
    CurlInternet::Settings settings;
    settings.portOverride = server.Port();
    settings.bodyLimit = 1000000;
    CInternetHttp http(std::make_unique<CurlInternet>(settings));
    ASSERT_TRUE(http.OpenSession() && http.GotoURL("127.0.0.1"));

    std::string expected;
    while (expected.size() < settings.bodyLimit) expected += piece;
    expected.resize(settings.bodyLimit);
    EXPECT_EQ(http.GetHTMLFromURL(), expected);
}

// A server that keeps sending a little at a time, never stalling, is cut off at the transfer
// time limit with what it sent until then.
TEST_F(CInternetHttpTest, AServerThatNeverStopsTricklingIsCutAtTheTransferTimeLimit) {
    LoopbackHttpServer server([&](const std::string&) {
        return Reply{"HTTP/1.0 200 OK\r\n\r\n", false, "x", 20ms};
    });
    CurlInternet::Settings settings;
    settings.portOverride = server.Port();
    settings.transferTimeout = 1s;
    CInternetHttp http(std::make_unique<CurlInternet>(settings));
    ASSERT_TRUE(http.OpenSession() && http.GotoURL("127.0.0.1"));
    const auto start = std::chrono::steady_clock::now();

    const std::string body = http.GetHTMLFromURL();
    EXPECT_FALSE(body.empty());
    EXPECT_EQ(body, std::string(body.size(), 'x'));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 8s);
}

TEST_F(CInternetHttpTest, HeaderValuesAreCutToTheBuffer) {
    const std::string longValue(10000, 'v');
    const std::string fits(2047, 'f');
    LoopbackHttpServer server([&](const std::string&) {
        if (server.Requests().size() == 1) {
            return Ok("body", {"Server: " + longValue, "Set-Cookie: " + fits,
                               "Content-Type: " + fits + "g"});
        }
        // Beyond what libcurl accepts for one field: the response is refused.
        return Ok("body", {"Server: " + std::string(300000, 'h')});
    });
    auto http = ConnectedTo(server);

    http->SendQuery();
    EXPECT_EQ(http->QueryServer(), longValue.substr(0, 2047));
    EXPECT_EQ(http->QuerySetCookie(), fits);
    EXPECT_EQ(http->QueryContentType(), fits);
    EXPECT_EQ(http->QueryStatusCode(), "200");

    http->SendQuery();
    EXPECT_EQ(http->QueryServer(), "");
    EXPECT_EQ(http->QueryStatusCode(), "");
    EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(CInternetHttpTest, RedirectsAreFollowedToTheFinalResponse) {
    LoopbackHttpServer server([&](const std::string&) {
        if (server.Requests().size() % 2 == 1) {
            return Reply{LoopbackHttpServer::Response(
                "HTTP/1.0 302 Found",
                {"Location: /moved", "Set-Cookie: hop=1", "Content-Length: 5"}, "hop!!")};
        }
        return Ok("final", {"Server: Final"});
    });
    auto http = ConnectedTo(server);

    EXPECT_EQ(http->GetHTMLFromURL(), "final");
    http->SendQuery();
    EXPECT_EQ(http->QueryStatusCode(), "200");
    EXPECT_EQ(http->QueryServer(), "Final");
    EXPECT_EQ(http->QuerySetCookie(), "");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_TRUE(requests[1].starts_with("GET /moved HTTP/1.0\r\n")) << requests[1];
    EXPECT_EQ(http->QueryRequestHeaders(), requests[3]);
}

// libcurl goes on from every 3xx response with a Location, also from those that are no
// redirect proper: the response after it is the final one.
TEST_F(CInternetHttpTest, EveryThreeHundredStatusWithALocationIsFollowed) {
    for (const std::string status : {"304 Not Modified", "305 Use Proxy", "399 Odd"}) {
        LoopbackHttpServer server([&](const std::string&) {
            if (server.Requests().size() % 2 == 1) {
                return Reply{
                    LoopbackHttpServer::Response("HTTP/1.0 " + status, {"Location: /moved"}, "")};
            }
            return Ok("final", {"Server: Final"});
        });
        auto http = ConnectedTo(server);

        http->SendQuery();
        EXPECT_EQ(http->QueryStatusCode(), "200") << status;
        EXPECT_EQ(http->QueryServer(), "Final") << status;
        EXPECT_EQ(http->GetHTMLFromURL(), "final") << status;
        EXPECT_EQ(server.Requests().size(), 4u) << status;
    }
}

// As libcurl does: a Location of white space only is passed over for a later one, and a head
// with no other is final.
TEST_F(CInternetHttpTest, TheFirstLocationThatHoldsAnAddressIsFollowed) {
    LoopbackHttpServer server([&](const std::string& request) {
        if (request.starts_with("GET /moved ")) return Ok("final");
        if (server.Requests().size() <= 2) {
            return Reply{LoopbackHttpServer::Response("HTTP/1.0 302 Found",
                                                      {"Location: ", "Location: /moved"}, "")};
        }
        return Reply{LoopbackHttpServer::Response("HTTP/1.0 302 Found", {"Location: \v"}, "stays")};
    });
    auto http = ConnectedTo(server);

    EXPECT_EQ(http->GetHTMLFromURL(), "final");
    http->SendQuery();
    EXPECT_EQ(http->QueryStatusCode(), "302");
    EXPECT_EQ(http->GetHTMLFromURL(), "stays");
    EXPECT_EQ(server.Requests().size(), 4u);
}

TEST_F(CInternetHttpTest, AFieldThatLooksLikeAStatusLineStaysInItsHead) {
    LoopbackHttpServer server([&](const std::string&) {
        if (server.Requests().size() % 2 == 1) {
            return Reply{LoopbackHttpServer::Response(
                "HTTP/1.0 302 Found", {"Location: /moved", "HTTP/1.0 200 OK: a field all the same"},
                "")};
        }
        return Ok("final");
    });
    auto http = ConnectedTo(server);

    http->SendQuery();
    EXPECT_EQ(http->QueryStatusCode(), "200");
    EXPECT_EQ(http->GetHTMLFromURL(), "final");
    EXPECT_EQ(server.Requests().size(), 4u);
}

// The tests' own port setting keeps every connection on the loopback address, so a response
// (of a test or of the fuzz target) can never send the client out to another server.
TEST_F(CInternetHttpTest, UnderThePortSettingARedirectToAnotherServerComesBackToTheTestServer) {
    LoopbackHttpServer server([&](const std::string&) {
        if (server.Requests().size() == 1) {
            return Reply{LoopbackHttpServer::Response(
                "HTTP/1.0 301 Moved", {"Location: http://elsewhere.invalid:8080/moved"}, "")};
        }
        return Ok("back home");
    });
    auto http = ConnectedTo(server);

    EXPECT_EQ(http->GetHTMLFromURL(), "back home");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[1].starts_with("GET /moved HTTP/1.0\r\n")) << requests[1];
    EXPECT_TRUE(Contains(requests[1], "Host: elsewhere.invalid:8080\r\n")) << requests[1];
}

TEST_F(CInternetHttpTest, HostNamesAndAgentsThatWouldRewriteTheRequestAreRefused) {
    LoopbackHttpServer server([](const std::string&) { return Ok("page"); });
    auto http = ClientOf(server);
    ASSERT_TRUE(http->OpenSession());
    for (const char* host : {"127.0.0.1/admin", "user@127.0.0.1", "127.0.0.1:8080", "127.0.0.1 x",
                             "127.0.0.1\r\nX: 1", ""}) {
        EXPECT_TRUE(http->GotoURL(host)) << host;
        EXPECT_EQ(http->GetHTMLFromURL(), "") << host;
    }
    EXPECT_EQ(server.Connections(), 0);

    auto injected = ClientOf(server);
    injected->UserAgent("Agent\r\nX-Injected: 1");
    EXPECT_FALSE(injected->OpenSession());
    EXPECT_FALSE(injected->GotoURL("127.0.0.1"));
    EXPECT_EQ(server.Connections(), 0);
}

// An Internet library whose calls fail where a test says, for the failure boxes.
class FailingInternet : public IInternet {
public:
    bool failOpen = false;
    int readsBeforeFailure = 1;

    InternetHandle InternetOpen(const std::string&) override {
        if (failOpen) throw std::bad_alloc();
        return 1;
    }
    InternetHandle InternetConnect(InternetHandle, const std::string&, uint16_t) override {
        throw ErrorRecord(5, "lib", "Invalid procedure call or argument");
    }
    InternetHandle HttpOpenRequest(InternetHandle, const std::string&, const std::string&,
                                   const std::string&, uint32_t) override {
        return 3;
    }
    bool HttpSendRequest(InternetHandle) override { return true; }
    bool InternetReadFile(InternetHandle, char* buffer, uint32_t, uint32_t& read) override {
        if (readsBeforeFailure-- == 0) throw ErrorRecord(70, "lib", "Permission denied");
        buffer[0] = 'a';
        buffer[1] = 'b';
        read = 2;
        return true;
    }
    bool HttpQueryInfo(InternetHandle, uint32_t level, char* buffer, uint32_t&) override {
        if (level == HttpQuery::kServer) throw std::bad_alloc();
        buffer[0] = 'v';
        return true;
    }
    bool QueryVersion(InternetHandle, uint32_t&, uint32_t&) override {
        throw ErrorRecord(48, "lib", "Error in loading library");
    }
    bool InternetCloseHandle(InternetHandle) override { throw std::runtime_error("closed"); }
};

TEST_F(CInternetHttpTest, AFailureShowsABoxTitledWithTheMemberWhichReturnsWhatItHeld) {
    auto library = std::make_unique<FailingInternet>();
    FailingInternet& failing = *library;
    CInternetHttp http(std::move(library));
    ASSERT_TRUE(http.OpenSession());

    EXPECT_EQ(http.GetHTMLFromURL(), "ab");
    EXPECT_FALSE(http.GotoURL("host"));
    EXPECT_EQ(http.DLLVersion(), "");
    http.SendQuery();
    EXPECT_EQ(http.QueryContentType(), "v");
    EXPECT_EQ(http.QueryServer(), "");
    EXPECT_EQ(http.QuerySetCookie(), "v");  // the query goes on after a failed value
    http.CloseSession();
    failing.failOpen = true;
    EXPECT_FALSE(http.OpenSession());

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"GetHTMLFromURL", "Error: 70. Permission denied"},
        {"GotoURL", "Error: 5. Invalid procedure call or argument"},
        {"DLLVersion", "Error: 48. Error in loading library"},
        {"QueryDispatch", "Error: 7. Out of memory"},
        {"CloseSession", "Error: 5. Invalid procedure call or argument"},
        {"OpenSession", "Error: 7. Out of memory"},
    };
    ASSERT_EQ(dialogs->boxes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(dialogs->boxes[i].title, expected[i].first);
        EXPECT_EQ(dialogs->boxes[i].text, expected[i].second);
        EXPECT_EQ(dialogs->boxes[i].buttons, MsgButtons::OK);
        EXPECT_EQ(dialogs->boxes[i].icon, MsgIcon::None);
    }
}

}  // namespace
