#include <gtest/gtest.h>

#include "Runtime/NSObject.hpp"
#include "Sparkle/SPUStandardUpdaterController.hpp"
#include "Sparkle/SPUUpdaterDelegate.hpp"
#include "Sparkle/SUAppcast.hpp"
#include "Sparkle/SUErrors.hpp"
#include "Dispatch/Clock.hpp"
#include "SparkleTestSupport.hpp"
#include "TestSupport/LoopbackServer.hpp"

namespace {

using namespace SparkleTest;
using Sparkle::SPUUpdater;

class FeedDelegate : public Runtime::NSObject, public Sparkle::SPUUpdaterDelegate {
    VZ_OBJECT(FeedDelegate, Runtime::NSObject)
public:
    std::optional<std::string> address;
    int asked = 0;
    std::optional<std::string> feedURLString(SPUUpdater&) override {
        ++asked;
        return address;
    }
};

class UpdateCheck : public UpdaterTest {
protected:
    std::shared_ptr<RecordingDriver> driver = std::make_shared<RecordingDriver>();
    std::shared_ptr<FeedDelegate> delegate = Runtime::make<FeedDelegate>();

    SPUUpdater::Ptr updater(const std::string& version, const std::string& feedURL = {}) {
        auto u = SPUUpdater::make(hostBundle(version, feedURL), driver, delegate);
        u->startUpdater();
        return u;
    }
    // What a check of version 1.2 tells for the server's response.
    std::string toldFor(const std::string& response) {
        LoopbackServer server([&](const std::string&) { return response; });
        delegate->address = server.url("/feed.xml");
        driver->told.clear();
        testing::internal::CaptureStderr();
        auto u = updater("1.2");
        u->checkForUpdates();
        const bool told = waitForOutcome(*driver);
        (void)testing::internal::GetCapturedStderr();
        return told && driver->told.size() == 1 ? driver->told[0] : "told " + std::to_string(driver->told.size()) + " times";
    }
};

// What the user is told for what the feed server answers, the running version being 1.2: the
// newest version in the feed by the plug-in's weights, or a clear error.
TEST_F(UpdateCheck, TellsTheOutcomeOfWhatTheFeedServerAnswers) {
    const std::string notes = "<sparkle:releaseNotesLink>https://example.com/notes/1.3.html</sparkle:releaseNotesLink>";
    struct Case {
        const char* name;
        std::string response;  // empty: nothing listens
        std::string told;
    } cases[] = {
        {"newer", LoopbackServer::response(200, feed(item("1.0") + item("1.3", notes) + item("1.1"))), "found 1.3"},
        {"newer by weight, not by text", LoopbackServer::response(200, feed(item("1.10"))), "found 1.10"},
        {"the same", LoopbackServer::response(200, feed(item("1.2"))), "not found 1.2"},
        {"older only", LoopbackServer::response(200, feed(item("1.1") + item("0.9"))), "not found 1.1"},
        {"malformed", LoopbackServer::response(200, "<rss><channel><item><title>1.3</item>"),
         "error 1000: The update feed is not a well-formed document (mismatched tag at line 1"},
        {"no versions", LoopbackServer::response(200, feed("<item><title>Soon</title></item>")),
         "error 1002: The update feed lists no version."},
        {"server error", LoopbackServer::response(404, "<html>not here</html>"), "error 1002: The update server answered with status 404."},
        {"unreachable", "", "error 2001: The update feed could not be loaded"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        driver->told.clear();
        std::unique_ptr<LoopbackServer> server;
        std::string address = "http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()) + "/feed.xml";
        if (!c.response.empty()) {
            server = std::make_unique<LoopbackServer>([&](const std::string&) { return c.response; });
            address = server->url("/vantrel_zellow/vantrelzellow.xml");
        }
        delegate->address = address;
        auto u = updater("1.2");
        u->checkForUpdates();
        EXPECT_TRUE(u->sessionInProgress());
        ASSERT_TRUE(waitForOutcome(*driver));
        ASSERT_EQ(driver->told.size(), 1u);
        EXPECT_EQ(driver->told[0].substr(0, c.told.size()), c.told);
        EXPECT_FALSE(u->sessionInProgress());
        EXPECT_EQ(u->requestedFeedURLs(), std::vector<std::string>{address});
        if (server) {
            ASSERT_EQ(server->requests().size(), 1u);
            EXPECT_EQ(server->requests()[0].rfind("GET /vantrel_zellow/vantrelzellow.xml HTTP/1.1\r\n", 0), 0u);
        }
    }
    ASSERT_TRUE(driver->lastItem);
}

// A version the weights cannot order is no answer: whether it is newer is not known, so the
// check says it cannot read it rather than "up to date"; a readable newer one is still found.
TEST_F(UpdateCheck, AVersionThatCannotBeReadIsNeverUpToDate) {
    const std::string cannotRead = "error 1002: The update feed\u2019s version \u201c";
    struct Case {
        std::string items;
        std::string told;
    } cases[] = {
        {item(".."), cannotRead + "..\u201d cannot be read."},
        {item("-1"), cannotRead + "-1\u201d cannot be read."},
        {item("0x10"), cannotRead + "0x10\u201d cannot be read."},
        {item("99999999999999999999"), cannotRead + "99999999999999999999\u201d cannot be read."},
        {item("  1 . 2  "), cannotRead + "1 . 2\u201d cannot be read."},
        {item("1.0.0-beta"), cannotRead + "1.0.0-beta\u201d cannot be read."},
        {item("922337203685478"), cannotRead + "922337203685478\u201d cannot be read."},  // its weight overflows
        {item("1.2") + item("1.1.x"), cannotRead + "1.1.x\u201d cannot be read."},
        {item("1.1") + item("2.0-rc1"), cannotRead + "2.0-rc1\u201d cannot be read."},
        {item(std::string(200, '7') + "x"), cannotRead + std::string(40, '7') + "\u2026\u201d cannot be read."},
        {item("1.3") + item("1.0.0-beta"), "found 1.3"},
        {item("1.2.0") + item("01.1"), "not found 1.2.0"},
    };
    for (const auto& c : cases) EXPECT_EQ(toldFor(LoopbackServer::response(200, feed(c.items))), c.told) << c.items;
}

// The feed may be up to four megabytes; more is refused as soon as it shows.
TEST_F(UpdateCheck, AFeedPastTheSizeLimitIsRefused) {
    const auto padded = [](std::size_t size) {
        const std::string head = feed(item("1.3"));
        return head + "<!--" + std::string(size - head.size() - 7, 'x') + "-->";
    };
    EXPECT_EQ(Sparkle::SPUUpdater::feedSizeLimit, 4u << 20);
    EXPECT_EQ(toldFor(LoopbackServer::response(200, padded(SPUUpdater::feedSizeLimit))), "found 1.3");
    const std::string tooLarge = toldFor(LoopbackServer::response(200, padded(SPUUpdater::feedSizeLimit + 1)));
    EXPECT_EQ(tooLarge, "error 2001: The update feed could not be loaded: The resource is larger than 4194304 bytes (" +
                            *delegate->address + ")");
    const std::string endless = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + feed(item("1.3")).substr(0, 200);
    LoopbackServer server([&](const std::string&) { return endless; }, "<!-- padding -->");
    delegate->address = server.url("/feed.xml");
    driver->told.clear();
    testing::internal::CaptureStderr();
    auto u = updater("1.2");
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver));
    (void)testing::internal::GetCapturedStderr();
    EXPECT_EQ(driver->told[0].rfind("error 2001: The update feed could not be loaded: The resource is larger than", 0), 0u)
        << driver->told[0];
}

// A server that takes the request and never answers ends the check after thirty seconds on the
// shared clock; the load is given up, and the next check runs.
TEST_F(UpdateCheck, AServerThatNeverAnswersEndsTheCheckAfterThirtySeconds) {
    struct RealTimeAfter {
        ~RealTimeAfter() { Dispatch::Clock::shared().useRealTime(); }
    } realTimeAfter;
    Dispatch::Clock::shared().useVirtualTime(1000);
    LoopbackServer silent([](const std::string&) { return std::string(); }, "", std::chrono::seconds(60));
    delegate->address = silent.url("/feed.xml");
    auto u = updater("1.2");
    testing::internal::CaptureStderr();
    u->checkForUpdates();
    ASSERT_TRUE(Dispatch::RunLoop::main().runUntil([&] { return silent.requests().size() == 1; }));
    Dispatch::RunLoop::main().advance(SPUUpdater::feedTimeLimit - 0.5);
    EXPECT_TRUE(driver->told.empty());
    EXPECT_TRUE(u->sessionInProgress());
    Dispatch::RunLoop::main().advance(1);
    (void)testing::internal::GetCapturedStderr();
    EXPECT_EQ(driver->told, std::vector<std::string>{"error 2001: The update feed could not be loaded: the update server did not "
                                                     "answer within 30 seconds."});
    EXPECT_FALSE(u->sessionInProgress());
    Dispatch::DispatchQueue::waitForGlobalQueues();  // the load was given up, long before the server lets go
    Dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(driver->told.size(), 1u) << "the given-up load tells nothing";

    LoopbackServer server([](const std::string&) { return LoopbackServer::response(200, feed(item("1.2"))); });
    delegate->address = server.url("/feed.xml");
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver, 2));
    EXPECT_EQ(driver->told[1], "not found 1.2");
    EXPECT_EQ(Dispatch::RunLoop::main().timerCount(), 0u) << "the finished check's limit is gone";
}

TEST_F(UpdateCheck, TheFoundItemCarriesItsReleaseNotes) {
    LoopbackServer server([](const std::string&) {
        return LoopbackServer::response(200, feed(item("2.0", "<link>https://example.com/2.0/</link>")));
    });
    delegate->address = server.url("/feed.xml");
    auto u = updater("1.2");
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver));
    EXPECT_EQ(driver->told, std::vector<std::string>{"found 2.0"});
    ASSERT_TRUE(driver->lastItem && driver->lastItem->releaseNotesURL);
    EXPECT_EQ(driver->lastItem->releaseNotesURL->absoluteString(), "https://example.com/2.0/");
    EXPECT_EQ(driver->lastItem->versionString, "2.0");
}

// A check asked for before the updater started is refused and written down; nothing is
// loaded, nobody is told, and a later check after starting runs.
TEST_F(UpdateCheck, ACheckBeforeTheUpdaterStartedIsRefusedAndLogged) {
    LoopbackServer server([](const std::string&) { return LoopbackServer::response(200, feed(item("1.2"))); });
    delegate->address = server.url("/feed.xml");
    auto u = SPUUpdater::make(hostBundle("1.2"), driver, delegate);
    EXPECT_FALSE(u->isStarted());
    testing::internal::CaptureStderr();
    u->checkForUpdates();
    const std::string logged = testing::internal::GetCapturedStderr();
    EXPECT_NE(logged.find("update check refused: the updater has not been started"), std::string::npos) << logged;
    Dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(u->checkCount(), 1u);
    EXPECT_TRUE(u->requestedFeedURLs().empty());
    EXPECT_EQ(delegate->asked, 0);
    EXPECT_TRUE(driver->told.empty());
    EXPECT_TRUE(server.requests().empty());

    EXPECT_TRUE(u->startUpdater());
    EXPECT_TRUE(u->startUpdater()) << "a second start changes nothing";
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver));
    EXPECT_EQ(driver->told, std::vector<std::string>{"not found 1.2"});
}

// Every check asks the delegate again; a check while one runs joins it; once the delegate is
// gone (it is held weakly) the bundle's SUFeedURL is used, and without either the user is told.
TEST_F(UpdateCheck, TheFeedAddressComesFromTheDelegateElseTheBundle) {
    LoopbackServer server([](const std::string&) { return LoopbackServer::response(200, feed(item("1.2"))); });
    delegate->address = server.url("/from-delegate.xml");
    auto u = SPUUpdater::make(hostBundle("1.2", server.url("/from-bundle.xml")), driver, delegate);
    u->startUpdater();
    EXPECT_EQ(u->delegate(), delegate);
    u->checkForUpdates();
    u->checkForUpdates();
    EXPECT_EQ(u->checkCount(), 2u);
    ASSERT_TRUE(waitForOutcome(*driver));
    Dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(driver->told.size(), 1u) << "the second check joined the first";
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(delegate->asked, 1);

    delegate->address.reset();  // answers nothing: the bundle's entry
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver, 2));
    delegate.reset();
    EXPECT_EQ(u->delegate(), nullptr);
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver, 3));
    EXPECT_EQ(u->requestedFeedURLs(),
              (std::vector<std::string>{server.url("/from-delegate.xml"), server.url("/from-bundle.xml"), server.url("/from-bundle.xml")}));

    auto bare = SPUUpdater::make(hostBundle("1.2"), driver, nullptr);
    bare->startUpdater();
    testing::internal::CaptureStderr();
    bare->checkForUpdates();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("No update feed is set"), std::string::npos);
    ASSERT_TRUE(waitForOutcome(*driver, 4));
    EXPECT_EQ(driver->told.back().rfind("error 4: No update feed is set", 0), 0u) << driver->told.back();
}

// The redirect of the tests loads the feed from this computer only; another address is refused
// without touching the network.
TEST_F(UpdateCheck, TheFeedRedirectTakesOnlyLoopbackAddresses) {
    LoopbackServer server([](const std::string&) { return LoopbackServer::response(200, feed(item("9.0"))); });
    delegate->address = "https://updates.example.com/vantrel_zellow/vantrelzellow.xml";
    SPUUpdater::setFeedRedirect(server.url("/redirected.xml"));
    auto u = updater("1.2");
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver));
    EXPECT_EQ(driver->told, std::vector<std::string>{"found 9.0"});
    EXPECT_EQ(u->requestedFeedURLs(), std::vector<std::string>{*delegate->address}) << "the address asked is the delegate's";
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].rfind("GET /redirected.xml", 0), 0u);

    for (const char* other : {"https://example.com/feed.xml", "ftp://127.0.0.1/feed.xml", "not a url",
                              "http://127.0.0.1.example.invalid/feed.xml", "http://localhost.example.invalid/feed.xml",
                              "http://127.0.0.1@example.invalid/feed.xml", "http://[::2]/feed.xml", "http:/feed.xml"}) {
        SCOPED_TRACE(other);
        SPUUpdater::setFeedRedirect(std::string(other));
        driver->told.clear();
        testing::internal::CaptureStderr();
        u->checkForUpdates();
        (void)testing::internal::GetCapturedStderr();
        ASSERT_TRUE(waitForOutcome(*driver));
        EXPECT_EQ(driver->told[0].rfind("error 4001: The feed redirect", 0), 0u) << driver->told[0];
    }
    EXPECT_EQ(server.requests().size(), 1u);

    SPUUpdater::setFeedRedirect("http://LocalHost:" + std::to_string(server.port()) + "/by-name.xml");
    driver->told.clear();
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver));
    EXPECT_EQ(driver->told, std::vector<std::string>{"found 9.0"});
}

// The server the redirect names may move the feed on its own host, and nowhere else: not to
// another loopback address (which another program may serve), and the other server is never
// asked.
TEST_F(UpdateCheck, TheFeedRedirectsServerKeepsTheCheckOnItsOwnHost) {
    LoopbackServer elsewhere([](const std::string&) { return LoopbackServer::response(200, feed(item("6.6"))); },
                             "", std::chrono::seconds(10), "127.0.0.2");
    ASSERT_NE(elsewhere.port(), 0);
    LoopbackServer server([&](const std::string& request) {
        if (request.starts_with("GET /moved.xml ")) return LoopbackServer::response(301, "", "Location: /feed.xml\r\n");
        if (request.starts_with("GET /away.xml "))
            return LoopbackServer::response(302, "", "Location: " + elsewhere.url("/feed.xml") + "\r\n");
        return LoopbackServer::response(200, feed(item("9.0")));
    });
    delegate->address = "https://updates.example.com/vantrel_zellow/vantrelzellow.xml";
    auto u = updater("1.2");
    SPUUpdater::setFeedRedirect(server.url("/moved.xml"));
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver));
    EXPECT_EQ(driver->told, std::vector<std::string>{"found 9.0"});

    SPUUpdater::setFeedRedirect(server.url("/away.xml"));
    testing::internal::CaptureStderr();
    u->checkForUpdates();
    ASSERT_TRUE(waitForOutcome(*driver, 2));
    (void)testing::internal::GetCapturedStderr();
    EXPECT_EQ(driver->told[1], "error 2001: The update feed could not be loaded: the redirect from " + server.url("/away.xml") + " to " +
                                   elsewhere.url("/feed.xml") + " is not followed");
    EXPECT_TRUE(elsewhere.requests().empty());
}

// The controller the application creates: stopped until told, the updater's delegate the one
// given (held weakly), checks through its action as a menu item sends it.
TEST_F(UpdateCheck, TheStandardControllerStartsWhenToldAndChecksThroughItsAction) {
    std::vector<std::pair<const SPUUpdater*, SPUUpdater::Event>> events;
    SPUUpdater::setEventObserver([&](const SPUUpdater& u, SPUUpdater::Event e) { events.emplace_back(&u, e); });
    auto stopped = Sparkle::SPUStandardUpdaterController::make(false, delegate, nullptr);
    EXPECT_FALSE(stopped->updater()->isStarted());
    EXPECT_EQ(stopped->updater()->delegate(), delegate);
    EXPECT_EQ(stopped->updater()->userDriver(), stopped->userDriver());
    stopped->startUpdater();
    EXPECT_TRUE(stopped->updater()->isStarted());
    auto started = Sparkle::SPUStandardUpdaterController::make(true, delegate, nullptr);
    EXPECT_TRUE(started->updater()->isStarted());

    LoopbackServer server([](const std::string&) { return LoopbackServer::response(200, feed(item("1.0"))); });
    delegate->address = server.url("/feed.xml");
    stopped->updater()->setUserDriver(driver);
    EXPECT_TRUE(stopped->respondsTo(Runtime::Selector("checkForUpdates:")));
    EXPECT_TRUE(stopped->perform(Runtime::Selector("checkForUpdates:"), nullptr));
    ASSERT_TRUE(waitForOutcome(*driver));
    using E = SPUUpdater::Event;
    const SPUUpdater* s = stopped->updater().get();
    const SPUUpdater* a = started->updater().get();
    EXPECT_EQ(events, (std::vector<std::pair<const SPUUpdater*, E>>{{s, E::created},
                                                                    {s, E::started},
                                                                    {a, E::created},
                                                                    {a, E::started},
                                                                    {s, E::checkRequested},
                                                                    {s, E::feedRequested},
                                                                    {s, E::finished}}));
}

// The reader keeps each item with a version, in order; the best is the newest by weight, the
// first of equals.
TEST(Appcast, ReadsItemsAndPicksTheNewest) {
    const std::string text = feed(item("1.2") + "<item><title>No version</title></item>" + item("1.2.0") +
                                  item("1.1", "<sparkle:releaseNotesLink>notes.html</sparkle:releaseNotesLink>"));
    auto appcast = Sparkle::SUAppcast::parse(Foundation::dataFromString(text));
    ASSERT_EQ(appcast.items().size(), 3u);
    EXPECT_EQ(appcast.items()[0].title, "Version 1.2");
    EXPECT_EQ(appcast.items()[0].displayVersionString, "1.2") << "trimmed";
    EXPECT_FALSE(appcast.items()[2].releaseNotesURL) << "a relative link is no address to open";
    auto best = appcast.bestItem();
    ASSERT_TRUE(best);
    EXPECT_EQ(best->versionString, "1.2") << "1.2 and 1.2.0 weigh the same: the first";
    EXPECT_THROW(Sparkle::SUAppcast::parse(Foundation::Data()), Foundation::NSError);
    EXPECT_FALSE(Sparkle::SUAppcast::parse(Foundation::dataFromString(feed(""))).bestItem());
}

}  // namespace
