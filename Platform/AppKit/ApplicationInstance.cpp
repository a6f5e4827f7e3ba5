#include "AppKit/ApplicationInstance.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "Dispatch/DispatchQueue.hpp"

namespace AppKit {

namespace {

constexpr std::size_t maximumMessage = 64 * 1024;

std::string inRuntimeDirectory(const std::string& name) {
    const std::string dir = ApplicationInstance::runtimeDirectory();
    return dir.empty() ? std::string() : dir + "/" + name;
}

std::string lockPath(const std::string& identifier) { return inRuntimeDirectory(identifier + ".lock"); }

bool fillAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Waits up to `ms` for the descriptor to be readable.
bool readable(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    int r;
    do r = ::poll(&p, 1, ms);
    while (r < 0 && errno == EINTR);
    return r > 0;
}

bool sendAll(int fd, const std::string& text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += std::size_t(n);
    }
    return true;
}

// What the peer sent until it closed its side (or gave up), at most `limit` bytes.
std::string receiveAll(int fd, int ms, std::size_t limit) {
    std::string text;
    char buffer[4096];
    while (text.size() < limit && readable(fd, ms)) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, std::size_t(n));
    }
    return text;
}

int connectTo(const std::string& path) {
    sockaddr_un address;
    if (!fillAddress(path, address)) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    ::close(fd);
    return -1;
}

}  // namespace

std::string ApplicationInstance::runtimeDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') return runtime;
    std::error_code ec;
    std::string dir = std::filesystem::temp_directory_path(ec).string() + "/runtime-" + std::to_string(::getuid());
    (void)::mkdir(dir.c_str(), 0700);
    // Shared temporary space: a folder someone else made is not the user's own.
    struct stat s {};
    if (::lstat(dir.c_str(), &s) != 0 || !S_ISDIR(s.st_mode) || s.st_uid != ::getuid() || (s.st_mode & 077) != 0) return {};
    return dir;
}

std::string ApplicationInstance::socketPath(const std::string& identifier) { return inRuntimeDirectory(identifier + ".socket"); }

pid_t ApplicationInstance::runningProcess(const std::string& identifier) {
    const int fd = ::open(lockPath(identifier).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    pid_t pid = 0;
    if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
        ::flock(fd, LOCK_UN);
    } else {
        char text[32] = {};
        if (::pread(fd, text, sizeof text - 1, 0) > 0) pid = pid_t(std::atol(text));
    }
    ::close(fd);
    return pid;
}

ApplicationInstance::HandOff ApplicationInstance::handOff(const std::string& identifier, const std::vector<std::string>& urls,
                                                          std::string* error) {
    std::string message;
    for (auto& url : urls) {
        if (url.find('\n') != std::string::npos) {
            if (error) *error = "a URL cannot hold a line break";
            return HandOff::failed;
        }
        message += url + "\n";
    }
    const std::string path = socketPath(identifier);
    int fd = connectTo(path);
    // An instance that holds the claim but is not listening yet is starting up: wait for it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (fd < 0) {
        if (runningProcess(identifier) == 0) return HandOff::noInstance;
        if (std::chrono::steady_clock::now() > deadline) {
            if (error) *error = "the running instance does not listen on " + path;
            return HandOff::failed;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        fd = connectTo(path);
    }
    bool ok = sendAll(fd, message) && ::shutdown(fd, SHUT_WR) == 0;
    // The instance answers once it has taken the URLs.
    ok = ok && receiveAll(fd, 5000, 16) == "ok\n";
    ::close(fd);
    if (!ok) {
        if (error) *error = "the running instance did not take the URLs";
        return HandOff::failed;
    }
    return HandOff::delivered;
}

std::unique_ptr<ApplicationInstance> ApplicationInstance::claim(const std::string& identifier, Receiver receiver,
                                                                std::string* error) {
    auto fail = [&](const std::string& what) -> std::unique_ptr<ApplicationInstance> {
        if (error) *error = what + ": " + std::strerror(errno);
        return nullptr;
    };
    const std::string lock = lockPath(identifier);
    if (lock.empty()) {
        errno = EACCES;
        return fail("no private runtime directory (XDG_RUNTIME_DIR is not set)");
    }
    std::unique_ptr<ApplicationInstance> instance(new ApplicationInstance);
    instance->lock_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (instance->lock_ < 0) return fail("cannot open " + lock);
    if (::flock(instance->lock_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            if (error) error->clear();
            return nullptr;
        }
        return fail("cannot lock " + lock);
    }
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(instance->lock_, 0) != 0 || ::pwrite(instance->lock_, pid.data(), pid.size(), 0) != ssize_t(pid.size()))
        return fail("cannot write " + lock);

    // The lock is ours, so a socket file left there is a stale one.
    instance->socketPath_ = socketPath(identifier);
    sockaddr_un address;
    if (!fillAddress(instance->socketPath_, address)) {
        errno = ENAMETOOLONG;
        return fail(instance->socketPath_);
    }
    ::unlink(instance->socketPath_.c_str());
    instance->listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (instance->listener_ < 0) return fail("cannot make a socket");
    if (::bind(instance->listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(instance->socketPath_.c_str(), 0600) != 0 || ::listen(instance->listener_, 8) != 0)
        return fail("cannot listen on " + instance->socketPath_);
    if (::pipe2(instance->wake_, O_CLOEXEC) != 0) return fail("cannot make a pipe");
    instance->receiver_ = std::move(receiver);
    instance->thread_ = std::thread([raw = instance.get()] { raw->listen(); });
    return instance;
}

void ApplicationInstance::listen() {
    for (;;) {
        pollfd p[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents) return;
        if (!(p[0].revents & POLLIN)) continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        // Only the user's own processes may hand anything over.
        ucred peer{};
        socklen_t length = sizeof peer;
        if (::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || peer.uid != ::getuid()) {
            ::close(connection);
            continue;
        }
        const std::string message = receiveAll(connection, 2000, maximumMessage);
        std::vector<std::string> urls;
        std::size_t start = 0;
        for (std::size_t end; (end = message.find('\n', start)) != std::string::npos; start = end + 1)
            if (end > start) urls.push_back(message.substr(start, end - start));
        Dispatch::DispatchQueue::main().async([receiver = receiver_, urls] { receiver(urls); });
        sendAll(connection, "ok\n");
        ::close(connection);
    }
}

ApplicationInstance::~ApplicationInstance() {
    if (thread_.joinable()) {
        const char stop = 0;
        (void)!::write(wake_[1], &stop, 1);
        thread_.join();
    }
    for (int fd : {listener_, wake_[0], wake_[1]})
        if (fd >= 0) ::close(fd);
    if (listener_ >= 0) ::unlink(socketPath_.c_str());
    if (lock_ >= 0) ::close(lock_);
}

}  // namespace AppKit
