#include "AppKit/NSWorkspace.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "Dispatch/DispatchQueue.hpp"

extern char** environ;

namespace AppKit {

namespace {
std::string lower(std::string s) {
    for (auto& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// xdg-open on the PATH, or empty.
std::string findXdgOpen() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/xdg-open";
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

bool launchBrowser(const std::string& url) {
    std::string tool = findXdgOpen();
    if (tool.empty()) return false;
    char* argv[] = {tool.data(), const_cast<char*>(url.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, tool.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
    // Reap it off the main thread; xdg-open returns quickly once it handed the URL over.
    Dispatch::DispatchQueue::global().async([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    });
    return true;
}
}  // namespace

NSWorkspace& NSWorkspace::shared() {
    static NSWorkspace workspace;
    return workspace;
}

bool NSWorkspace::open(const Foundation::URL& url) {
    URLHandler handler;
    bool external = false;
    std::string scheme = lower(url.scheme().value_or(""));
    {
        std::lock_guard lock(mutex_);
        opened_.push_back(url);
        if (auto it = handlers_.find(scheme); it != handlers_.end()) handler = it->second;
        external = external_;
    }
    if (handler) {
        Dispatch::DispatchQueue::main().async([handler, url] { handler(url); });
        return true;
    }
    if (scheme == "http" || scheme == "https") return external ? launchBrowser(url.absoluteString()) : true;
    return false;
}

std::vector<Foundation::URL> NSWorkspace::openedURLs() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

void NSWorkspace::clearOpenedURLs() {
    std::lock_guard lock(mutex_);
    opened_.clear();
}

void NSWorkspace::setURLHandler(const std::string& scheme, URLHandler handler) {
    std::lock_guard lock(mutex_);
    handlers_[lower(scheme)] = std::move(handler);
}

void NSWorkspace::removeURLHandler(const std::string& scheme) {
    std::lock_guard lock(mutex_);
    handlers_.erase(lower(scheme));
}

bool NSWorkspace::hasURLHandler(const std::string& scheme) const {
    std::lock_guard lock(mutex_);
    return handlers_.count(lower(scheme)) != 0;
}

}  // namespace AppKit
