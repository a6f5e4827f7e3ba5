#include "AppKit/ApplicationInstance.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "Dispatch/DispatchQueue.hpp"

namespace AppKit {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t maximumMessage = ApplicationInstance::maximumMessage;
// More starts at once than this are not real starts: the oldest connection makes room.
constexpr std::size_t maximumConnections = 32;
const std::string acknowledgement = "ok\n", confirmation = "go\n";

Clock::time_point after(double seconds) {
    return Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

int millisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : int(std::min<long long>(left + 1, 60'000));
}

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

// Waits until the descriptor is ready for `events` or the deadline passes.
bool ready(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, millisecondsUntil(deadline));
        if (r > 0) return true;
        if (r == 0 || errno != EINTR) return false;
    }
}

bool sendAll(int fd, const std::string& text, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += std::size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!ready(fd, POLLOUT, deadline)) return false;
        } else {
            return false;
        }
    }
    return true;
}

// Reads until `expected` bytes came, the peer closed, or the deadline passed.
std::string receive(int fd, std::size_t expected, Clock::time_point deadline) {
    std::string text;
    char buffer[64];
    while (text.size() < expected && ready(fd, POLLIN, deadline)) {
        const ssize_t n = ::recv(fd, buffer, std::min(sizeof buffer, expected - text.size()), MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n <= 0) break;
        text.append(buffer, std::size_t(n));
    }
    return text;
}

uid_t peerUser(int fd) {
    ucred peer{};
    socklen_t length = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || length != sizeof peer) return uid_t(-1);
    return peer.uid;
}

// A connection attempt that never blocks: a listener whose queue is full answers EAGAIN.
int connectTo(const std::string& path, int& failure) {
    sockaddr_un address;
    failure = ENAMETOOLONG;
    if (!fillAddress(path, address)) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    failure = errno;
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    failure = errno;
    ::close(fd);
    return -1;
}

// One start's hand-off, as the running instance reads it.
struct Connection {
    int fd = -1;
    Clock::time_point deadline;
    std::string received;
    bool acknowledged = false;
    std::vector<std::string> urls;
};

enum class Step { more, done, drop };

// The message's URLs once its empty line came; nothing may follow it before the answer.
Step readMessage(Connection& c) {
    std::size_t end = std::string::npos;
    if (!c.received.empty() && c.received[0] == '\n') end = 0;
    else if (const auto at = c.received.find("\n\n"); at != std::string::npos) end = at + 1;
    if (end == std::string::npos) return c.received.size() >= maximumMessage ? Step::drop : Step::more;
    if (end + 1 > maximumMessage || c.received.size() != end + 1) return Step::drop;
    for (std::size_t start = 0, next; start < end; start = next + 1) {
        next = c.received.find('\n', start);
        c.urls.push_back(c.received.substr(start, next - start));
    }
    c.received.clear();
    c.acknowledged = true;
    return sendAll(c.fd, acknowledgement, Clock::now()) ? Step::more : Step::drop;
}

Step readConfirmation(Connection& c) {
    if (c.received == confirmation) return Step::done;
    return confirmation.compare(0, c.received.size(), c.received) == 0 ? Step::more : Step::drop;
}

// Takes what the peer sent so far, without waiting.
Step advance(Connection& c) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return Step::more;
        if (n <= 0) return Step::drop;  // closed before it confirmed: it gave up
        c.received.append(buffer, std::size_t(n));
        const Step step = c.acknowledged ? readConfirmation(c) : readMessage(c);
        if (step != Step::more) return step;
    }
}

}  // namespace

std::string ApplicationInstance::runtimeDirectory() {
    std::string dir;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
        dir = runtime;
    } else {
        std::error_code ec;
        dir = std::filesystem::temp_directory_path(ec).string() + "/runtime-" + std::to_string(::getuid());
        (void)::mkdir(dir.c_str(), 0700);
    }
    // A folder someone else made, or may write in, is not the user's own: another user could
    // put a listener of theirs where a start looks for the running instance.
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
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return HandOff::failed;
    };
    std::string message;
    for (auto& url : urls) {
        if (url.empty()) return fail("a URL cannot be empty");
        if (url.find('\n') != std::string::npos) return fail("a URL cannot hold a line break");
        message += url + "\n";
    }
    message += "\n";
    if (message.size() > maximumMessage)
        return fail("the URLs are too long to hand over (more than " + std::to_string(maximumMessage / 1024) + " KiB)");
    const std::string path = socketPath(identifier);
    if (path.empty()) return HandOff::noInstance;

    const auto deadline = after(handOffDeadlineSeconds);
    int failure = 0;
    int fd = connectTo(path, failure);
    // An instance that holds the claim but is not listening yet is starting up, and one whose
    // queue is full is busy: wait for either, up to the deadline.
    while (fd < 0) {
        if (failure != EAGAIN && runningProcess(identifier) == 0) return HandOff::noInstance;
        if (Clock::now() > deadline)
            return fail(failure == EAGAIN ? "the running instance does not answer" : "the running instance does not listen on " + path);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        fd = connectTo(path, failure);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (peerUser(fd) != ::getuid()) return fail("the socket " + path + " is not the user's own instance");
    if (!sendAll(fd, message, deadline)) return fail("the running instance did not take the URLs");
    if (receive(fd, acknowledgement.size(), deadline) != acknowledgement) return fail("the running instance did not answer in time");
    // From here the instance acts on the URLs; before, it drops them when we give up.
    if (!sendAll(fd, confirmation, deadline)) return fail("the running instance did not take the URLs");
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
        return fail("no private runtime directory (XDG_RUNTIME_DIR is not set, or is not the user's own with mode 0700)");
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
    instance->listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (instance->listener_ < 0) return fail("cannot make a socket");
    if (::bind(instance->listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(instance->socketPath_.c_str(), 0600) != 0 || ::listen(instance->listener_, 32) != 0)
        return fail("cannot listen on " + instance->socketPath_);
    if (::pipe2(instance->wake_, O_CLOEXEC) != 0) return fail("cannot make a pipe");
    instance->receiver_ = std::move(receiver);
    instance->thread_ = std::thread([raw = instance.get()] { raw->listen(); });
    return instance;
}

void ApplicationInstance::listen() {
    std::vector<Connection> connections;
    auto close = [&](std::size_t i) {
        ::close(connections[i].fd);
        connections.erase(connections.begin() + std::ptrdiff_t(i));
    };
    for (;;) {
        std::vector<pollfd> p{{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        auto nearest = Clock::time_point::max();
        for (auto& c : connections) {
            p.push_back({c.fd, POLLIN, 0});
            nearest = std::min(nearest, c.deadline);
        }
        if (::poll(p.data(), p.size(), connections.empty() ? -1 : millisecondsUntil(nearest)) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (p[1].revents) break;
        // Connections first, so p still matches them.
        for (std::size_t i = connections.size(); i-- > 0;) {
            Step step = Step::more;
            if (p[i + 2].revents) step = advance(connections[i]);
            if (step == Step::more && Clock::now() >= connections[i].deadline) step = Step::drop;
            if (step == Step::done)
                Dispatch::DispatchQueue::main().async([receiver = receiver_, urls = connections[i].urls] { receiver(urls); });
            if (step != Step::more) close(i);
        }
        if (p[0].revents & POLLIN) {
            const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0) continue;
            // Only the user's own processes may hand anything over.
            if (peerUser(fd) != ::getuid()) {
                ::close(fd);
                continue;
            }
            if (connections.size() >= maximumConnections) close(0);
            connections.push_back({fd, after(messageDeadlineSeconds), {}, false, {}});
        }
    }
    for (auto& c : connections) ::close(c.fd);
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
