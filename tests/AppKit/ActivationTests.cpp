#include <gtest/gtest.h>

#include <algorithm>

#include "AppKit/NSApplicationDelegate.hpp"
#include "AppKit/NSWindowDelegate.hpp"
#include "AppKit/WindowBackend.hpp"
#include "AppKitTestSupport.hpp"
#include "Foundation/NotificationCenter.hpp"

using namespace AppKit;

namespace {

// Writes down what the application and its windows tell, in order, and what the application
// asks the desktop to do with the focus.
struct Journal {
    std::vector<std::string> lines;
    void write(std::string line) { lines.push_back(std::move(line)); }
    std::vector<std::string> take() { return std::exchange(lines, {}); }
};

class JournalDelegate : public Runtime::NSObject, public NSApplicationDelegate, public NSWindowDelegate {
    VZ_OBJECT(JournalDelegate, Runtime::NSObject)
public:
    Journal* journal = nullptr;
    void applicationWillBecomeActive(NSApplication&) override { journal->write("will become active"); }
    void applicationDidBecomeActive(NSApplication& app) override {
        journal->write(std::string("did become active") + (app.isActive() ? "" : " (not active!)"));
    }
    void applicationWillResignActive(NSApplication&) override { journal->write("will resign active"); }
    void applicationDidResignActive(NSApplication&) override { journal->write("did resign active"); }
    void windowDidBecomeKey(NSWindow& w) override { journal->write("become " + w.title()); }
    void windowDidResignKey(NSWindow& w) override { journal->write("resign " + w.title()); }
    void windowDidChangeOcclusionState(NSWindow& w) override {
        journal->write(w.title() + (w.occlusionState().contains(OcclusionState::visible()) ? " shown" : " not shown"));
    }
};

class FocusRecorder : public WindowBackend {
public:
    Journal* journal = nullptr;
    // What the desktop was asked to minimise and restore, in order.
    std::vector<std::string> minimising;
    void windowDidOrderFront(NSWindow&) override {}
    void windowDidOrderOut(NSWindow&) override {}
    void windowDidDisplay(NSWindow&) override {}
    void windowDidChangeFrame(NSWindow&) override {}
    void windowDidChangeMiniaturized(NSWindow& w) override { minimising.push_back((w.isMiniaturized() ? "minimise " : "restore ") + w.title()); }
    bool waitForEvents(double) override { return false; }
    void focusWindow(NSWindow& w, bool raise) override { journal->write((raise ? "raise " : "focus ") + w.title()); }
    void raiseWindow(NSWindow& w) override { journal->write("forward " + w.title()); }
};

class Activation : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::AppKitTest::SetUp();
        delegate = Runtime::make<JournalDelegate>();
        delegate->journal = &journal;
        backend.journal = &journal;
        app().setDelegate(delegate);
        app().setWindowBackend(&backend);
        for (const char* name : {NSApplication::didBecomeActiveNotification, NSApplication::didResignActiveNotification})
            tokens.push_back(Foundation::NotificationCenter::defaultCenter().addObserver(
                name, nullptr, [this](const Foundation::Notification& n) {
                    journal.write(std::string("posted ") + n.name + (n.object == &app() ? "" : " by someone else"));
                }));
        a = window("A"), b = window("B");
    }
    void TearDown() override {
        tokens.clear();
        app().setWindowBackend(nullptr);
        AppKitTest::AppKitTest::TearDown();
    }
    static NSApplication& app() { return NSApplication::shared(); }
    NSWindow::Ptr window(const std::string& title) {
        auto w = NSWindow::make({0, 0, 100, 100});
        w->setTitle(title);
        w->setDelegate(delegate);
        return w;
    }

    Journal journal;
    std::shared_ptr<JournalDelegate> delegate;
    FocusRecorder backend;
    std::vector<Foundation::NotificationCenter::Token> tokens;
    NSWindow::Ptr a, b;
};

// Focus leaving the application resigns it and its key window; coming back, the window that
// was key (or was made key meanwhile) is key again. Nothing is raised then: the desktop moved
// the focus itself.
TEST_F(Activation, TheKeyWindowResignsWithTheApplicationAndIsKeyAgainOnItsReturn) {
    ASSERT_TRUE(app().isActive()) << "with no desktop to say otherwise";
    a->makeKeyAndOrderFront();
    b->orderFront();
    journal.take();

    app().desktopFocusDidLeave();
    EXPECT_FALSE(app().isActive());
    EXPECT_FALSE(a->isKeyWindow());
    EXPECT_EQ(app().keyWindow(), nullptr);
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"will resign active", "resign A", "did resign active",
                                                         "posted NSApplicationDidResignActiveNotification"}));
    app().deactivate();
    EXPECT_TRUE(journal.take().empty()) << "resigning twice tells nothing";

    // Made key while inactive: it waits for the application to be active.
    b->makeKeyAndOrderFront();
    EXPECT_FALSE(b->isKeyWindow());
    EXPECT_TRUE(journal.take().empty());

    app().desktopFocusDidEnter(*b);
    EXPECT_TRUE(app().isActive());
    EXPECT_TRUE(b->isKeyWindow());
    EXPECT_EQ(app().keyWindow(), b);
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"will become active", "become B", "did become active",
                                                         "posted NSApplicationDidBecomeActiveNotification"}));

    // The focus moving between its own windows only moves key status.
    app().desktopFocusDidEnter(*a);
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"resign B", "become A", "focus A"}));
}

// Activating from inside (a second start, a click into an inactive window) brings its windows
// forward and the key window in front of them with the focus; the key window of an active
// application holds the focus, also when closing the key window hands key status on.
TEST_F(Activation, ActivatingBringsTheKeyWindowToTheFrontAndTheFocusFollowsTheKeyWindow) {
    a->makeKeyAndOrderFront();
    b->orderFront();
    app().deactivate();
    journal.take();

    app().activate();
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"will become active", "become A", "did become active",
                                                         "posted NSApplicationDidBecomeActiveNotification", "forward B", "raise A"}));
    app().activate();
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"forward B", "raise A"})) << "already active, it still comes to the front";

    a->close();
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"resign A", "become B", "focus B", "A not shown"}));

    // A click into a window of the inactive application activates it with that window key.
    auto c = window("C");
    c->orderFront();
    app().deactivate();
    journal.take();
    c->sendEvent(mouse(EventType::leftMouseDown, {50, 50}, c));
    c->sendEvent(mouse(EventType::leftMouseUp, {50, 50}, c));
    EXPECT_TRUE(app().isActive());
    EXPECT_TRUE(c->isKeyWindow());
    EXPECT_FALSE(b->isKeyWindow());
    const auto lines = journal.take();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "raise C"), lines.end());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "become C"), 1);
}

// What Hide minimised comes back when the application is activated (a second start): every
// window of it, back to front, the key window last so that it ends in front, key. A window the
// desktop minimised itself stays so, and one closed meanwhile stays closed.
TEST_F(Activation, ActivatingAfterHideBringsBackEveryWindowItHidTheKeyWindowInFront) {
    auto c = window("C"), d = window("D");
    d->orderFront();
    b->orderFront();
    a->makeKeyAndOrderFront();
    c->orderFront();  // in front of the key window
    d->setShownOnDesktop(false);  // minimised by the desktop
    app().sendAction(Runtime::Selector("hide:"), nullptr, nullptr);
    for (auto& w : {a, b, c}) EXPECT_TRUE(w->isMiniaturized()) << w->title();
    EXPECT_EQ(backend.minimising, (std::vector<std::string>{"minimise C", "minimise A", "minimise B"}));
    b->close();
    app().desktopFocusDidLeave();
    backend.minimising.clear();
    journal.take();

    app().activate();
    EXPECT_EQ(backend.minimising, (std::vector<std::string>{"restore C", "restore A"}));
    for (auto& w : {a, c}) {
        EXPECT_FALSE(w->isMiniaturized()) << w->title();
        EXPECT_TRUE(w->occlusionState().contains(OcclusionState::visible())) << w->title();
    }
    EXPECT_FALSE(b->isVisible());
    EXPECT_FALSE(d->occlusionState().contains(OcclusionState::visible()));
    EXPECT_TRUE(a->isKeyWindow());
    auto lines = journal.take();
    lines.erase(std::remove_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("forward ", 0) && l.rfind("raise ", 0); }),
                lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"forward C", "raise A"})) << "D, minimised by the desktop, stays so";

    // Once back, activating again restores nothing more.
    backend.minimising.clear();
    app().activate();
    EXPECT_TRUE(backend.minimising.empty());
}

// The desktop restoring one window after Hide (a task bar) ends its minimising: shown, no
// longer miniaturized, and its delegate hears it; the application's other windows stay hidden.
TEST_F(Activation, TheDesktopRestoringAWindowAfterHideEndsItsMinimising) {
    a->makeKeyAndOrderFront();
    b->orderFront();
    app().hide();
    a->setShownOnDesktop(false);  // what the desktop reports of a minimised window
    journal.take();

    a->desktopDidRestore();
    EXPECT_FALSE(a->isMiniaturized());
    EXPECT_TRUE(a->occlusionState().contains(OcclusionState::visible()));
    EXPECT_TRUE(b->isMiniaturized());
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"A shown"}));
    a->desktopDidRestore();
    EXPECT_TRUE(journal.take().empty()) << "told once";
}

// A minimised or hidden window is on screen but not shown: its occlusion state says so, and
// its delegate and the notification centre hear of each change; ordering it out and in again
// shows it anew.
TEST_F(Activation, AWindowTheDesktopDoesNotShowIsOccluded) {
    auto visible = [](const NSWindow& w) { return w.occlusionState().contains(OcclusionState::visible()); };
    EXPECT_FALSE(visible(*a)) << "not ordered in";
    a->orderFront();
    EXPECT_TRUE(visible(*a));
    int posted = 0;
    auto token = Foundation::NotificationCenter::defaultCenter().addObserver(
        NSWindow::didChangeOcclusionStateNotification, a, [&](const Foundation::Notification&) { ++posted; });
    journal.take();

    a->setShownOnDesktop(false);
    a->setShownOnDesktop(false);
    EXPECT_FALSE(visible(*a));
    EXPECT_TRUE(a->isVisible()) << "still ordered in";
    a->setShownOnDesktop(true);
    a->setShownOnDesktop(false);
    a->orderOut();
    a->orderFront();
    EXPECT_TRUE(visible(*a));
    // Miniaturized by the application (Hide) it is not shown either, until brought back.
    a->miniaturize();
    EXPECT_FALSE(visible(*a));
    a->deminiaturize();
    EXPECT_TRUE(visible(*a));
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"A not shown", "A shown", "A not shown", "A shown", "A not shown", "A shown"}));
    EXPECT_EQ(posted, 6);
}

}  // namespace
