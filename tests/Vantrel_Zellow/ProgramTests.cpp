#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "AppKit/ApplicationInstance.hpp"
#include "AppKit/DesktopEntry.hpp"
#include "AppKit/NSApplication.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSViewController.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "AppProgram.hpp"
#include "AppTestSupport.hpp"
#include "CoreGraphics/CGImage.hpp"
#include "Host/AudioHost/Editor/EditCommand.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "TestSupport/OtherXClient.hpp"
#include "TestSupport/ScratchDirectory.hpp"
#include "TestSupport/WindowManager.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace {

namespace fs = std::filesystem;
using AppTest::AppProgram;
using AppTest::appExecutable;
using AppTest::eventually;

constexpr const char* identifier = "org.vantrel.zellow";
constexpr const char* appFeedPath = "/vantrel_zellow/vantrelzellow.xml";
const std::string appex = AppTest::appBundle + "/Contents/PlugIns/Vantrel_Zellow_Extension.appex";

// The application's program in processes of its own, with XDG folders of the test's (so the
// user's desktop is never touched) and the update feed from the test's loopback server: the
// application's path lists the running version, the editor's a newer one.
class ProgramTest : public TestSupport::ScratchDirectoryTest {
protected:
    void SetUp() override {
        TestSupport::ScratchDirectoryTest::SetUp();
        for (const char* d : {"data", "config", "runtime", "output"}) fs::create_directories(path(d));
        ::chmod(path("runtime").c_str(), 0700);
        server = std::make_unique<LoopbackServer>(
            [this](const std::string& request) {
                if (request.rfind(std::string("GET ") + appFeedPath, 0) == 0) ++appChecks;
                return LoopbackServer::response(200, AppTest::feed(request.rfind("GET /editor.xml", 0) == 0 ? "9.9" : "1.0.0"));
            },
            "", std::chrono::seconds(300));
        environment = {{"XDG_DATA_HOME", path("data")},
                       {"XDG_DATA_DIRS", path("none")},
                       {"XDG_CONFIG_HOME", path("config")},
                       {"XDG_CONFIG_DIRS", path("none")},
                       {"XDG_RUNTIME_DIR", path("runtime")},
                       {"VZ_UPDATE_FEED_REDIRECT", server->url(appFeedPath)}};
        for (auto& e : AppTest::sanitizerEnvironment()) environment.push_back(e);
        // This process reaches the application as the editor's host does, through these too;
        // what it starts inherits them.
        for (auto& [name, value] : environment) {
            if (const char* v = std::getenv(name.c_str())) saved.emplace_back(name, v);
            else saved.emplace_back(name, std::nullopt);
            ::setenv(name.c_str(), value.c_str(), 1);
        }
    }
    void TearDown() override {
        if (const pid_t running = AppKit::ApplicationInstance::runningProcess(identifier)) {
            ::kill(running, SIGTERM);
            eventually([] { return AppKit::ApplicationInstance::runningProcess(identifier) == 0; }, 30);
        }
        for (auto& [name, value] : saved)
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        ::unsetenv("VZ_WINDOW_BACKEND");
        AppKit::NSWorkspace::shared().setOpensLinksExternally(false);
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
        Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(std::nullopt);
        Foundation::Bundle::setMain(nullptr);
        Dispatch::DispatchQueue::waitForGlobalQueues();
        server.reset();
        TestSupport::ScratchDirectoryTest::TearDown();
    }

    std::unique_ptr<AppProgram> start(const std::vector<std::string>& arguments, const std::string& backend = "headless",
                                      std::vector<std::pair<std::string, std::string>> more = {}) {
        more.emplace_back("VZ_WINDOW_BACKEND", backend);
        return std::make_unique<AppProgram>(appExecutable, arguments, path("output"), more);
    }
    // Starts the application and waits until it is the running instance.
    std::unique_ptr<AppProgram> startRunning() {
        auto app = start({"--seconds", "120"});
        EXPECT_TRUE(eventually([&] { return AppKit::ApplicationInstance::runningProcess(identifier) == app->pid(); }, 60))
            << app->err();
        return app;
    }

    // The effect's editor as `auhost edit` shows it (offscreen), its header announcing the
    // newer version the editor's feed lists; then its update link clicked as a person would.
    void clickTheEditorsUpdateLink() {
        Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(*Foundation::URL::fromString(server->url("/editor.xml")));
        ::setenv("VZ_WINDOW_BACKEND", "headless", 1);
        source = std::make_unique<AudioHost::ExtensionUnitSource>(appex);
        session = std::make_unique<AudioHost::EditSession>(*source, AudioHost::EditOptions::parse({"--seconds", "0"}));
        // What the link starts runs as the desktop starts it.
        ::unsetenv("VZ_WINDOW_BACKEND");
        AppKit::NSWorkspace::shared().setOpensLinksExternally(true);
        auto& window = session->window();
        auto hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingView>(window.contentViewController()->children()[0]->view());
        ASSERT_TRUE(hosting);
        ASSERT_TRUE(Dispatch::RunLoop::main().runUntil([&] { return hosting->graph().renderTree().findText("9.9 AVAILABLE") != nullptr; }, 30))
            << "the editor shows no update notice";
        const auto* link = hosting->graph().renderTree().findText("9.9 AVAILABLE");
        const CoreGraphics::CGPoint at = hosting->convertTo(CoreGraphics::CGPoint{link->frame.midX(), link->frame.midY()}, nullptr);
        auto w = window.sharedAs<AppKit::NSWindow>();
        for (auto type : {AppKit::EventType::leftMouseDown, AppKit::EventType::leftMouseUp}) {
            AppKit::NSApplication::shared().sendEvent(AppKit::NSEvent::mouseEvent(type, at, {}, 0, w, 1));
            Dispatch::RunLoop::main().runUntilIdle();
        }
        const auto opened = AppKit::NSWorkspace::shared().openedURLs();
        ASSERT_FALSE(opened.empty());
        EXPECT_EQ(opened.back().absoluteString(), "vantrelzellow://openAndUpdate");
    }

    std::unique_ptr<LoopbackServer> server;
    std::atomic<int> appChecks{0};
    std::vector<std::pair<std::string, std::string>> environment;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    std::unique_ptr<AudioHost::ExtensionUnitSource> source;
    std::unique_ptr<AudioHost::EditSession> session;
};

// The program takes the options of `auhost edit`; a picture run writes the welcome window and
// nothing else: it registers nothing and leaves the running instance alone.
TEST_F(ProgramTest, RunsWithTheWindowOptionsAndRefusesWhatItCannotUse) {
    const std::string picture = path("output/app.png");
    auto run = start({"--snapshot", picture, "--seconds", "0.2"});
    ASSERT_EQ(run->wait(120), 0) << run->err();
    EXPECT_EQ(run->out(), "wrote " + picture + " (400x572)\n");
    EXPECT_TRUE(fs::exists(picture));
    EXPECT_FALSE(fs::exists(path("data/applications"))) << "a picture run registers nothing";
    auto larger = start({"--snapshot", picture, "--size", "500x700"});
    ASSERT_EQ(larger->wait(120), 0) << larger->err();
    EXPECT_EQ(larger->out(), "wrote " + picture + " (500x700)\n");

    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"--bogus"},
         "Vantrel_Zellow: unknown option \"--bogus\"; use [--snapshot FILE.png] [--size WxH] [--seconds S] [URL...] (see --help)\n"},
        {{"--size", "0x10"}, "Vantrel_Zellow: --size takes WIDTHxHEIGHT in points, each 1...8192, not \"0x10\"\n"},
        {{"--seconds"}, "Vantrel_Zellow: --seconds needs a value\n"},
        // An option is never taken for the value of the one before it.
        {{"--snapshot", "--seconds", "0.1"}, "Vantrel_Zellow: --snapshot needs a value, not the option \"--seconds\"\n"},
        {{"--size", "--snapshot", picture}, "Vantrel_Zellow: --size needs a value, not the option \"--snapshot\"\n"},
        {{"--seconds", "--size", "10x10"}, "Vantrel_Zellow: --seconds needs a value, not the option \"--size\"\n"},
        {{"no url"}, "Vantrel_Zellow: \"no url\" is not a URL\n"},
        {{}, "Vantrel_Zellow: the window cannot be shown: there is no display to show it on; use --snapshot FILE.png or "
             "--seconds S to run it offscreen\n"},
    };
    for (const auto& c : cases) {
        auto bad = start(c.arguments);
        EXPECT_EQ(bad->wait(120), 2) << c.error;
        EXPECT_EQ(bad->err(), c.error);
    }
    EXPECT_EQ(appChecks, 0);
}

// --help and -h print the usage and end, whatever else is given and whether or not the
// application runs: nothing is handed over or shown.
TEST_F(ProgramTest, PrintsItsUsageForHelp) {
    auto running = startRunning();
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"-h"}, {"--snapshot", "x.png", "--help"}, {"vantrelzellow://openAndUpdate", "-h"}}) {
        auto help = start(arguments);
        ASSERT_EQ(help->wait(60), 0) << help->err();
        EXPECT_EQ(help->out().rfind("usage: Vantrel_Zellow [--snapshot FILE.png] [--size WxH] [--seconds S] [URL...]\n", 0), 0u)
            << help->out();
        EXPECT_NE(help->out().find("--size WxH"), std::string::npos);
        EXPECT_EQ(help->err(), "");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(appChecks, 0) << "the URL given with --help went nowhere";
    EXPECT_FALSE(fs::exists(path("output/x.png")));
}

// A fixed window shows its content whole at any size asked: scaled into it, on the
// application's own background where the proportions differ.
TEST_F(ProgramTest, TheSizeAskedScalesTheWindowsContent) {
    const std::string own = path("output/own.png"), twice = path("output/twice.png"), small = path("output/small.png");
    for (auto [file, size] : {std::pair{own, std::string()}, std::pair{twice, std::string("800x1144")}, std::pair{small, std::string("300x200")}}) {
        std::vector<std::string> arguments{"--snapshot", file};
        if (!size.empty()) arguments.insert(arguments.end(), {"--size", size});
        auto run = start(arguments);
        ASSERT_EQ(run->wait(120), 0) << run->err();
    }
    auto one = CoreGraphics::CGImage::readPNG(own), two = CoreGraphics::CGImage::readPNG(twice),
         three = CoreGraphics::CGImage::readPNG(small);
    ASSERT_TRUE(one && two && three);
    ASSERT_EQ(two->width(), 800);
    ASSERT_EQ(two->height(), 1144);
    ASSERT_EQ(three->width(), 300);
    ASSERT_EQ(three->height(), 200);
    auto sum = [](const CoreGraphics::DisplayColor& c) { return c.r + c.g + c.b; };
    // Below the animated header, each pixel of the window's own size is four at twice the size.
    double difference = 0;
    int samples = 0;
    for (int y = 300; y < 572; y += 3)
        for (int x = 0; x < 400; x += 3) {
            const double big = (sum(two->pixel(2 * x, 2 * y)) + sum(two->pixel(2 * x + 1, 2 * y)) + sum(two->pixel(2 * x, 2 * y + 1)) +
                                sum(two->pixel(2 * x + 1, 2 * y + 1))) / 4;
            difference += std::abs(big - sum(one->pixel(x, y)));
            ++samples;
        }
    EXPECT_LT(difference / samples, 0.05);
    // At 300 x 200 the whole content is 140 x 200 in the middle, the buttons at its foot; the
    // sides are the content's own background.
    const auto background = one->pixel(4, 560);
    for (auto [x, y] : {std::pair{2, 2}, std::pair{60, 100}, std::pair{297, 197}, std::pair{235, 10}})
        EXPECT_EQ(three->pixel(x, y), background) << x << "," << y;
    // Each pixel there is the average of the content's pixels it covers.
    const double scale = 200.0 / 572;
    difference = 0;
    samples = 0;
    for (int y = 110; y < 199; ++y)
        for (int x = 81; x < 219; ++x) {
            double covered = 0;
            int n = 0;
            for (int sy = int(std::ceil(y / scale)); sy < (y + 1) / scale && sy < 572; ++sy)
                for (int sx = int(std::ceil((x - 80) / scale)); sx < (x - 79) / scale && sx < 400; ++sx, ++n) covered += sum(one->pixel(sx, sy));
            if (n == 0) continue;
            difference += std::abs(covered / n - sum(three->pixel(x, y)));
            ++samples;
        }
    EXPECT_LT(difference / samples, 0.1) << "the lower part, buttons and all, is the content's, made smaller";
}

// The first start becomes the running instance and registers its desktop entry; a later start
// with a URL hands it over and ends, and the running one checks for updates once.
TEST_F(ProgramTest, ALaterStartHandsItsURLToTheRunningApplication) {
    auto first = startRunning();
    const std::string desktop = path("data/applications/org.vantrel.zellow.desktop");
    ASSERT_TRUE(eventually([&] { return fs::exists(desktop); }, 30));
    auto entry = AppKit::DesktopEntry::read(desktop);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, "Vantrel Zellow");
    EXPECT_EQ(entry->mimeTypes, std::vector<std::string>{"x-scheme-handler/vantrelzellow"});
    EXPECT_EQ(entry->commandLine("vantrelzellow://openAndUpdate"),
              (std::vector<std::string>{fs::canonical(appExecutable).string(), "vantrelzellow://openAndUpdate"}));

    auto second = start({"vantrelzellow://openAndUpdate"});
    EXPECT_EQ(second->wait(60), 0) << second->err();
    EXPECT_EQ(second->err(), "");
    EXPECT_TRUE(eventually([&] { return appChecks == 1; }, 60));
    auto third = start({});
    EXPECT_EQ(third->wait(60), 0) << "with no URL it brings the running one to the front: " << third->err();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(appChecks, 1);
    EXPECT_EQ(AppKit::ApplicationInstance::runningProcess(identifier), first->pid());
    EXPECT_EQ(first->terminate(), -1);
}

// A start that gave up on a stopped instance reports it, and the instance, running again,
// never opens that start's URL; later starts reach it.
TEST_F(ProgramTest, AStartThatGaveUpIsNeverActedOnLater) {
    auto first = startRunning();
    ASSERT_EQ(::kill(first->pid(), SIGSTOP), 0);
    auto second = start({"vantrelzellow://openAndUpdate"});
    EXPECT_EQ(second->wait(60), 1);
    EXPECT_EQ(second->err(), "Vantrel_Zellow: the running instance did not answer in time\n");
    ASSERT_EQ(::kill(first->pid(), SIGCONT), 0);
    auto third = start({});
    EXPECT_EQ(third->wait(60), 0) << third->err();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(appChecks, 0) << "the URL of the start that failed was opened after all";
    EXPECT_EQ(AppKit::ApplicationInstance::runningProcess(identifier), first->pid());
}

// Quitting with an update check in flight ends the program at once: the load is given up, not
// waited for until its server lets go or its thirty seconds run out.
TEST_F(ProgramTest, QuittingGivesUpAPendingUpdateCheck) {
    LoopbackServer silent([](const std::string&) { return std::string(); }, "", std::chrono::seconds(300));
    auto app = start({"--seconds", "2", "vantrelzellow://openAndUpdate"}, "headless",
                     {{"VZ_UPDATE_FEED_REDIRECT", silent.url(appFeedPath)}});
    ASSERT_TRUE(eventually([&] { return silent.requests().size() == 1; }, 60)) << app->err();
    EXPECT_EQ(app->wait(20), 0) << "still running: " << app->err();
    EXPECT_EQ(app->err().find("update check failed"), std::string::npos) << app->err();
}

// The editor's update link, clicked in `auhost edit`, reaches the running application, which
// checks for updates once.
TEST_F(ProgramTest, TheEditorsUpdateLinkReachesTheRunningApplication) {
    auto app = startRunning();
    ASSERT_TRUE(eventually([&] { return fs::exists(path("data/applications/org.vantrel.zellow.desktop")); }, 30));
    clickTheEditorsUpdateLink();
    EXPECT_TRUE(eventually([&] { return appChecks == 1; }, 60)) << app->err();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(appChecks, 1);
    EXPECT_EQ(AppKit::ApplicationInstance::runningProcess(identifier), app->pid()) << "no second instance";
}

// With no application running, the link starts it (as the desktop entry says) with the URL,
// and the new application checks for updates once. Needs a display, as the started application
// shows its window.
class AppStartedByTheEditor : public ProgramTest {};

TEST_F(AppStartedByTheEditor, TheUpdateLinkStartsTheApplication) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << "no display, though one was promised";
        GTEST_SKIP() << "no display";
    }
    // A first run registers the application with the desktop, as installing it does.
    auto install = start({"--seconds", "0"});
    ASSERT_EQ(install->wait(120), 0) << install->err();
    ASSERT_TRUE(fs::exists(path("data/applications/org.vantrel.zellow.desktop")));
    ASSERT_EQ(AppKit::ApplicationInstance::runningProcess(identifier), 0);

    clickTheEditorsUpdateLink();
    EXPECT_TRUE(eventually([] { return AppKit::ApplicationInstance::runningProcess(identifier) != 0; }, 60)) << "it was started";
    EXPECT_TRUE(eventually([&] { return appChecks == 1; }, 60));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(appChecks, 1);
}

// Started again while it runs, the program ends and the running application's window comes in
// front of the other program's window with the focus, as a second launch of a running
// application does; with a URL it also opens the URL. Needs a display.
class SecondStart : public ProgramTest {};

TEST_F(SecondStart, BringsTheRunningApplicationsWindowToTheFrontWithTheFocus) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << "no display, though one was promised";
        GTEST_SKIP() << "no display";
    }
    TestSupport::OtherXClient other;
    ASSERT_TRUE(other.connected());
    auto first = start({"--seconds", "120"}, "sdl");
    ASSERT_TRUE(eventually([&] { return AppKit::ApplicationInstance::runningProcess(identifier) == first->pid(); }, 60))
        << first->err();
    TestSupport::OtherXClient::Window window = 0;
    ASSERT_TRUE(eventually([&] { return (window = other.windowOf(first->pid())) != 0; }, 60)) << "its window shows";
    // Its own start gives it the focus first; the other program takes it only after that.
    ASSERT_TRUE(eventually([&] { return other.focus() == window; }, 30)) << "its window took the focus when it started";

    for (const auto& arguments : {std::vector<std::string>{}, std::vector<std::string>{"vantrelzellow://openAndUpdate"}}) {
        other.takeFocus();
        ASSERT_NE(other.focus(), window);
        ASSERT_TRUE(other.isAbove(other.window(), window));
        auto second = start(arguments, "sdl");
        EXPECT_EQ(second->wait(60), 0) << second->err();
        // With the URL, the update window it opens may take the focus from the main window.
        EXPECT_TRUE(eventually([&] { return arguments.empty() ? other.focus() == window : other.processOf(other.focus()) == first->pid(); }, 30))
            << "its window takes the focus (" << (arguments.empty() ? "no URL" : arguments[0]) << ")";
        EXPECT_TRUE(other.isAbove(window, other.window())) << "in front of the other program's window";
    }
    EXPECT_TRUE(eventually([&] { return appChecks == 1; }, 60)) << "the URL was opened";
    EXPECT_EQ(AppKit::ApplicationInstance::runningProcess(identifier), first->pid());
}

// Of starts at the same moment exactly one becomes the running application, and every other
// hands over to it and ends, round after round; the one left takes a later start's URL.
TEST_F(ProgramTest, StartsAtTheSameMomentLeaveOneRunningApplication) {
    constexpr int rounds = 6, starts = 5;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<std::unique_ptr<AppProgram>> all;
        for (int i = 0; i < starts; ++i) all.push_back(start({"--seconds", "60"}));
        auto stillRunning = [&] {
            std::vector<AppProgram*> left;
            for (auto& app : all)
                if (app->wait(0) == -2) left.push_back(app.get());
            return left;
        };
        EXPECT_TRUE(eventually([&] { return stillRunning().size() <= 1; }, 30));
        const auto left = stillRunning();
        ASSERT_EQ(left.size(), 1u) << "copies of the application running at once";
        AppProgram& running = *left.front();
        EXPECT_TRUE(eventually([&] { return AppKit::ApplicationInstance::runningProcess(identifier) == running.pid(); }, 30))
            << running.err();
        for (auto& app : all) {
            if (app.get() == &running) continue;
            EXPECT_EQ(app->wait(0), 0) << app->err();
            EXPECT_EQ(app->err(), "");
        }
        if (round == rounds - 1) {
            auto later = start({"vantrelzellow://openAndUpdate"});
            EXPECT_EQ(later->wait(60), 0) << later->err();
            EXPECT_TRUE(eventually([&] { return appChecks == 1; }, 60)) << running.err();
        }
        EXPECT_EQ(running.terminate(), -1);
    }
}

// URLs of any length reach a first start; only handing them to a running application has a
// limit, and that start says so and ends.
TEST_F(ProgramTest, AFirstStartTakesURLsOfAnyLengthAndOnlyAHandOverIsLimited) {
    const std::string url = "vantrelzellow://openAndUpdate?pad=" + std::string(70 * 1024, 'a');
    auto first = start({"--seconds", "60", url});
    ASSERT_TRUE(eventually(
        [&] { return AppKit::ApplicationInstance::runningProcess(identifier) == first->pid() || first->wait(0) != -2; }, 60));
    ASSERT_EQ(first->wait(0), -2) << first->err();
    EXPECT_TRUE(eventually([&] { return appChecks == 1; }, 60)) << "the long URL was opened: " << first->err();
    auto second = start({url});
    EXPECT_EQ(second->wait(60), 1);
    EXPECT_EQ(second->err(), "Vantrel_Zellow: the URLs are too long to hand over (more than 64 KiB)\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(appChecks, 1);
    EXPECT_EQ(AppKit::ApplicationInstance::runningProcess(identifier), first->pid());
}

// Under a window manager, with About open: a second start after Hide brings back every window
// Hide hid, the main window included, About (the key window) in front with the focus; with
// another program in front, a second start brings both in front of it, About in front.
class SecondStartWithAWindowManager : public ProgramTest {};

TEST_F(SecondStartWithAWindowManager, BringsBackEveryWindowOfTheApplicationTheKeyWindowInFront) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << "no display, though one was promised";
        GTEST_SKIP() << "no display";
    }
    VZ_WINDOW_MANAGER(manager);
    using TestSupport::WindowManager;
    TestSupport::OtherXClient other;
    ASSERT_TRUE(other.connected());
    auto first = start({"--seconds", "120"}, "sdl");
    ASSERT_TRUE(eventually([&] { return AppKit::ApplicationInstance::runningProcess(identifier) == first->pid(); }, 60))
        << first->err();
    TestSupport::OtherXClient::Window main = 0, about = 0;
    ASSERT_TRUE(eventually([&] { return (main = other.windowOf(first->pid(), "Vantrel Zellow")) != 0 && other.focus() == main; }, 60))
        << "its window shows with the focus";
    ASSERT_TRUE(WindowManager::run({"xdotool", "key", "F10", "Down", "Return"}));
    ASSERT_TRUE(eventually([&] { return (about = other.windowOf(first->pid(), "About Vantrel Zellow")) != 0 && other.focus() == about; }, 30))
        << "About opened from the menu";
    auto bothWithAboutInFront = [&] {
        return other.isShown(main) && other.isShown(about) && other.focus() == about && other.isAbove(about, main);
    };

    ASSERT_TRUE(WindowManager::run({"xdotool", "key", "ctrl+h"}));
    ASSERT_TRUE(eventually([&] { return !other.isShown(main) && !other.isShown(about); }, 30)) << "Hide minimised both";
    auto second = start({}, "sdl");
    EXPECT_EQ(second->wait(60), 0) << second->err();
    EXPECT_TRUE(eventually(bothWithAboutInFront, 30)) << "main shown " << other.isShown(main) << ", About shown " << other.isShown(about);

    other.takeFocus();
    ASSERT_TRUE(eventually([&] { return other.isAbove(other.window(), about) && other.focus() != about; }, 30));
    auto third = start({}, "sdl");
    EXPECT_EQ(third->wait(60), 0) << third->err();
    EXPECT_TRUE(eventually([&] { return bothWithAboutInFront() && other.isAbove(main, other.window()); }, 30))
        << "main in front of the other program " << other.isAbove(main, other.window()) << ", About "
        << other.isAbove(about, other.window());
}

}  // namespace
