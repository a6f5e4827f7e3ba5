#include <gtest/gtest.h>

#include <SDL.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSTextField.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "DemoWindow.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/DisplayProbe.hpp"
#include "Host/WindowBackends/HeadlessBackend.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"
#include "Dispatch/Clock.hpp"
#include "TestSupport/MainLoop.hpp"
#include "TestSupport/MenuScript.hpp"
#include "TestSupport/OtherXClient.hpp"
#include "TestSupport/RealWindow.hpp"
#include "TestSupport/XClipboardPeer.hpp"

using namespace AppKit;

namespace {

// Sets environment variables for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class BackendTest : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        NSApplication::shared().resetForTesting();
        NSApplication::shared().setWindowBackend(nullptr);
        TestSupport::VirtualTimeTest::TearDown();
    }
    // The centre of a view of the window, in window coordinates.
    static CGPoint centreOf(const NSWindow& w, const std::string& id) {
        auto v = w.contentView()->viewWithIdentifier(id);
        EXPECT_TRUE(v) << id;
        return v->convertTo(CGPoint{v->bounds().midX(), v->bounds().midY()}, nullptr);
    }
    static bool drew(const NSWindow& w, const std::string& text) {
        for (auto& t : w.displayList().texts())
            if (t == text) return true;
        return false;
    }
};

TEST_F(BackendTest, TheEnvironmentChoosesTheBackEnd) {
    {
        ScopedEnv forced("VZ_WINDOW_BACKEND", "headless");
        auto& b = WindowBackends::installWindowBackend();
        EXPECT_NE(dynamic_cast<WindowBackends::HeadlessBackend*>(&b), nullptr);
        EXPECT_EQ(NSApplication::shared().windowBackend(), &b);
    }
    {
        ScopedEnv forced("VZ_WINDOW_BACKEND", "sdl"), display("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr);
        try {
            WindowBackends::installWindowBackend();
            FAIL() << "sdl without a display was accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("needs a display"), std::string::npos) << e.what();
        }
    }
    {
        ScopedEnv forced("VZ_WINDOW_BACKEND", "metal");
        EXPECT_THROW(WindowBackends::installWindowBackend(), std::runtime_error);
    }
    ScopedEnv unset("VZ_WINDOW_BACKEND", nullptr), wayland("WAYLAND_DISPLAY", nullptr);
    {
        ScopedEnv display("DISPLAY", nullptr);
        WindowBackends::installWindowBackend();
        EXPECT_EQ(WindowBackends::installedKind(), WindowBackends::Kind::headless);
    }
    {
        // A display that cannot be reached: drawn offscreen, not in an invisible SDL window.
        ScopedEnv display("DISPLAY", ":7347");
        WindowBackends::installWindowBackend();
        EXPECT_EQ(WindowBackends::installedKind(), WindowBackends::Kind::headless);
    }
}

// An X server on TCP that takes connections: silent, or sending one byte to each.
class FakeDisplay {
public:
    explicit FakeDisplay(bool answers) : answers_(answers) {
        for (number_ = 60; number_ < 100; ++number_) {
            fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_port = htons(std::uint16_t(6000 + number_));
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(fd_, 4) == 0) break;
            ::close(fd_);
            fd_ = -1;
        }
        if (answers_ && fd_ >= 0)
            server_ = std::thread([this] {
                const int c = ::accept(fd_, nullptr, nullptr);
                if (c < 0) return;
                char request[12];
                if (::recv(c, request, sizeof request, MSG_WAITALL) == 12 && ::send(c, "\0", 1, MSG_NOSIGNAL) == 1) {}
                ::close(c);
            });
    }
    ~FakeDisplay() {
        if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
        if (server_.joinable()) server_.join();
        if (fd_ >= 0) ::close(fd_);
    }
    bool listening() const { return fd_ >= 0; }
    std::string name() const { return "127.0.0.1:" + std::to_string(number_); }

private:
    bool answers_;
    int number_ = 0, fd_ = -1;
    std::thread server_;
};

// A display that takes the connection and never answers is given up on after the time set,
// instead of hanging; one that answers, or cannot be reached at all, is left to the window system.
TEST_F(BackendTest, ADisplayThatNeverAnswersIsGivenUp) {
    {
        FakeDisplay silent(false);
        ASSERT_TRUE(silent.listening());
        const auto problem = WindowBackends::unansweredDisplay(silent.name(), 0.2);
        ASSERT_TRUE(problem);
        EXPECT_EQ(*problem, "the display " + silent.name() + " took the connection but did not answer within 0 s");
        // Chosen automatically: drawn offscreen, and the reason kept.
        ScopedEnv unset("VZ_WINDOW_BACKEND", nullptr), wayland("WAYLAND_DISPLAY", nullptr), display("DISPLAY", silent.name().c_str());
        WindowBackends::installWindowBackend();
        EXPECT_EQ(WindowBackends::installedKind(), WindowBackends::Kind::headless);
        EXPECT_NE(WindowBackends::fallbackReason().find("did not answer"), std::string::npos) << WindowBackends::fallbackReason();
    }
    {
        FakeDisplay answering(true);
        ASSERT_TRUE(answering.listening());
        EXPECT_EQ(WindowBackends::unansweredDisplay(answering.name(), 5), std::nullopt);
    }
    EXPECT_EQ(WindowBackends::unansweredDisplay("127.0.0.1:59", 0.2), std::nullopt) << "nothing listens there";
    for (const char* odd : {"", "nonsense", ":", ":x", "host:99999999"}) EXPECT_EQ(WindowBackends::unansweredDisplay(odd, 0.2), std::nullopt) << odd;
}

TEST_F(BackendTest, HeadlessWindowsTakeClicksAndWriteTheirPicture) {
    WindowBackends::installWindowBackend(WindowBackends::Kind::headless);
    auto w = WindowDemo::makeDemoWindow();
    w->makeKeyAndOrderFront();
    drain();
    EXPECT_TRUE(drew(*w, "Clicks: 0"));

    auto& app = NSApplication::shared();
    CGPoint p = centreOf(*w, "Count");
    app.postEvent(NSEvent::mouseEvent(EventType::leftMouseDown, p, {}, 0, w));
    app.postEvent(NSEvent::mouseEvent(EventType::leftMouseDragged, {p.x + 500, p.y}, {}, 0, w));  // leaves: no click
    app.postEvent(NSEvent::mouseEvent(EventType::leftMouseUp, {p.x + 500, p.y}, {}, 0, w));
    app.postEvent(NSEvent::mouseEvent(EventType::leftMouseDown, p, {}, 0, w));
    app.postEvent(NSEvent::mouseEvent(EventType::leftMouseUp, p, {}, 0, w));
    app.processQueuedEvents();
    EXPECT_TRUE(drew(*w, "Clicks: 1"));

    auto path = std::filesystem::path(VZ_BINARY_DIR) / "test-output" / "headless-demo.png";
    std::string error;
    ASSERT_TRUE(WindowBackends::writeSnapshot(*w, path.string(), &error)) << error;
    auto back = CoreGraphics::CGImage::readPNG(path.string());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, *w->snapshot());
}

// Pixels that differ by more than a little (anti-aliased edges may), in parts per million.
long differingPixels(const CoreGraphics::CGImage& a, const CoreGraphics::CGImage& b, int tolerance) {
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            std::uint32_t p = a.argb(x, y), q = b.argb(x, y);
            for (int shift : {0, 8, 16})
                if (std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)) > tolerance) {
                    ++differing;
                    break;
                }
        }
    return differing;
}

class SDLBackendTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
            if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << "no display, though one was promised";
            GTEST_SKIP() << "no display";
        }
        try {
            WindowBackends::installWindowBackend(WindowBackends::Kind::sdl);
        } catch (const std::runtime_error& e) {
            if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << e.what();
            GTEST_SKIP() << e.what();
        }
        sdl = dynamic_cast<WindowBackends::SDLBackend*>(NSApplication::shared().windowBackend());
        ASSERT_TRUE(sdl);
    }
    WindowBackends::SDLBackend* sdl = nullptr;
};

TEST_F(SDLBackendTest, TheWindowShowsWhatHeadlessDrawingShows) {
    for (double scale : {1.0, 2.0}) {
        auto w = WindowDemo::makeDemoWindow();
        w->setBackingScaleFactor(scale);
        w->makeKeyAndOrderFront();
        drain();
        sdl->pump();
        auto shown = sdl->readBack(*w);
        ASSERT_TRUE(shown);
        auto drawn = w->snapshot();
        ASSERT_EQ(shown->width(), drawn->width()) << scale;
        ASSERT_EQ(shown->height(), drawn->height());
        EXPECT_LE(differingPixels(*shown, *drawn, 2), long(drawn->width()) * drawn->height() / 200) << scale;
        w->close();
    }
}

TEST_F(SDLBackendTest, SDLMouseInputBecomesTheSameEvents) {
    auto w = WindowDemo::makeDemoWindow();
    w->makeKeyAndOrderFront();
    drain();
    sdl->pump();
    CGPoint p = centreOf(*w, "Count");
    unsigned id = sdl->sdlWindowID(*w);
    ASSERT_NE(id, 0u);
    auto push = [&](Uint32 type) {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = id;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.clicks = 1;
        e.button.x = int(p.x);
        e.button.y = int(w->contentSize().height - p.y);
        SDL_PushEvent(&e);
    };
    push(SDL_MOUSEBUTTONDOWN);
    push(SDL_MOUSEBUTTONUP);
    sdl->pump();
    drain();
    EXPECT_TRUE(drew(*w, "Clicks: 1"));
    w->close();
}

// Another program taking the desktop's focus resigns the application and its key window; the
// focus given back makes the window key again. A window the desktop minimises is not shown on it
// until it is restored.
TEST_F(SDLBackendTest, TheDesktopsFocusAndWhatItShowsReachTheApplication) {
    TestSupport::OtherXClient other;
    ASSERT_TRUE(other.connected());
    auto& app = NSApplication::shared();
    auto w = WindowDemo::makeDemoWindow();
    w->makeKeyAndOrderFront();
    drain();
    const auto own = other.windowOf(::getpid());
    ASSERT_NE(own, 0u);
    ASSERT_TRUE(TestSupport::pumpUntil(*sdl, [&] { return other.focus() == own; })) << "a shown window takes the focus";

    other.takeFocus();
    EXPECT_TRUE(TestSupport::pumpUntil(*sdl, [&] { return !app.isActive(); }));
    EXPECT_FALSE(w->isKeyWindow());
    other.giveFocusTo(own);
    EXPECT_TRUE(TestSupport::pumpUntil(*sdl, [&] { return app.isActive() && w->isKeyWindow(); }));

    auto windowEvent = [&](Uint8 event) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = event;
        e.window.windowID = sdl->sdlWindowID(*w);
        SDL_PushEvent(&e);
        sdl->pump();
    };
    windowEvent(SDL_WINDOWEVENT_MINIMIZED);
    EXPECT_FALSE(w->occlusionState().contains(OcclusionState::visible()));
    windowEvent(SDL_WINDOWEVENT_RESTORED);
    EXPECT_TRUE(w->occlusionState().contains(OcclusionState::visible()));
    w->close();
}

// While it shows a window the main run loop sleeps in SDL's wait for input, without a timer of
// its own polling for it, and work queued on another thread wakes it.
TEST_F(SDLBackendTest, TheRunLoopSleepsInSDLsWaitAndWorkFromAnotherThreadWakesIt) {
    Dispatch::Clock::shared().useRealTime();
    auto& loop = Dispatch::RunLoop::main();
    EXPECT_EQ(loop.timerCount(), 0u) << "nothing polls";
    auto w = WindowDemo::makeDemoWindow();
    w->makeKeyAndOrderFront();
    drain();
    EXPECT_TRUE(loop.inputSource());
    EXPECT_EQ(loop.timerCount(), 0u);

    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        loop.perform([&] { loop.stop(); });
    });
    const auto start = std::chrono::steady_clock::now();
    loop.runFor(30);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "the work woke the loop";
    other.join();
    w->close();
    EXPECT_FALSE(loop.inputSource()) << "no window, nothing to wait on";
}

// A kit text field in a real window, driven through SDL as a person drives it: a long value
// stays inside the field, the mouse places the caret and selects, and copy and paste go
// through the X display's clipboard, to and from another program on it.
TEST_F(SDLBackendTest, AKitFieldKeepsItsLineAndCopiesAndPastesThroughTheDesktopsClipboard) {
    auto w = NSWindow::make({0, 0, 240, 80});
    auto field = Runtime::make<NSTextField>(CGRect{20, 30, 80, 22});
    field->setEditable(true);
    field->setBezeled(true);
    w->contentView()->addSubview(field);
    w->makeKeyAndOrderFront();
    const unsigned id = sdl->sdlWindowID(*w);
    ASSERT_NE(id, 0u);
    const double height = w->contentSize().height;
    auto deliver = [&] {
        sdl->pump();
        drain();
        w->displayIfNeeded();
        sdl->pump();
    };
    deliver();
    const CGRect box = field->convertTo(field->bounds(), nullptr);
    // The window as it shows, the field's own pixels cleared.
    auto around = [&] {
        auto shown = sdl->readBack(*w);
        std::vector<std::uint32_t> out;
        for (int y = 0; y < shown->height(); ++y)
            for (int x = 0; x < shown->width(); ++x)
                out.push_back(box.contains({x + 0.5, height - y - 0.5}) ? 0 : shown->argb(x, y));
        return out;
    };
    auto click = [&](CGPoint p, std::optional<CGPoint> dragTo = std::nullopt) {
        const CGPoint end = dragTo.value_or(p);
        TestSupport::pressAndRelease(id, int(std::lround(p.x)), int(std::lround(height - p.y)), int(std::lround(end.x)),
                                     int(std::lround(height - end.y)), deliver);
    };
    click({box.midX(), box.midY()});
    auto editor = field->currentEditor();
    ASSERT_TRUE(editor);
    const auto before = around();
    const std::string typed = "3141592653589793";
    for (char c : typed) TestSupport::pushKeys(id, {SDL_Keycode(c)});
    deliver();
    EXPECT_EQ(field->stringValue(), typed);
    EXPECT_GT(editor->scrollOffset(), 0);
    EXPECT_TRUE(around() == before) << "the line and its caret stay inside the field";
    TestSupport::pushKeys(id, {SDLK_HOME});
    deliver();
    EXPECT_EQ(editor->scrollOffset(), 0);

    // Where the boundary after `bytes` bytes falls, the line unscrolled.
    auto at = [&](std::size_t bytes) {
        const CGRect line = editor->convertTo(editor->bounds(), nullptr);
        const auto prefix = CoreGraphics::AttributedText(typed.substr(0, bytes), editor->font()->font(), CoreGraphics::CGColor::black());
        return CGPoint{line.minX() + CoreGraphics::TextLayout::size(prefix).width, line.midY()};
    };
    click(at(3));
    EXPECT_EQ(editor->selectedRange(), (NSRange{3, 0}));
    click(at(1), at(4));
    EXPECT_EQ(editor->selectedRange(), (NSRange{1, 3}));

    TestSupport::pushKeys(id, {SDLK_c}, KMOD_CTRL);
    deliver();
    EXPECT_EQ(TestSupport::XClipboardPeer::read(deliver), "141");
    TestSupport::XClipboardPeer other;
    ASSERT_TRUE(other.offer("27"));
    TestSupport::pushKeys(id, {SDLK_v}, KMOD_CTRL);
    deliver();
    EXPECT_EQ(field->stringValue(), "327592653589793");
    TestSupport::pushKeys(id, {SDLK_z}, KMOD_CTRL);
    deliver();
    EXPECT_EQ(field->stringValue(), typed);
    EXPECT_EQ(editor->selectedRange(), (NSRange{1, 3}));
    TestSupport::pushKeys(id, {SDLK_x}, KMOD_CTRL);
    deliver();
    EXPECT_EQ(field->stringValue(), "3592653589793");
    EXPECT_EQ(TestSupport::XClipboardPeer::read(deliver), "141") << "cut takes the place of the other program's copy";
    w->close();
}

std::vector<std::string>* picked = nullptr;

// Opens its menu where it is clicked; the menu's items write down their titles.
class MenuOpener : public NSView {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("pick:", &MenuOpener::pick)};
    }

private:
    VZ_OBJECT(MenuOpener, NSView)
public:
    NSMenu::Ptr menu;
    void mouseDown(const NSEvent& e) override { menu->popUp(nullptr, convert(e.locationInWindow(), nullptr), this); }
    void pick(Runtime::NSObject* sender) { picked->push_back(static_cast<NSMenuItem*>(sender)->title()); }

protected:
    using NSView::NSView;
};

// In a real window, at 1x and 2x, a submenu opens beside its item and takes its items with the
// mouse and with the arrows; the window shows what the menus draw, at its own scale.
TEST_F(SDLBackendTest, SubmenusOpenInTheWindowWithTheMouseAndTheArrows) {
    std::vector<std::string> titles;
    picked = &titles;
    for (const double scale : {1.0, 2.0}) {
        titles.clear();
        auto w = NSWindow::make({0, 0, 320, 240});
        w->setBackingScaleFactor(scale);
        auto opener = Runtime::make<MenuOpener>(CGRect{0, 0, 320, 240});
        w->contentView()->addSubview(opener);
        auto bars = NSMenu::make("Bars");
        for (const char* title : {"2 Bars", "4 Bars"}) bars->addItem(title, Runtime::Selector("pick:"), "")->setTarget(opener);
        opener->menu = NSMenu::make();
        opener->menu->addItem("Reset", Runtime::Selector("pick:"), "")->setTarget(opener);
        opener->menu->addItem(NSMenuItem::make("Length"));
        opener->menu->itemWithTitle("Length")->setSubmenu(bars);
        opener->menu->addItem("Quit", Runtime::Selector("pick:"), "q")->setTarget(opener);
        w->makeKeyAndOrderFront();
        drain();
        sdl->pump();
        const unsigned id = sdl->sdlWindowID(*w);
        ASSERT_NE(id, 0u);
        auto at = [&](CGPoint p) { return std::pair{int(p.x * scale), int((240 - p.y) * scale)}; };
        auto openMenu = [&] {
            auto [x, y] = at({20, 200});
            TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, x, y);
            TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, x, y);
            sdl->pump();
            drain();
        };

        std::shared_ptr<CoreGraphics::CGImage> shown, drawn;
        bool showsShortcut = false;
        TestSupport::MenuScript mouse({[&](const MenuPresentation& m) {
                                           auto [x, y] = at(m.locationOfItem("Length"));
                                           TestSupport::pushMouse(SDL_MOUSEMOTION, id, x, y);
                                       },
                                       [&](const MenuPresentation& sub) {
                                           shown = sdl->readBack(*w);
                                           drawn = w->snapshot();
                                           showsShortcut = drew(*w, "Ctrl+Q");
                                           auto [x, y] = at(sub.locationOfItem("4 Bars"));
                                           TestSupport::pushMouse(SDL_MOUSEMOTION, id, x, y);
                                           TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, x, y);
                                           TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, x, y);
                                       }});
        openMenu();
        EXPECT_EQ(mouse.opened(), 2) << scale;
        EXPECT_EQ(titles, std::vector<std::string>{"4 Bars"}) << scale;
        ASSERT_TRUE(shown && drawn);
        EXPECT_EQ(shown->width(), int(320 * scale));
        EXPECT_EQ(differingPixels(*shown, *drawn, 2), 0) << "the window shows both menus as drawn, at " << scale;
        EXPECT_TRUE(showsShortcut);

        TestSupport::MenuScript keys({[&](const MenuPresentation&) {
            TestSupport::pushKeys(id, {SDLK_DOWN, SDLK_DOWN, SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_RETURN});
        }});
        openMenu();
        EXPECT_EQ(keys.opened(), 3) << "Right, Left and Right again";
        EXPECT_EQ(titles, (std::vector<std::string>{"4 Bars", "2 Bars"})) << scale;
        w->close();
    }
    picked = nullptr;
}

}  // namespace
