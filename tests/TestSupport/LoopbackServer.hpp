#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP server on 127.0.0.1 (or another loopback address) and an ephemeral port, for
// the loading tests. Each
// connection's request goes to the handler, whose text is sent back as the whole response; an
// empty text holds the connection open without answering until the server stops. With an
// endless tail, the tail is sent after the response again and again until the client hangs up.
// The thread gives up by itself after `lifetime` (ten seconds), so a test never hangs on it.
class LoopbackServer {
public:
    using Handler = std::function<std::string(const std::string& request)>;

    explicit LoopbackServer(Handler handler, std::string endlessTail = {},
                            std::chrono::seconds lifetime = std::chrono::seconds(10), std::string host = "127.0.0.1")
        : handler_(std::move(handler)), endlessTail_(std::move(endlessTail)), host_(std::move(host)),
          deadline_(std::chrono::steady_clock::now() + lifetime) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        ::inet_pton(AF_INET, host_.c_str(), &address.sin_addr);
        address.sin_port = 0;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 8) != 0)
            return;
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~LoopbackServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        ::close(listener_);
    }

    int port() const { return port_; }
    std::string url(const std::string& path) const { return "http://" + host_ + ":" + std::to_string(port_) + path; }

    std::vector<std::string> requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }

    // A loopback port with nothing listening on it.
    static int closedPort() {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(s);
        return ntohs(address.sin_port);
    }

    static std::string response(int status, const std::string& body, const std::string& extraHeaders = {}) {
        return "HTTP/1.1 " + std::to_string(status) + " Status\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
    }

private:
    bool expired() const { return stop_ || std::chrono::steady_clock::now() > deadline_; }

    bool readable(int fd) const {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 20) > 0;
    }

    // False once the client hangs up, or the server gives up on a client that stopped reading.
    bool sendAll(int connection, const std::string& text) const {
        std::size_t sent = 0;
        while (sent < text.size()) {
            pollfd p{connection, POLLOUT, 0};
            if (::poll(&p, 1, 20) <= 0) {
                if (expired()) return false;
                continue;
            }
            const ssize_t n = ::send(connection, text.data() + sent, text.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) continue;
            if (n <= 0) return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    void serve() {
        while (!expired()) {
            if (!readable(listener_)) continue;
            const int connection = ::accept(listener_, nullptr, nullptr);
            if (connection < 0) continue;
            std::string request;
            char buffer[4096];
            while (!expired() && request.find("\r\n\r\n") == std::string::npos) {
                if (!readable(connection)) continue;
                const ssize_t n = ::read(connection, buffer, sizeof buffer);
                if (n <= 0) break;
                request.append(buffer, static_cast<std::size_t>(n));
            }
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(request);
            }
            const std::string reply = handler_(request);
            if (reply.empty()) {
                while (!expired()) readable(connection);
            } else if (sendAll(connection, reply)) {
                while (!endlessTail_.empty() && !expired() && sendAll(connection, endlessTail_)) {
                }
            }
            ::close(connection);
        }
    }

    Handler handler_;
    const std::string endlessTail_;
    const std::string host_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    const std::chrono::steady_clock::time_point deadline_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};
