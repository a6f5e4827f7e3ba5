#include "Foundation/URLSession.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <mutex>

#include <curl/curl.h>

#include "Dispatch/DispatchQueue.hpp"

namespace Foundation {
namespace {

[[noreturn]] void fail(long code, const std::string& description) { throw NSError(NSURLErrorDomain, code, description); }

long codeFor(CURLcode result) {
    switch (result) {
    case CURLE_URL_MALFORMAT: return URLError::badURL;
    case CURLE_UNSUPPORTED_PROTOCOL: return URLError::unsupportedURL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return URLError::cannotFindHost;
    case CURLE_COULDNT_CONNECT: return URLError::cannotConnectToHost;
    case CURLE_OPERATION_TIMEDOUT: return URLError::timedOut;
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE: return URLError::networkConnectionLost;
    case CURLE_TOO_MANY_REDIRECTS: return URLError::httpTooManyRedirects;
    case CURLE_SSL_CONNECT_ERROR: return URLError::secureConnectionFailed;
    case CURLE_PEER_FAILED_VERIFICATION: return URLError::serverCertificateUntrusted;
    default: return URLError::unknown;
    }
}

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

long milliseconds(double seconds) {
    if (!(seconds > 0)) return 1;  // curl reads 0 as "no limit"; a zero or bad timeout must not wait forever
    return static_cast<long>(std::min(std::ceil(seconds * 1000), 1e9));
}

[[noreturn]] void failTooLarge(std::size_t limit, const URL& url) {
    fail(URLError::dataLengthExceedsMaximum,
         "The resource is larger than " + std::to_string(limit) + " bytes (" + url.absoluteString() + ")");
}

std::pair<Data, URLResponse> loadFile(const URL& url, std::size_t limit) {
    const std::string path = url.path();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) fail(URLError::fileDoesNotExist, "The file \"" + path + "\" does not exist.");
    if (std::filesystem::is_directory(status)) fail(URLError::fileIsDirectory, "\"" + path + "\" is a directory.");
    if (std::filesystem::is_regular_file(status)) {
        const auto size = std::filesystem::file_size(path, error);
        if (!error && size > limit) failTooLarge(limit, url);
    }
    auto data = contentsOfFile(path);
    if (!data) fail(URLError::noPermissionsToReadFile, "The file \"" + path + "\" could not be read.");
    if (data->size() > limit) failTooLarge(limit, url);  // a file that grew, or no regular file
    return {std::move(*data), URLResponse{url, std::nullopt}};
}

// The body as it arrives, up to the session's limit.
struct Body {
    Data data;
    std::size_t limit;
    bool tooLarge = false;
};

std::size_t append(char* bytes, std::size_t size, std::size_t count, void* userData) {
    auto* body = static_cast<Body*>(userData);
    const std::size_t length = size * count;
    if (length > body->limit - body->data.size()) {
        body->tooLarge = true;
        return 0;  // ends the transfer
    }
    body->data.insert(body->data.end(), bytes, bytes + length);
    return length;
}

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// curl's global set-up (and the TLS library's under it) is not safe to run on a worker that
// may still be busy while the process exits, so it runs when this library loads, on the
// thread that loads it.
[[maybe_unused]] const bool curlReadyAtLoad = (initialiseCurlOnce(), true);

std::atomic<bool> processOffline{false};

bool givesUp(const URLSessionDataTask* task) {
    return (task && task->isCancelled()) || Dispatch::DispatchQueue::globalQueuesStopping();
}

// One transfer, looking every tenth of a second whether it should give up.
CURLcode perform(CURLM* multi, CURL* c, const URLSessionDataTask* task) {
    if (givesUp(task)) return CURLE_ABORTED_BY_CALLBACK;
    if (curl_multi_add_handle(multi, c) != CURLM_OK) return CURLE_FAILED_INIT;
    CURLcode result = CURLE_FAILED_INIT;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) break;
        int queued = 0;
        bool done = false;
        while (CURLMsg* m = curl_multi_info_read(multi, &queued))
            if (m->msg == CURLMSG_DONE && m->easy_handle == c) {
                result = m->data.result;
                done = true;
            }
        if (done || running == 0) break;
        if (givesUp(task)) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (curl_multi_poll(multi, nullptr, 0, 100, nullptr) != CURLM_OK) break;
    }
    curl_multi_remove_handle(multi, c);
    return result;
}

NSError offlineError(const URL& url) {
    return NSError(NSURLErrorDomain, URLError::notConnectedToInternet,
                   "Loading is turned off in this process (" + url.absoluteString() + ")");
}

}  // namespace

URLSession& URLSession::shared() {
    static URLSession* session = new URLSession;  // usable from workers still running at exit
    return *session;
}

void URLSession::setOffline(bool offline) { processOffline = offline; }
bool URLSession::isOffline() { return processOffline; }

std::optional<std::size_t> URLSession::maximumBodySize() const {
    const std::size_t bytes = maximumBodySize_;
    return bytes == unlimited ? std::nullopt : std::optional(bytes);
}

void URLSession::setMaximumBodySize(std::optional<std::size_t> bytes) { maximumBodySize_ = bytes.value_or(unlimited); }

double URLSession::connectTimeout() const { return connectTimeout_; }
double URLSession::requestTimeout() const { return requestTimeout_; }

void URLSession::setTimeouts(double connectSeconds, double requestSeconds) {
    connectTimeout_ = connectSeconds;
    requestTimeout_ = requestSeconds;
}

std::pair<Data, URLResponse> URLSession::data(const URL& url) { return load(url, nullptr); }

void URLSession::setRedirectPolicy(RedirectPolicy policy) {
    std::lock_guard lock(policyMutex_);
    redirectPolicy_ = std::move(policy);
}

bool URLSession::followsRedirect(const URL& from, const URL& to) {
    const std::string scheme = lowercase(to.scheme().value_or(""));
    if (scheme != "http" && scheme != "https") return false;
    return !(lowercase(from.scheme().value_or("")) == "https" && scheme == "http");
}

bool URLSession::allowsRedirect(const URL& from, const URL& to) const {
    if (!followsRedirect(from, to)) return false;
    std::lock_guard lock(policyMutex_);
    return !redirectPolicy_ || redirectPolicy_(from, to);
}

std::pair<Data, URLResponse> URLSession::load(const URL& url, const URLSessionDataTask* task) {
    if (isOffline()) throw offlineError(url);
    const std::size_t limit = maximumBodySize_;
    const std::string scheme = lowercase(url.scheme().value_or(""));
    if (scheme == "file") return loadFile(url, limit);
    if (scheme != "http" && scheme != "https")
        fail(URLError::unsupportedURL, "unsupported URL: " + url.absoluteString());
    if (!url.host()) fail(URLError::badURL, "bad URL: " + url.absoluteString());

    initialiseCurlOnce();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)> multi(curl_multi_init(), &curl_multi_cleanup);
    if (!curl || !multi) fail(URLError::unknown, "the network library could not start a request");
    Body body{{}, limit};
    char message[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);  // timeouts without signals: we run on many threads
#if LIBCURL_VERSION_NUM >= 0x075700
    curl_easy_setopt(c, CURLOPT_QUICK_EXIT, 1L);  // a cancelled load does not wait for a name lookup
#endif
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(connectTimeout_));
    curl_easy_setopt(c, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");  // whatever the library can decode
    if (limit != unlimited) {
        // A declared length over the limit fails before the body; the decoded count in
        // append() catches the rest.
        curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(std::min<std::size_t>(limit, std::numeric_limits<curl_off_t>::max())));
    }
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &append);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, message);

    // Redirects are followed here, not by the library, so each one is looked at before any
    // name in it is looked up; the time limit is for the whole load.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds(requestTimeout_));
    constexpr int maximumRedirects = 16;
    URL current = url;
    for (int redirects = 0;; ++redirects) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) fail(URLError::timedOut, "the load took longer than its time limit (" + url.absoluteString() + ")");
        body.data.clear();
        message[0] = 0;
        curl_easy_setopt(c, CURLOPT_URL, current.absoluteString().c_str());
        curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(left));
        const CURLcode result = perform(multi.get(), c, task);
        if (result == CURLE_ABORTED_BY_CALLBACK)
            fail(URLError::cancelled, "the load was cancelled (" + url.absoluteString() + ")");
        if (body.tooLarge || result == CURLE_FILESIZE_EXCEEDED) failTooLarge(limit, url);
        if (result != CURLE_OK) {
            const std::string detail = message[0] ? message : curl_easy_strerror(result);
            fail(codeFor(result), detail + " (" + current.absoluteString() + ")");
        }
        char* location = nullptr;
        curl_easy_getinfo(c, CURLINFO_REDIRECT_URL, &location);
        if (!location) break;
        if (redirects == maximumRedirects)
            fail(URLError::httpTooManyRedirects, "more than " + std::to_string(maximumRedirects) + " redirects (" + url.absoluteString() + ")");
        const std::optional<URL> next = URL::fromString(location);
        if (!next || !allowsRedirect(current, *next))
            fail(URLError::unsupportedURL, "the redirect from " + current.absoluteString() + " to " + location + " is not followed");
        current = *next;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    return {std::move(body.data), URLResponse{current, status}};
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTask(const URL& url, Completion completion) {
    auto task = std::make_shared<URLSessionDataTask>();
    if (isOffline()) {
        completion(std::nullopt, std::nullopt, offlineError(url));
        return task;
    }
    Dispatch::DispatchQueue::global().async([this, url, task, completion = std::move(completion)] {
        try {
            auto [data, response] = load(url, task.get());
            completion(std::move(data), std::move(response), std::nullopt);
        } catch (const NSError& error) {
            completion(std::nullopt, std::nullopt, error);
        }
    });
    return task;
}

}  // namespace Foundation
