#include "AppKit/NSWorkspace.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "AppKit/ApplicationInstance.hpp"
#include "AppKit/DesktopEntry.hpp"
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

// Starts a program (searched on the PATH) in a session of its own, so that it outlives this
// process, and reaps it when it ends.
bool spawn(std::vector<std::string> args) {
    if (args.empty()) return false;
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int result = posix_spawnp(&pid, argv[0], nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) return false;
    // A launched application may run for long: its own thread waits, not a pool's.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}

bool launchBrowser(const std::string& url) {
    std::string tool = findXdgOpen();
    if (tool.empty()) return false;
    return spawn({tool, url});
}

// The application of another process that handles the URL's scheme: its running instance, or
// the application started with the URL.
bool openInApplication(const std::string& scheme, const Foundation::URL& url) {
    auto entry = DesktopEntry::handlerForScheme(scheme);
    if (!entry) return false;
    std::string error;
    switch (ApplicationInstance::handOff(entry->applicationIdentifier(), {url.absoluteString()}, &error)) {
    case ApplicationInstance::HandOff::delivered: return true;
    case ApplicationInstance::HandOff::noInstance: return spawn(entry->commandLine(url.absoluteString()));
    case ApplicationInstance::HandOff::failed:
        std::fprintf(stderr, "cannot open %s in %s: %s\n", url.absoluteString().c_str(), entry->name.c_str(), error.c_str());
        return false;
    }
    return false;
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
    if (!external || scheme.empty() || scheme == "file") return false;
    return openInApplication(scheme, url);
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
