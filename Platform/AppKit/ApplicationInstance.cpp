#include "AppKit/ApplicationInstance.hpp"

#include <fcntl.h>
#include <poll.h>
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
#include <optional>
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

// The lock file, or -1 with the reason in `problem` (none when it is not there and `flags`
// do not create it). Never through a link, never blocking on a FIFO, and never a file that
// has another name: claiming truncates it.
int openLock(const std::string& path, int flags, std::string& problem) {
    problem.clear();
    const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == ELOOP) problem = path + " is a symbolic link, not a lock file";
        else if (errno != ENOENT || (flags & O_CREAT)) problem = "cannot open " + path + ": " + std::strerror(errno);
        return -1;
    }
    struct stat s {};
    if (::fstat(fd, &s) != 0) problem = "cannot open " + path + ": " + std::strerror(errno);
    else if (!S_ISREG(s.st_mode)) problem = path + " is not a regular file, not a lock file";
    else if (s.st_nlink != 1) problem = path + " has other names (hard links), not a lock file";
    if (problem.empty()) return fd;
    ::close(fd);
    return -1;
}

// Open file description locks: a probe sees the holder without taking anything (a shared
// flock would make a start's exclusive claim fail meanwhile), and closing another descriptor
// of the file in the holder's process keeps the lock, which a process-wide lock would drop.
struct flock wholeFile(short type) {
    struct flock l {};
    l.l_type = type;
    l.l_whence = SEEK_SET;
    return l;
}

bool heldByAnother(int fd) {
    struct flock l = wholeFile(F_WRLCK);
    return ::fcntl(fd, F_OFD_GETLK, &l) == 0 && l.l_type != F_UNLCK;
}

// Whether a process holds the claim, whether or not it listens yet.
bool claimHeld(const std::string& identifier) {
    std::string problem;
    const int fd = openLock(lockPath(identifier), O_RDONLY, problem);
    if (fd < 0) return false;
    const bool held = heldByAnother(fd);
    ::close(fd);
    return held;
}

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

// 0 once all is sent, else why not (ETIMEDOUT when the deadline passed).
int sendAll(int fd, const std::string& text, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += std::size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!ready(fd, POLLOUT, deadline)) return ETIMEDOUT;
        } else {
            return n < 0 ? errno : EPIPE;
        }
    }
    return 0;
}

bool hungUp(int error) { return error == EPIPE || error == ECONNRESET; }

// Reads until `expected` bytes came, the peer closed (`closed`), or the deadline passed.
std::string receive(int fd, std::size_t expected, Clock::time_point deadline, bool& closed) {
    std::string text;
    char buffer[64];
    closed = false;
    while (text.size() < expected && ready(fd, POLLIN, deadline)) {
        const ssize_t n = ::recv(fd, buffer, std::min(sizeof buffer, expected - text.size()), MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n <= 0) {
            closed = n == 0 || hungUp(errno);
            break;
        }
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
    return sendAll(c.fd, acknowledgement, Clock::now()) == 0 ? Step::more : Step::drop;
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
    std::string problem;
    const int fd = openLock(lockPath(identifier), O_RDONLY, problem);
    if (fd < 0) return 0;
    pid_t pid = 0;
    if (heldByAnother(fd)) {
        char text[32] = {};
        if (::pread(fd, text, sizeof text - 1, 0) > 0) pid = pid_t(std::atol(text));
    }
    ::close(fd);
    return pid;
}

namespace {

// The message for `urls`, or why they cannot be handed over.
std::optional<std::string> messageProblem(const std::vector<std::string>& urls, std::string& message) {
    message.clear();
    for (auto& url : urls) {
        if (url.empty()) return "a URL cannot be empty";
        if (url.find('\n') != std::string::npos) return "a URL cannot hold a line break";
        message += url + "\n";
    }
    message += "\n";
    if (message.size() > maximumMessage)
        return "the URLs are too long to hand over (more than " + std::to_string(maximumMessage / 1024) + " KiB)";
    return std::nullopt;
}

enum class Exchange { delivered, hungUp, failed };

// One hand-off over a connection: the message, its answer, the confirmation.
Exchange exchange(int fd, const std::string& message, Clock::time_point deadline, std::string& error) {
    if (const int e = sendAll(fd, message, deadline)) {
        error = "the running instance did not take the URLs";
        return hungUp(e) ? Exchange::hungUp : Exchange::failed;
    }
    bool closed = false;
    if (receive(fd, acknowledgement.size(), deadline, closed) != acknowledgement) {
        error = closed ? "the running instance did not take the URLs" : "the running instance did not answer in time";
        return closed ? Exchange::hungUp : Exchange::failed;
    }
    // From here the instance acts on the URLs; before, it drops them when we give up.
    if (sendAll(fd, confirmation, deadline) != 0) {
        error = "the running instance did not take the URLs";
        return Exchange::failed;
    }
    return Exchange::delivered;
}

ApplicationInstance::HandOff handOffUntil(const std::string& identifier, const std::vector<std::string>& urls,
                                          Clock::time_point deadline, std::string* error) {
    using HandOff = ApplicationInstance::HandOff;
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return HandOff::failed;
    };
    const std::string path = ApplicationInstance::socketPath(identifier);
    if (path.empty()) return HandOff::noInstance;
    std::string why;
    for (;; std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
        int failure = 0;
        const int fd = connectTo(path, failure);
        if (fd < 0) {
            // An instance that holds the claim but is not listening yet is starting up, and one
            // whose queue is full is busy: wait for either, up to the deadline.
            if (failure != EAGAIN && !claimHeld(identifier)) return HandOff::noInstance;
            if (Clock::now() > deadline)
                return fail(!why.empty()        ? why
                            : failure == EAGAIN ? "the running instance does not answer"
                                                : "the running instance does not listen on " + path);
            continue;
        }
        struct Closer {
            int fd;
            ~Closer() { ::close(fd); }
        } closer{fd};
        if (peerUser(fd) != ::getuid()) return fail("the socket " + path + " is not the user's own instance");
        // The limits are the hand-off's own: a first start takes any URLs.
        std::string message;
        if (auto problem = messageProblem(urls, message)) return fail(*problem);
        switch (exchange(fd, message, deadline, why)) {
        case Exchange::delivered: return HandOff::delivered;
        case Exchange::failed: return fail(why);
        case Exchange::hungUp: break;
        }
        // Hung up on before it took them: it is ending, or made room for other starts. Nothing
        // was delivered, so try again, or claim once it is gone.
        if (!claimHeld(identifier)) return HandOff::noInstance;
        if (Clock::now() > deadline) return fail(why);
    }
}

}  // namespace

ApplicationInstance::HandOff ApplicationInstance::handOff(const std::string& identifier, const std::vector<std::string>& urls,
                                                          std::string* error) {
    return handOffUntil(identifier, urls, after(handOffDeadlineSeconds), error);
}

ApplicationInstance::Start ApplicationInstance::start(const std::string& identifier, const std::vector<std::string>& urls,
                                                      Receiver receiver) {
    const auto deadline = after(handOffDeadlineSeconds);
    Start start;
    for (;;) {
        std::string error;
        if ((start.instance = claim(identifier, receiver, &error))) {
            start.outcome = Start::Outcome::running;
            return start;
        }
        if (!error.empty()) {
            start.outcome = Start::Outcome::alone;
            start.error = error;
            return start;
        }
        // Another process holds the claim: the running instance, or one about to be.
        switch (handOffUntil(identifier, urls, deadline, &error)) {
        case HandOff::delivered: start.outcome = Start::Outcome::handedOver; return start;
        case HandOff::failed:
            start.outcome = Start::Outcome::failed;
            start.error = error;
            return start;
        case HandOff::noInstance: break;  // it ended meanwhile: claim again
        }
        if (Clock::now() > deadline) {
            start.error = "other starts keep claiming the application and ending before they take the URLs";
            return start;
        }
    }
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
    std::string problem;
    instance->lock_ = openLock(lock, O_RDWR | O_CREAT, problem);
    if (instance->lock_ < 0) {
        if (error) *error = problem;
        return nullptr;
    }
    // Held until the instance ends (or the process does).
    struct flock whole = wholeFile(F_WRLCK);
    if (::fcntl(instance->lock_, F_OFD_SETLK, &whole) != 0) {
        if (errno == EAGAIN || errno == EACCES) {
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
