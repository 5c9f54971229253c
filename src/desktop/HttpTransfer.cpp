#include "desktop/HttpTransfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/ErrorRecord.h"
#include "common/ProgramFolder.h"
#include "desktop/HttpHead.h"

namespace {

using Clock = std::chrono::steady_clock;

// libcurl must be set up once per process before its first use.
void LoadLibrary() {
    static const CURLcode loaded = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (loaded != CURLE_OK) throw ErrorRecord(48, ExecutableName(), "Error in loading library");
}

struct MultiCleanup {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct EasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

void AppendItem(std::unique_ptr<curl_slist, ListFree>& list, const char* field) {
    curl_slist* longer = curl_slist_append(list.get(), field);
    if (longer == nullptr) throw std::bad_alloc();
    list.release();
    list.reset(longer);
}

// libcurl goes on to the address in the Location field after every 3xx status that has one.
bool IsFollowedRedirect(long status) {
    return status >= 300 && status <= 399;
}

}  // namespace

struct HttpTransfer::Handles {
    std::unique_ptr<CURLM, MultiCleanup> multi;
    std::unique_ptr<CURL, EasyCleanup> easy;
    std::unique_ptr<curl_slist, ListFree> fields;
    std::unique_ptr<curl_slist, ListFree> connectTo;
    bool attached = false;  // the easy handle is part of the multi handle

    ~Handles() {
        if (attached) curl_multi_remove_handle(multi.get(), easy.get());
    }
};

struct HttpTransfer::Callbacks {
    static std::size_t Header(char* data, std::size_t size, std::size_t count, void* self) {
        static_cast<HttpTransfer*>(self)->HeadLine(std::string_view(data, size * count));
        return size * count;
    }
    static std::size_t Body(char* data, std::size_t size, std::size_t count, void* self) {
        return static_cast<HttpTransfer*>(self)->BodyDelivered(data, size * count);
    }
    static int Debug(CURL*, curl_infotype type, char* data, std::size_t size, void* self) {
        if (type == CURLINFO_HEADER_OUT)
            static_cast<HttpTransfer*>(self)->RequestHeadSent(data, size);
        return 0;
    }
};

HttpTransfer::HttpTransfer(const Request& request)
    : stallTimeout_(request.stallTimeout),
      bodyLimit_(request.bodyLimit),
      handles_(std::make_unique<Handles>()) {
    LoadLibrary();
    handles_->multi.reset(curl_multi_init());
    handles_->easy.reset(curl_easy_init());
    if (!handles_->multi || !handles_->easy) throw std::bad_alloc();

    // No Accept field: the request names no accepted types.
    AppendItem(handles_->fields, "Accept:");
    if (request.noCache) {
        AppendItem(handles_->fields, "Pragma: no-cache");
        AppendItem(handles_->fields, "Cache-Control: no-cache");
    }

    if (!request.connectTo.empty()) AppendItem(handles_->connectTo, request.connectTo.c_str());

    CURL* easy = handles_->easy.get();
    const long connectTimeoutMs = static_cast<long>(stallTimeout_.count());
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_USERAGENT, request.userAgent.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION,
                     request.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, handles_->fields.get());
    curl_easy_setopt(easy, CURLOPT_CONNECT_TO, handles_->connectTo.get());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, connectTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(request.transferTimeout.count()));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Callbacks::Header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Callbacks::Body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    // The request head as sent is only reported to a debug function, which needs VERBOSE.
    curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &Callbacks::Debug);
    curl_easy_setopt(easy, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
}

HttpTransfer::~HttpTransfer() = default;

bool HttpTransfer::Send() {
    if (sent_) return false;
    sent_ = true;
    lastActivity_ = Clock::now();
    if (curl_multi_add_handle(handles_->multi.get(), handles_->easy.get()) != CURLM_OK) {
        Finish(CURLE_FAILED_INIT);
        return false;
    }
    handles_->attached = true;
    DriveUntil([this] { return receivedHeadFinal_; });
    return receivedHeadFinal_;
}

bool HttpTransfer::Read(char* buffer, std::size_t size, std::size_t& count) {
    count = 0;
    if (!sent_) return false;
    for (;;) {
        if (bodyTaken_ < body_.size()) {
            count = std::min(size, body_.size() - bodyTaken_);
            std::memcpy(buffer, body_.data() + bodyTaken_, count);
            bodyTaken_ += count;
            return true;
        }
        if (paused_) {
            // libcurl hands the delivery it held back to OnBody from inside the call.
            paused_ = false;
            lastActivity_ = Clock::now();
            curl_easy_pause(handles_->easy.get(), CURLPAUSE_CONT);
            continue;
        }
        if (finished_) return result_ == CURLE_OK;
        DriveUntil([this] { return bodyTaken_ < body_.size() || paused_; });
    }
}

const std::string& HttpTransfer::ReceivedHead() const {
    static const std::string none;
    return receivedHeadFinal_ ? receivedHead_ : none;
}

template <class Done>
void HttpTransfer::DriveUntil(Done done) {
    CURLM* multi = handles_->multi.get();
    while (!done() && !finished_) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            Finish(CURLE_RECV_ERROR);
            return;
        }
        CollectResult();
        if (done() || finished_) return;
        const auto idle = Clock::now() - lastActivity_;
        if (idle >= stallTimeout_) {
            Finish(CURLE_OPERATION_TIMEDOUT);
            return;
        }
        // Wake at least once a second, and in time to notice the stall.
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(stallTimeout_ - idle);
        const int waitMs =
            static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count() + 1, 1, 1000));
        curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
    }
}

void HttpTransfer::CollectResult() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(handles_->multi.get(), &left)) {
        if (message->msg == CURLMSG_DONE) Finish(message->data.result);
    }
}

void HttpTransfer::Finish(int result) {
    finished_ = true;
    result_ = result;
    if (handles_->attached) {
        curl_multi_remove_handle(handles_->multi.get(), handles_->easy.get());
        handles_->attached = false;
    }
    // A complete head that libcurl did not go past (a redirect it did not follow) is final.
    if (result == CURLE_OK && receivedHeadComplete_) receivedHeadFinal_ = true;
}

void HttpTransfer::HeadLine(std::string_view line) {
    lastActivity_ = Clock::now();
    sentHeadComplete_ = true;
    // A status line starts a new head; inside a head, a field may begin with "HTTP/" too.
    if (line.starts_with("HTTP/") && (receivedHead_.empty() || receivedHeadComplete_)) {
        receivedHead_.clear();
        receivedHeadComplete_ = false;
        receivedHeadFinal_ = false;
    }
    receivedHead_ += line;
    if (line != "\r\n" && line != "\n") return;
    receivedHeadComplete_ = true;

    // The empty line ends a head; interim (1xx) and followed redirect heads are not the final one.
    // The status is the one libcurl read, so that both agree on which heads it goes past.
    long status = 0;
    curl_easy_getinfo(handles_->easy.get(), CURLINFO_RESPONSE_CODE, &status);
    // libcurl goes on to the first Location that holds more than white space.
    const std::vector<std::string> locations = HttpHead::FieldValues(receivedHead_, "Location");
    const bool redirected =
        IsFollowedRedirect(status) &&
        std::any_of(locations.begin(), locations.end(), [](const std::string& location) {
            return location.find_first_not_of(" \t\r\n\v\f") != std::string::npos;
        });
    receivedHeadFinal_ = status >= 200 && !redirected;
}

std::size_t HttpTransfer::BodyDelivered(const char* data, std::size_t size) {
    lastActivity_ = Clock::now();
    if (!receivedHeadFinal_) return size;  // body of a redirect: not the caller's
    if (bodyTaken_ < body_.size()) {
        paused_ = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    // Past the limit only the bytes up to it are kept, and the transfer fails.
    const std::size_t kept = std::min(size, bodyLimit_ - bodyDelivered_);
    body_.assign(data, kept);
    bodyTaken_ = 0;
    bodyDelivered_ += kept;
    return kept == size ? size : 0;
}

void HttpTransfer::RequestHeadSent(const char* data, std::size_t size) {
    lastActivity_ = Clock::now();
    if (sentHeadComplete_) {
        sentHead_.clear();
        sentHeadComplete_ = false;
    }
    sentHead_.append(data, size);
}
