#pragma once
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "Foundation/Data.hpp"
#include "Foundation/NSError.hpp"
#include "Foundation/URL.hpp"
#include "Foundation/URLResponse.hpp"
#include "Foundation/URLSessionDataTask.hpp"

namespace Foundation {

// The platform's URL loading error codes (NSURLErrorDomain).
namespace URLError {
inline constexpr long unknown = -1;
inline constexpr long cancelled = -999;
inline constexpr long badURL = -1000;
inline constexpr long timedOut = -1001;
inline constexpr long unsupportedURL = -1002;
inline constexpr long cannotFindHost = -1003;
inline constexpr long cannotConnectToHost = -1004;
inline constexpr long networkConnectionLost = -1005;
inline constexpr long httpTooManyRedirects = -1007;
inline constexpr long notConnectedToInternet = -1009;
inline constexpr long fileDoesNotExist = -1100;
inline constexpr long fileIsDirectory = -1101;
inline constexpr long noPermissionsToReadFile = -1102;
inline constexpr long dataLengthExceedsMaximum = -1103;
inline constexpr long secureConnectionFailed = -1200;
inline constexpr long serverCertificateUntrusted = -1202;
}  // namespace URLError

// Loads the contents of http, https and file URLs: one GET, redirects followed (to http and
// https only, never from https down to http, and only where the session's redirect policy
// agrees), no retries. Any HTTP status is a response: a 404 page is still data.
// Thread-safe; each load is independent. A load gives up (cancelled) when its task is
// cancelled or the global queues stop as the process ends, so quitting never waits for a
// server.
//
// A process that must not load anything (a host rendering offline) turns every session off at
// once with setOffline: each load then fails at once with notConnectedToInternet, touching
// neither the network nor the file system, and a data task completes before it returns, so no
// worker is ever started for it.
class URLSession {
public:
    using Completion = std::function<void(std::optional<Data> data, std::optional<URLResponse> response,
                                          std::optional<NSError> error)>;

    URLSession() = default;
    URLSession(const URLSession&) = delete;
    URLSession& operator=(const URLSession&) = delete;

    static URLSession& shared();

    // Process-wide, for every session; off by default.
    static void setOffline(bool offline);
    static bool isOffline();

    // Blocks until the load ends, so call it from a worker. Throws NSError (NSURLErrorDomain,
    // URLError codes) when nothing could be loaded.
    std::pair<Data, URLResponse> data(const URL& url);

    // Loads on a global queue and calls `completion` there: data and response, or the error
    // (cancelled once the task is). The session must outlive the load (the shared session
    // always does). Offline, `completion` gets the error on the calling thread before this
    // returns.
    std::shared_ptr<URLSessionDataTask> dataTask(const URL& url, Completion completion);

    // Asked before each redirect is followed, on the loading thread, after the rules above;
    // false ends the load with unsupportedURL. Set it before the session's first load.
    using RedirectPolicy = std::function<bool(const URL& from, const URL& to)>;
    void setRedirectPolicy(RedirectPolicy policy);
    // The rules every session keeps: to http or https only, and never from https to http.
    static bool followsRedirect(const URL& from, const URL& to);

    // Seconds to establish a connection, and for the whole load.
    double connectTimeout() const;
    double requestTimeout() const;
    void setTimeouts(double connectSeconds, double requestSeconds);

    // The most bytes a load may bring, as delivered (after decompression), since all of it is
    // held in memory; a larger body fails with dataLengthExceedsMaximum as soon as it shows.
    // Unlimited by default.
    std::optional<std::size_t> maximumBodySize() const;
    void setMaximumBodySize(std::optional<std::size_t> bytes);

private:
    static constexpr std::size_t unlimited = ~std::size_t(0);

    std::pair<Data, URLResponse> load(const URL& url, const URLSessionDataTask* task);
    bool allowsRedirect(const URL& from, const URL& to) const;

    mutable std::mutex policyMutex_;
    RedirectPolicy redirectPolicy_;

    std::atomic<double> connectTimeout_{10};
    std::atomic<double> requestTimeout_{30};
    std::atomic<std::size_t> maximumBodySize_{unlimited};
};

}  // namespace Foundation
