#include "Foundation/URLSession.hpp"

#include <algorithm>
#include <cerrno>
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

std::pair<Data, URLResponse> URLSession::data(const URL& url) {
    if (isOffline()) throw offlineError(url);
    const std::size_t limit = maximumBodySize_;
    const std::string scheme = lowercase(url.scheme().value_or(""));
    if (scheme == "file") return loadFile(url, limit);
    if (scheme != "http" && scheme != "https")
        fail(URLError::unsupportedURL, "unsupported URL: " + url.absoluteString());
    if (!url.host()) fail(URLError::badURL, "bad URL: " + url.absoluteString());

    initialiseCurlOnce();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) fail(URLError::unknown, "the network library could not start a request");
    Body body{{}, limit};
    char message[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.absoluteString().c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");  // a redirect never reaches file: or others
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 16L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);  // timeouts without signals: we run on many threads
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(connectTimeout_));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, milliseconds(requestTimeout_));
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

    const CURLcode result = curl_easy_perform(c);
    if (body.tooLarge || result == CURLE_FILESIZE_EXCEEDED) failTooLarge(limit, url);
    if (result != CURLE_OK) {
        const std::string detail = message[0] ? message : curl_easy_strerror(result);
        fail(codeFor(result), detail + " (" + url.absoluteString() + ")");
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    char* effective = nullptr;
    curl_easy_getinfo(c, CURLINFO_EFFECTIVE_URL, &effective);
    std::optional<URL> finalURL = effective ? URL::fromString(effective) : std::nullopt;
    return {std::move(body.data), URLResponse{finalURL.value_or(url), status}};
}

void URLSession::dataTask(const URL& url, Completion completion) {
    if (isOffline()) {
        completion(std::nullopt, std::nullopt, offlineError(url));
        return;
    }
    Dispatch::DispatchQueue::global().async([this, url, completion = std::move(completion)] {
        try {
            auto [data, response] = this->data(url);
            completion(std::move(data), std::move(response), std::nullopt);
        } catch (const NSError& error) {
            completion(std::nullopt, std::nullopt, error);
        }
    });
}

}  // namespace Foundation
