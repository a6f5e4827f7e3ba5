#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "Dispatch/DispatchQueue.hpp"
#include "Runtime/MainActor.hpp"
#include "Foundation/URLSession.hpp"
#include "TestSupport/LoopbackServer.hpp"

using namespace Foundation;

namespace {

std::string text(const Data& data) { return std::string(data.begin(), data.end()); }

URL url(const std::string& s) { return URL::fromString(s).value(); }

long errorCode(URLSession& session, const URL& target) {
    try {
        session.data(target);
    } catch (const NSError& error) {
        EXPECT_EQ(error.domain(), NSURLErrorDomain);
        return error.code();
    }
    ADD_FAILURE() << "loaded " << target.absoluteString();
    return 0;
}

}  // namespace

TEST(URLSession, LoadsFromALoopbackServer) {
    LoopbackServer server([](const std::string& request) {
        if (request.starts_with("GET /missing ")) return LoopbackServer::response(404, "no such page");
        if (request.starts_with("GET /old ")) return LoopbackServer::response(302, "", "Location: /feed.xml\r\n");
        return LoopbackServer::response(200, "<rss>1.2</rss>");
    });
    ASSERT_NE(server.port(), 0);
    URLSession session;

    auto [data, response] = session.data(url(server.url("/feed.xml")));
    EXPECT_EQ(text(data), "<rss>1.2</rss>");
    EXPECT_EQ(response.statusCode, 200);
    EXPECT_EQ(response.url.absoluteString(), server.url("/feed.xml"));

    auto [page, notFound] = session.data(url(server.url("/missing")));
    EXPECT_EQ(text(page), "no such page");  // a status is not an error
    EXPECT_EQ(notFound.statusCode, 404);

    auto [moved, redirected] = session.data(url(server.url("/old")));
    EXPECT_EQ(text(moved), "<rss>1.2</rss>");
    EXPECT_EQ(redirected.url.absoluteString(), server.url("/feed.xml"));

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_TRUE(requests[0].starts_with("GET /feed.xml HTTP/1.1\r\n")) << requests[0];
}

TEST(URLSession, NetworkFailuresAreErrorsAndNeverHang) {
    URLSession session;
    session.setTimeouts(2, 0.3);
    EXPECT_EQ(errorCode(session, url("http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()) + "/")),
              URLError::cannotConnectToHost);

    LoopbackServer silent([](const std::string&) { return std::string(); });
    EXPECT_EQ(errorCode(session, url(silent.url("/slow"))), URLError::timedOut);

    LoopbackServer hangUp([](const std::string&) { return std::string("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort"); });
    EXPECT_EQ(errorCode(session, url(hangUp.url("/"))), URLError::networkConnectionLost);
}

TEST(URLSession, RedirectsNeverLeaveHTTP) {
    const std::string secret = testing::TempDir() + "urlsession-secret.txt";
    std::ofstream(secret) << "SECRET";
    LoopbackServer server([&](const std::string&) {
        return LoopbackServer::response(302, "", "Location: file://" + secret + "\r\n");
    });
    URLSession session;
    EXPECT_EQ(errorCode(session, url(server.url("/"))), URLError::unsupportedURL);
    std::filesystem::remove(secret);
}

TEST(URLSession, LoadsFileURLsAndRejectsOtherSchemes) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "urlsession-files";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "feed.xml") << "<rss/>";
    URLSession& session = URLSession::shared();

    auto [data, response] = session.data(URL::fileURLWithPath((dir / "feed.xml").string()));
    EXPECT_EQ(text(data), "<rss/>");
    EXPECT_FALSE(response.statusCode);
    EXPECT_EQ(errorCode(session, URL::fileURLWithPath((dir / "none.xml").string())), URLError::fileDoesNotExist);
    EXPECT_EQ(errorCode(session, URL::fileURLWithPath(dir.string())), URLError::fileIsDirectory);
    EXPECT_EQ(errorCode(session, url("vantrelzellow://openAndUpdate")), URLError::unsupportedURL);
    EXPECT_EQ(errorCode(session, url("ftp://127.0.0.1/x")), URLError::unsupportedURL);
    EXPECT_EQ(errorCode(session, url("relative/path")), URLError::unsupportedURL);
    EXPECT_EQ(errorCode(session, url("http:///nohost")), URLError::badURL);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(session.connectTimeout(), 10);
    EXPECT_EQ(session.requestTimeout(), 30);
}

TEST(URLSession, DataTaskCompletesOnAGlobalQueue) {
    LoopbackServer server([](const std::string&) { return LoopbackServer::response(200, "async"); });
    URLSession session;
    struct Outcome {
        std::optional<Data> data;
        std::optional<URLResponse> response;
        std::optional<NSError> error;
        bool onMainThread;
    };
    std::promise<Outcome> loaded, failed;
    session.dataTask(url(server.url("/")), [&](auto data, auto response, auto error) {
        loaded.set_value({std::move(data), std::move(response), std::move(error), Runtime::isMainThread()});
    });
    session.dataTask(URL::fileURLWithPath("/nonexistent/file"), [&](auto data, auto response, auto error) {
        failed.set_value({std::move(data), std::move(response), std::move(error), Runtime::isMainThread()});
    });
    auto first = loaded.get_future();
    auto second = failed.get_future();
    ASSERT_EQ(first.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    ASSERT_EQ(second.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    const Outcome ok = first.get(), bad = second.get();
    EXPECT_EQ(text(ok.data.value()), "async");
    EXPECT_EQ(ok.response->statusCode, 200);
    EXPECT_FALSE(ok.error);
    EXPECT_FALSE(ok.onMainThread);
    EXPECT_FALSE(bad.data);
    EXPECT_EQ(bad.error->code(), URLError::fileDoesNotExist);
    Dispatch::DispatchQueue::waitForGlobalQueues();
}

TEST(URLSession, OfflineEveryLoadFailsAtOnceWithoutAWorker) {
    LoopbackServer server([](const std::string&) { return LoopbackServer::response(200, "online"); });
    const std::string file = testing::TempDir() + "urlsession-offline.txt";
    std::ofstream(file) << "local";
    URLSession session;
    const auto caller = std::this_thread::get_id();
    URLSession::setOffline(true);
    for (const URL& target : {url(server.url("/")), URL::fileURLWithPath(file), url("https://updates.example.com/feed.xml")}) {
        EXPECT_EQ(errorCode(session, target), URLError::notConnectedToInternet) << target.absoluteString();
        EXPECT_EQ(errorCode(URLSession::shared(), target), URLError::notConnectedToInternet);
        std::optional<long> code;
        session.dataTask(target, [&](auto data, auto, auto error) {
            EXPECT_FALSE(data);
            EXPECT_EQ(std::this_thread::get_id(), caller);
            code = error ? error->code() : 0;
        });
        EXPECT_EQ(code, URLError::notConnectedToInternet) << "completed before dataTask returned";
    }
    URLSession::setOffline(false);
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(text(session.data(url(server.url("/"))).first), "online");
    std::filesystem::remove(file);
}

namespace {

// A gzip stream of zeros that never ends: after `head`, every `period` is eight back-references
// of 258 bytes each, 2064 bytes inflated from 13 sent.
struct InflatingStream {
    std::string head, period;
};

InflatingStream endlessZeros() {
    std::string out("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\xff", 10);
    unsigned pending = 0;
    int count = 0;
    const auto bits = [&](unsigned value, int n) {  // least significant first
        for (int i = 0; i < n; ++i) {
            pending |= ((value >> i) & 1u) << count;
            if (++count == 8) {
                out.push_back(char(pending));
                pending = 0;
                count = 0;
            }
        }
    };
    const auto code = [&](unsigned value, int n) {  // Huffman codes go most significant first
        for (int i = n - 1; i >= 0; --i) bits(value >> i, 1);
    };
    const auto repeat = [&] {
        code(0xC5, 8);  // length 258
        code(0, 5);     // distance 1
    };
    bits(0, 1);      // not the last block
    bits(1, 2);      // fixed codes
    code(0x30, 8);   // a literal zero
    repeat();        // byte aligned from here on
    InflatingStream stream{out, {}};
    out.clear();
    for (int i = 0; i < 8; ++i) repeat();
    stream.period = out;
    return stream;
}

}  // namespace

TEST(URLSession, ABodyPastTheLimitFailsAsSoonAsItShowsHoweverItComes) {
    constexpr std::size_t limit = 64 * 1024;
    const std::string filler(4096, 'x');
    const InflatingStream zeros = endlessZeros();
    struct Case {
        const char* what;
        std::string response;
        std::string endlessTail;
    };
    const Case cases[] = {
        {"a body that never ends", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", filler},
        {"a declared length past the limit", "HTTP/1.1 200 OK\r\nContent-Length: 10000000000\r\n\r\n", filler},
        {"a small compressed body that inflates without end",
         "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nConnection: close\r\n\r\n" + zeros.head, zeros.period},
    };
    URLSession session;
    EXPECT_FALSE(session.maximumBodySize()) << "unlimited unless set";
    session.setMaximumBodySize(limit);
    session.setTimeouts(2, 5);  // without the limit these would time out, not fail at once
    for (const Case& c : cases) {
        LoopbackServer server([&](const std::string&) { return c.response; }, c.endlessTail);
        EXPECT_EQ(errorCode(session, url(server.url("/feed.xml"))), URLError::dataLengthExceedsMaximum) << c.what;
    }
}

TEST(URLSession, TheLimitHoldsTheLastByteForEveryScheme) {
    constexpr std::size_t limit = 1000;
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "urlsession-limit";
    std::filesystem::create_directories(dir);
    URLSession session;
    session.setMaximumBodySize(limit);
    for (const std::size_t size : {limit, limit + 1}) {
        const std::string body(size, 'a');
        LoopbackServer server([&](const std::string&) { return LoopbackServer::response(200, body); });
        std::ofstream(dir / "body") << body;
        for (const URL& target : {url(server.url("/")), URL::fileURLWithPath((dir / "body").string())}) {
            if (size == limit) {
                EXPECT_EQ(session.data(target).first.size(), limit) << target.absoluteString();
            } else {
                EXPECT_EQ(errorCode(session, target), URLError::dataLengthExceedsMaximum) << target.absoluteString();
            }
        }
    }
    session.setMaximumBodySize(std::nullopt);
    EXPECT_EQ(session.data(URL::fileURLWithPath((dir / "body").string())).first.size(), limit + 1);
    std::filesystem::remove_all(dir);
}

// Every session follows redirects to web addresses only, never from https down to http; a
// session's own policy may refuse more, before anything of the new address is looked up.
TEST(URLSession, RedirectsKeepToTheRulesAndTheSessionsPolicy) {
    struct Case {
        const char* from;
        const char* to;
        bool follows;
    } cases[] = {
        {"https://a.example/", "https://b.example/", true},   {"http://a.example/", "https://a.example/", true},
        {"http://a.example/", "http://b.example/", true},     {"https://a.example/", "http://a.example/", false},
        {"HTTPS://a.example/", "HTTP://a.example/", false},   {"https://a.example/", "file:///etc/passwd", false},
        {"http://a.example/", "ftp://a.example/", false},     {"http://a.example/", "vantrelzellow://openAndUpdate", false},
    };
    for (const auto& c : cases) EXPECT_EQ(URLSession::followsRedirect(url(c.from), url(c.to)), c.follows) << c.from << " to " << c.to;

    LoopbackServer other([](const std::string&) { return LoopbackServer::response(200, "other"); }, "", std::chrono::seconds(10),
                         "127.0.0.2");
    LoopbackServer server([&](const std::string& request) {
        if (request.starts_with("GET /here ")) return LoopbackServer::response(307, "", "Location: /feed.xml\r\n");
        if (request.starts_with("GET /loop ")) return LoopbackServer::response(302, "", "Location: /loop\r\n");
        if (request.starts_with("GET /other ")) return LoopbackServer::response(302, "", "Location: " + other.url("/") + "\r\n");
        return LoopbackServer::response(200, "feed");
    });
    URLSession session;
    std::vector<std::string> asked;
    session.setRedirectPolicy([&](const URL& from, const URL& to) {
        asked.push_back(from.path() + " to " + to.absoluteString());
        return from.host() == to.host();
    });
    EXPECT_EQ(text(session.data(url(server.url("/here"))).first), "feed");
    EXPECT_EQ(asked, std::vector<std::string>{"/here to " + server.url("/feed.xml")});
    EXPECT_EQ(errorCode(session, url(server.url("/other"))), URLError::unsupportedURL);
    EXPECT_TRUE(other.requests().empty()) << "the refused address is never asked";
    EXPECT_EQ(errorCode(session, url(server.url("/loop"))), URLError::httpTooManyRedirects);
    EXPECT_EQ(text(URLSession().data(url(server.url("/other"))).first), "other") << "without a policy it is followed";
}

// A cancelled task ends its load at once with the cancelled error, whatever the server does.
TEST(URLSession, ACancelledTaskEndsItsLoad) {
    LoopbackServer silent([](const std::string&) { return std::string(); }, "", std::chrono::seconds(60));
    URLSession session;
    std::promise<std::optional<NSError>> ended;
    auto task = session.dataTask(url(silent.url("/")), [&](auto, auto, auto error) { ended.set_value(error); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (silent.requests().empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(silent.requests().size(), 1u);
    EXPECT_FALSE(task->isCancelled());
    task->cancel();
    auto result = ended.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    const auto error = result.get();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), URLError::cancelled);
    Dispatch::DispatchQueue::waitForGlobalQueues();
}

// The process ends at once with a load in flight: the pool's workers give their loads up when
// it stops, instead of holding the exit until the server lets go (the load's time limit is
// thirty seconds; the alarm ends the process after two).
TEST(URLSessionDeathTest, TheProcessEndsWithALoadInFlight) {
    EXPECT_EXIT(
        {
            LoopbackServer silent([](const std::string&) { return std::string(); }, "", std::chrono::seconds(60));
            URLSession::shared().dataTask(url(silent.url("/")), [](auto, auto, auto) {});
            while (silent.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ::alarm(2);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}
