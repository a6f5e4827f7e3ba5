#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSMenuItem.hpp"
#include "AppKit/StandardAboutPanel.hpp"
#include "AppTestSupport.hpp"
#include "Pellicot/VersionWeight.hpp"
#include "Sparkle/SUStandardVersionComparator.hpp"
#include "TestSupport/ButtonActions.hpp"
#include "TestSupport/FatalErrorCapture.hpp"
#include "TestSupport/ScratchDirectory.hpp"
#include "Vantrel_Zellow/AppDelegate.hpp"
#include "Vantrel_Zellow/ContentView.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace {

using AppTest::AppTest;
using Sparkle::SPUUpdater;
using Vantrel_Zellow::AppDelegate;
using Vantrel_Zellow::SparkleHelper;

std::shared_ptr<AppDelegate> installedDelegate() {
    return std::dynamic_pointer_cast<AppDelegate>(AppKit::NSApplication::shared().delegate());
}

// The start-up order: the delegate first, then the helper and its stopped controller, stored
// before it starts, and the helper handed to the delegate last; one helper for all of them.
TEST_F(AppTest, StartsUpInOrderWithOneHelperForEveryone) {
    std::vector<std::string> seen;
    SPUUpdater::setEventObserver([&](const SPUUpdater& u, SPUUpdater::Event e) {
        auto delegate = installedDelegate();
        auto helper = std::dynamic_pointer_cast<SparkleHelper>(u.delegate());
        if (e == SPUUpdater::Event::created)
            seen.push_back(std::string("created: delegate ") + (delegate ? "installed" : "missing") + ", controller " +
                           (helper && helper->updaterController ? "stored" : "not stored") + ", started " +
                           (u.isStarted() ? "yes" : "no"));
        if (e == SPUUpdater::Event::started)
            seen.push_back(std::string("started: controller ") + (helper && helper->updaterController ? "stored" : "not stored") +
                           ", delegate's helper " + (delegate && delegate->sparkleHelper ? "set" : "empty"));
    });
    launch();
    EXPECT_EQ(seen, (std::vector<std::string>{"created: delegate installed, controller not stored, started no",
                                              "started: controller stored, delegate's helper empty"}));
    auto& a = app();
    EXPECT_EQ(installedDelegate(), a.appDelegate.wrappedValue());
    EXPECT_EQ(a.appDelegate->sparkleHelper, a.sparkleHelper);
    ASSERT_TRUE(a.sparkleHelper->updaterController);
    EXPECT_EQ(updater().delegate(), a.sparkleHelper);
    EXPECT_TRUE(updater().isStarted());
    EXPECT_EQ(a.sparkleHelper->updaterController->userDriverDelegate(), nullptr);

    // The feed's address is the same whatever asks for it.
    auto other = SPUUpdater::make(nullptr, nullptr, nullptr);
    const auto first = a.sparkleHelper->feedURLString(updater());
    EXPECT_EQ(first, std::optional<std::string>("https://updates.example.com/vantrel_zellow/vantrelzellow.xml"));
    EXPECT_EQ(a.sparkleHelper->feedURLString(*other), first);
    EXPECT_EQ(updater().feedURL()->path(), "/vantrel_zellow/vantrelzellow.xml");
    // One feed: the same in the bundle's Info.plist and in the effect's update notice.
    const Foundation::PropertyList* listed = Foundation::Bundle::main()->objectForInfoDictionaryKey("SUFeedURL");
    ASSERT_TRUE(listed && listed->string());
    EXPECT_EQ(*listed->string(), *first);
    EXPECT_EQ(Vantrel_Zellow_Extension::Settings::defaultUpdateFeedURL, *first);
}

// One window, "main", as the scene describes it, in the dark appearance; the menu has About and
// Check for Updates… where the application's information was, and the other groups.
TEST_F(AppTest, OpensOneDarkFixedWindowAndItsMenu) {
    AppKit::NSAppearance::setSystem(AppKit::NSAppearance::named(AppKit::NSAppearance::aqua));
    launch();
    ASSERT_EQ(runtime->windows().size(), 1u);
    auto w = mainWindow();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->title(), "Vantrel Zellow");
    EXPECT_EQ(w->titleVisibility(), AppKit::TitleVisibility::hidden);
    EXPECT_TRUE(w->titlebarAppearsTransparent());
    EXPECT_FALSE(w->isResizable());
    EXPECT_EQ(w->contentSize(), (CoreGraphics::CGSize{400, 572}));
    EXPECT_EQ(w->contentMinSize(), w->contentMaxSize());
    EXPECT_TRUE(w->isKeyWindow());
    EXPECT_EQ(AppKit::NSApplication::shared().appearance()->name(), AppKit::NSAppearance::darkAqua) << "though the system is light";
    EXPECT_EQ(w->appearance()->name(), AppKit::NSAppearance::darkAqua);
    EXPECT_EQ(runtime->openWindow("main"), w);
    EXPECT_EQ(runtime->windows().size(), 1u);

    std::vector<std::string> titles;
    for (auto& item : runtime->mainMenu()->items().at(0)->submenu()->items()) titles.push_back(item->isSeparatorItem() ? "-" : item->title());
    EXPECT_EQ(titles, (std::vector<std::string>{"About", "-", "Check for Updates\u2026", "-", "Hide Vantrel Zellow", "Show All", "-",
                                                "Quit Vantrel Zellow"}))
        << "no Services or Hide Others, which the desktop does not offer";
    EXPECT_EQ(runtime->mainMenu()->items().at(0)->title(), "Vantrel Zellow");
}

// Every item of the application menu does something here: Hide minimises the window (Ctrl+H),
// Show All brings it back, Quit (Ctrl+Q) ends the application.
TEST_F(AppTest, EveryItemOfItsMenuActs) {
    launch();
    auto menu = runtime->mainMenu()->items().at(0)->submenu();
    menu->update();
    for (auto& item : menu->items()) {
        if (item->isSeparatorItem()) continue;
        EXPECT_TRUE(item->isEnabled()) << item->title();
    }
    EXPECT_EQ(AppKit::MenuPresentation::shortcutText(*menuItem("Hide Vantrel Zellow")), "Ctrl+H");
    EXPECT_EQ(AppKit::MenuPresentation::shortcutText(*menuItem("Quit Vantrel Zellow")), "Ctrl+Q");
    auto& app = AppKit::NSApplication::shared();
    app.sendEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, AppKit::ModifierFlags::control(), 0, mainWindow(), "h", "h",
                                            false, 4));
    EXPECT_TRUE(mainWindow()->isMiniaturized());
    choose("Show All");
    EXPECT_FALSE(mainWindow()->isMiniaturized());
    choose("Quit Vantrel Zellow");
    EXPECT_TRUE(app.isTerminated());
}

// "About" shows the standard panel from the bundle's information, which takes key status: the
// header stands still meanwhile and goes on from where it stood, without a jump.
TEST_F(AppTest, AboutShowsTheStandardPanelAndTheHeaderPausesBehindIt) {
    launch();
    auto controller = header();
    ASSERT_TRUE(controller && controller->renderer());
    loop().advance(1.0);
    const float before = controller->renderer()->time();
    EXPECT_NEAR(before, 1.0, 0.05);

    choose("About");
    auto panel = AppKit::NSApplication::shared().aboutPanel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->isKeyWindow());
    EXPECT_EQ(panel->applicationName(), "Vantrel Zellow");
    EXPECT_EQ(panel->versionLine(), "Version 1.0.0 (1)");
    EXPECT_EQ(panel->copyright(), "Copyright \u00a9 2024 Quorvane. All rights reserved.");
    EXPECT_FALSE(mainWindow()->isKeyWindow());
    EXPECT_TRUE(controller->metalKitView()->isPaused());
    loop().advance(2.0);
    EXPECT_FLOAT_EQ(controller->renderer()->time(), before);

    panel->performClose();
    drain();
    EXPECT_TRUE(mainWindow()->isKeyWindow());
    EXPECT_FALSE(controller->metalKitView()->isPaused());
    loop().advance(0.5);
    EXPECT_NEAR(controller->renderer()->time(), before + 0.5, 0.05) << "no jump over the pause";
    choose("About");
    EXPECT_EQ(AppKit::NSApplication::shared().aboutPanel(), panel) << "one panel, shown again";
}

// With the focus gone to another program the application resigns and its window with it: the
// header draws nothing and its clock stands still; back in front it goes on without a jump.
TEST_F(AppTest, TheHeaderStandsStillWhileTheApplicationIsNotActive) {
    launch();
    auto controller = header();
    ASSERT_TRUE(controller && controller->renderer());
    auto& app = AppKit::NSApplication::shared();
    loop().advance(1.0);

    app.desktopFocusDidLeave();
    EXPECT_FALSE(app.isActive());
    EXPECT_FALSE(mainWindow()->isKeyWindow());
    const float pausedAt = controller->renderer()->time();
    const auto frames = controller->metalKitView()->framesDrawn();
    loop().advance(2.0);
    EXPECT_EQ(controller->metalKitView()->framesDrawn(), frames);
    EXPECT_FLOAT_EQ(controller->renderer()->time(), pausedAt);

    app.desktopFocusDidEnter(*mainWindow());
    EXPECT_TRUE(mainWindow()->isKeyWindow());
    loop().advance(0.5);
    EXPECT_NEAR(controller->renderer()->time(), pausedAt + 0.5, 0.02) << "no jump over the pause";
    EXPECT_GT(controller->metalKitView()->framesDrawn(), frames + 25);
}

// "Check for Updates…" runs the updater's user-initiated check: the feed answers, the user is
// told in a window of its own.
TEST_F(AppTest, CheckForUpdatesAsksTheFeedAndTellsTheUser) {
    serveFeed("1.3");
    launch();
    choose("Check for Updates\u2026");
    EXPECT_EQ(updater().checkCount(), 1u);
    auto alert = waitForAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->messageText(), "A new version of Vantrel Zellow is available!");
    EXPECT_NE(alert->informativeText().find("1.3 is now available"), std::string::npos);
    EXPECT_TRUE(alert->isKeyWindow());
    EXPECT_EQ(updater().requestedFeedURLs(), std::vector<std::string>{"https://updates.example.com/vantrel_zellow/vantrelzellow.xml"});
    ASSERT_EQ(server->requests().size(), 1u);
    EXPECT_EQ(server->requests()[0].rfind("GET /vantrel_zellow/vantrelzellow.xml", 0), 0u);
}

// The URL router: the scheme and the host exactly as written; nothing else is looked at.
TEST_F(AppTest, OnlyTheExactSchemeAndHostCheckForUpdates) {
    serveFeed("1.0.0");
    launch();
    auto delegate = app().appDelegate.wrappedValue();
    struct Case {
        const char* url;
        std::size_t checks;
    } cases[] = {
        {"vantrelzellow://openAndUpdate", 1},
        {"vantrelzellow://openAndUpdate/any/path?and=query#fragment", 1},
        {"VANTRELZELLOW://openAndUpdate", 0},
        {"vantrelzellow://openandupdate", 0},
        {"vantrelzellow:openAndUpdate", 0},
        {"vantrelzellow://", 0},
        {"vantrelzellow://other", 0},
        {"https://openAndUpdate/", 0},
        {"openAndUpdate", 0},
    };
    for (const auto& c : cases) {
        const std::size_t before = updater().checkCount();
        delegate->application(AppKit::NSApplication::shared(), {*Foundation::URL::fromString(c.url)});
        EXPECT_EQ(updater().checkCount() - before, c.checks) << c.url;
        Dispatch::RunLoop::main().runUntil([&] { return !updater().sessionInProgress(); }, 10);
    }
    // The same URL twice in one call asks twice, in order; the second joins the first.
    const auto url = *Foundation::URL::fromString("vantrelzellow://openAndUpdate");
    const std::size_t before = updater().checkCount();
    delegate->application(AppKit::NSApplication::shared(), {url, url});
    EXPECT_EQ(updater().checkCount() - before, 2u);
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(waitForAlert()->messageText(), "You\u2019re up to date!");

    // Through the workspace, as the editor opens it: the scheme is the application's.
    ASSERT_TRUE(AppKit::NSWorkspace::shared().open(url));
    drain();
    EXPECT_EQ(updater().checkCount() - before, 3u);

    // A delegate without its helper, or a helper without its controller, does nothing.
    auto bare = Runtime::make<AppDelegate>();
    bare->handleIncomingURL(url);
    bare->sparkleHelper = Runtime::make<SparkleHelper>();
    bare->checkForUpdates();
    EXPECT_EQ(updater().checkCount() - before, 3u);
}

// A URL the application is started with is delivered after start-up, between will- and
// did-finish-launching (so before the dark appearance and the window), and finds a started
// updater.
TEST_F(AppTest, AURLAtLaunchStillChecks) {
    serveFeed("1.0.0");
    std::vector<std::string> order;
    auto& nsApp = AppKit::NSApplication::shared();
    SPUUpdater::setEventObserver([&](const SPUUpdater&, SPUUpdater::Event e) {
        if (e == SPUUpdater::Event::started) order.push_back("started");
        if (e == SPUUpdater::Event::checkRefused) order.push_back("refused");
        if (e == SPUUpdater::Event::checkRequested)
            order.push_back("check: " + std::to_string(nsApp.windows().size()) + " windows, " +
                            (nsApp.appearance() ? "dark" : "no appearance yet"));
    });
    nsApp.open({*Foundation::URL::fromString("vantrelzellow://openAndUpdate")});
    launch();
    EXPECT_EQ(order, (std::vector<std::string>{"started", "check: 0 windows, no appearance yet"}));
    auto alert = waitForAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->messageText(), "You\u2019re up to date!");
}

// Dark Aqua for the application launching finished for; a notification of anything else
// changes nothing.
TEST_F(AppTest, OnlyTheLaunchedApplicationTurnsDark) {
    auto delegate = Runtime::make<AppDelegate>();
    auto& nsApp = AppKit::NSApplication::shared();
    auto stranger = Runtime::make<Runtime::NSObject>();
    delegate->applicationDidFinishLaunching(Foundation::Notification(AppKit::NSApplication::didFinishLaunchingNotification, stranger.get()));
    delegate->applicationDidFinishLaunching(Foundation::Notification(AppKit::NSApplication::didFinishLaunchingNotification));
    EXPECT_EQ(nsApp.appearance(), nullptr);
    delegate->applicationDidFinishLaunching(Foundation::Notification(AppKit::NSApplication::didFinishLaunchingNotification, &nsApp));
    ASSERT_TRUE(nsApp.appearance());
    EXPECT_EQ(nsApp.appearance()->name(), AppKit::NSAppearance::darkAqua);
}

// The entry points run on the main actor and say so when called from elsewhere.
TEST_F(AppTest, EntryPointsReportAnUnexpectedExecutor) {
    launch();
    auto helper = app().sparkleHelper;
    auto delegate = app().appDelegate.wrappedValue();
    const auto links = TestSupport::buttonActions(*hosting()->graph().root());
    ASSERT_EQ(links.size(), 2u) << "Help and the website";
    std::vector<std::pair<const char*, std::function<void()>>> entries = {
        {"feedURLString", [&] { (void)helper->feedURLString(updater()); }},
        {"application(_:open:)", [&] { delegate->application(AppKit::NSApplication::shared(), {}); }},
        {"welcome view", [] { (void)Vantrel_Zellow::ContentView{180}.body(); }},
        {"check for updates", [&] { updater().checkForUpdates(); }},
        {"Help button", links[0]},
        {"website button", links[1]},
    };
    for (auto& [name, call] : entries)
        EXPECT_EQ(TestSupport::fatalErrorOnAnotherThread(call), "this code must run on the main actor") << name;
    EXPECT_TRUE(AppKit::NSWorkspace::shared().openedURLs().empty()) << "no page opened from elsewhere";
}

// The application and the effect's editor weigh versions alike, and read the same ones, so
// they never disagree about whether an update is newer.
TEST(VersionWeights, TheUpdaterOrdersVersionsAsThePlugInKitWeighsThem) {
    const char* versions[] = {"1.2.3", "1.10", "1.9", "2.0", "2.0b1", "", "1..2", "1.2.0", "0.99.0", "1.0.100", "1.1",
                              "+1.-2", " 1", "9223372036854775807", "0.0.-9223372036854775808.-1", "1.2.3.4.5", "1.2.300",
                              "01.2", "922337203685477", "922337203685478", "0.92233720368547758", "1.", "."};
    for (const char* a : versions) {
        EXPECT_EQ(Pellicot::canReadVersion(a), Sparkle::SUStandardVersionComparator::canRead(a)) << '"' << a << '"';
        for (const char* b : versions) {
            const auto wa = Pellicot::convertVersionToWeight(a), wb = Pellicot::convertVersionToWeight(b);
            const int expected = wa < wb ? -1 : wa > wb ? 1 : 0;
            EXPECT_EQ(Sparkle::SUStandardVersionComparator::compareVersions(a, b), expected) << '"' << a << "\" vs \"" << b << '"';
        }
    }
}

// The effect's editor and the application read one feed alike.
class VersionAgreement : public TestSupport::ScratchDirectoryTest {
protected:
    void TearDown() override {
        Dispatch::DispatchQueue::waitForGlobalQueues();
        Dispatch::RunLoop::main().runUntilIdle();
        SPUUpdater::setFeedRedirect(std::nullopt);
        Foundation::Bundle::setMain(nullptr);
        TestSupport::ScratchDirectoryTest::TearDown();
    }

    // How the application's check ended: "found VERSION", "up to date" or "error: TEXT".
    struct Told : Sparkle::SPUUserDriver {
        std::string what;
        void showUpdateFound(const Sparkle::SUAppcastItem& item) override { what = "found " + item.displayVersionString; }
        void showUpdateNotFound(const Sparkle::SUAppcastItem&) override { what = "up to date"; }
        void showUpdaterError(const Foundation::NSError& error) override { what = std::string("error: ") + error.what(); }
    };
};

// The editor's header announces an update exactly where the check it opens in the application
// finds that update: a version the application cannot read is announced by neither.
TEST_F(VersionAgreement, TheEditorAnnouncesAnUpdateExactlyWhereTheApplicationFindsOne) {
    std::ofstream(path("Info.plist")) << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                                         "<key>CFBundleShortVersionString</key><string>1.0</string>"
                                         "<key>SUFeedURL</key><string>https://updates.example.com/feed.xml</string></dict></plist>";
    const auto bundle = Foundation::Bundle::withPath(dir_.string());
    ASSERT_TRUE(bundle);
    Foundation::Bundle::setMain(bundle);
    struct Case {
        std::vector<std::string> listed;
        std::optional<std::string> newer;  // what both announce, the running version being 1.0
    } cases[] = {
        {{"1.2"}, "1.2"},
        {{"1.10"}, "1.10"},
        {{" 1.3\n"}, "1.3"},
        {{"1.0"}, std::nullopt},
        {{"0.9"}, std::nullopt},
        {{"2.0b1"}, std::nullopt},
        {{"2.0.0-beta"}, std::nullopt},
        {{"+2"}, std::nullopt},
        {{"2..0"}, std::nullopt},
        {{"2.0."}, std::nullopt},
        {{"922337203685478"}, std::nullopt},
        {{"1.5", "2.0b1"}, std::nullopt},
        {{"1.5", "1.2-beta"}, "1.5"},
        {{"0.9", "0.5b"}, std::nullopt},
    };
    for (const auto& c : cases) {
        std::string items;
        for (const auto& v : c.listed)
            items += "<item><title>Version</title><sparkle:shortVersionString>" + v + "</sparkle:shortVersionString></item>";
        SCOPED_TRACE(items);
        const std::string feed = "<?xml version=\"1.0\"?><rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/"
                                 "xml-namespaces/sparkle\"><channel>" + items + "</channel></rss>";
        LoopbackServer server([&](const std::string&) { return LoopbackServer::response(200, feed); });
        SPUUpdater::setFeedRedirect(server.url("/feed.xml"));

        auto settings = Vantrel_Zellow_Extension::Settings::make();
        settings->setUpdateFeedURL(Foundation::URL::fromString(server.url("/feed.xml")));
        settings->fetchUpdateDetails();
        auto told = std::make_shared<Told>();
        auto updater = SPUUpdater::make(bundle, told, nullptr);
        updater->startUpdater();
        testing::internal::CaptureStderr();
        updater->checkForUpdates();
        Dispatch::RunLoop::main().runUntil([&] { return !told->what.empty(); }, 10);
        Dispatch::DispatchQueue::waitForGlobalQueues();
        Dispatch::RunLoop::main().runUntilIdle();
        (void)testing::internal::GetCapturedStderr();

        const auto& announced = settings->updateDetails();
        EXPECT_EQ(announced ? std::optional(announced->newVersion) : std::nullopt, c.newer) << "the editor";
        if (c.newer) {
            EXPECT_EQ(told->what, "found " + *c.newer) << "the application";
        } else {
            EXPECT_EQ(told->what.rfind("found", 0), std::string::npos) << "the application: " << told->what;
        }
    }
}

}  // namespace
