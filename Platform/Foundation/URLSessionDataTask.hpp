#pragma once
#include <atomic>

namespace Foundation {

// One load that URLSession::dataTask started. Cancelling it ends the load at its next look
// (a tenth of a second at most); the completion then gets the cancelled error. Thread-safe.
class URLSessionDataTask {
public:
    void cancel() { cancelled_ = true; }
    bool isCancelled() const { return cancelled_; }

private:
    std::atomic<bool> cancelled_{false};
};

}  // namespace Foundation
