#include "Host/WindowBackends/DisplayProbe.hpp"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <utility>
#include <cstring>

namespace WindowBackends {

namespace {

class Socket {
public:
    explicit Socket(int fd = -1) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Socket& operator=(Socket&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

bool waitFor(int fd, short events, int milliseconds) {
    pollfd p{fd, events, 0};
    return ::poll(&p, 1, milliseconds) == 1 && (p.revents & events);
}

// A non-blocking connect that gives up after the time given.
Socket connectTo(const sockaddr* address, socklen_t length, int family, int milliseconds) {
    Socket s(::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (s.fd() < 0) return Socket();
    if (::connect(s.fd(), address, length) == 0) return s;
    if (errno != EINPROGRESS || !waitFor(s.fd(), POLLOUT, milliseconds)) return Socket();
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) return Socket();
    return s;
}

Socket connectLocal(const std::string& number, int milliseconds) {
    const std::string path = "/tmp/.X11-unix/X" + number;
    // The server listens in the abstract namespace as well as on the file; Xlib tries it first.
    for (const bool abstract : {true, false}) {
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;
        if (path.size() + offset >= sizeof a.sun_path) return Socket();
        std::memcpy(a.sun_path + offset, path.data(), path.size());
        const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
        if (Socket s = connectTo(reinterpret_cast<sockaddr*>(&a), length, AF_UNIX, milliseconds); s.fd() >= 0) return s;
    }
    return Socket();
}

Socket connectTcp(const std::string& host, int port, int milliseconds) {
    addrinfo hints{}, *found = nullptr;
    hints.ai_socktype = SOCK_STREAM;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return Socket();
    Socket s;
    for (addrinfo* a = found; a && s.fd() < 0; a = a->ai_next) s = connectTo(a->ai_addr, a->ai_addrlen, a->ai_family, milliseconds);
    ::freeaddrinfo(found);
    return s;
}

}  // namespace

std::optional<std::string> unansweredDisplay(const std::string& display, double timeoutSeconds) {
    // [host]:number[.screen]
    const auto colon = display.rfind(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::string host = display.substr(0, colon);
    std::string number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.size() > 5 || number.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const int milliseconds = int(timeoutSeconds * 1000);
    const auto start = std::chrono::steady_clock::now();
    Socket s = host.empty() || host == "unix" ? connectLocal(number, milliseconds) : connectTcp(host, 6000 + std::stoi(number), milliseconds);
    if (s.fd() < 0) return std::nullopt;
    // The connection setup: byte order, protocol 11.0, no authorisation. Any reply will do.
    const unsigned char request[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (::send(s.fd(), request, sizeof request, MSG_NOSIGNAL) != ssize_t(sizeof request)) return std::nullopt;
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (waitFor(s.fd(), POLLIN | POLLHUP, std::max<int>(0, milliseconds - int(spent)))) return std::nullopt;
    return "the display " + display + " took the connection but did not answer within " +
           std::to_string(int(timeoutSeconds + 0.5)) + " s";
}

}  // namespace WindowBackends
