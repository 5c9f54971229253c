// Any bytes a web server may answer with, sent by a loopback server to the HTTP client class:
// the fourteen header values and the body are read without fault, the body holds no more than
// the server sent and each value fits the client's buffer. The server closes the connection
// after its answer, so no request may wait for the client's stall timeout: one that does runs
// past the per-input timeout and fails the run.
#include <memory>
#include <mutex>

#include "FuzzSupport.h"
#include "LoopbackHttpServer.h"
#include "desktop/CInternetHttp.h"
#include "desktop/CurlInternet.h"

namespace {

// The server's answer to every request: the current input.
struct Answer {
    std::mutex mutex;
    std::string bytes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const FuzzProgramFolder folder;
    static Answer answer;
    static LoopbackHttpServer server([](const std::string&) {
        const std::lock_guard lock(answer.mutex);
        return LoopbackHttpServer::Reply{answer.bytes};
    });
    {
        const std::lock_guard lock(answer.mutex);
        answer.bytes = InputText(data, size);
    }
    server.ForgetRequests();

    CurlInternet::Settings settings;
    settings.portOverride = server.Port();
    CInternetHttp http(std::make_unique<CurlInternet>(settings));
    Require(http.OpenSession() && http.GotoURL("127.0.0.1"), "no connection");

    http.SendQuery();
    for (const std::string& value :
         {http.QueryContentType(), http.QueryContentLength(), http.QueryExpires(),
          http.QueryLastModified(), http.QueryVersion(), http.QueryStatusCode(),
          http.QueryStatusText(), http.QueryForwarded(), http.QueryServer(),
          http.QuerySetCookie()}) {
        Require(value.size() < 2048, "a header value longer than the buffer");
    }
    Require(http.GetHTMLFromURL().size() <= size, "a body longer than the response");
    http.CloseHTTPRequest();
    http.CloseConnection();
    http.CloseSession();
    return 0;
}
