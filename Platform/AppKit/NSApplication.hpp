#pragma once
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <memory>
#include <vector>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSResponder.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Foundation/URL.hpp"

namespace AppKit {

class NSWindow;
class NSMenu;
class NSAppearance;
class WindowBackend;
class StandardAboutPanel;

// The application: one per process (NSApplication::shared(), NSApp()). It keeps the windows
// and the key window, the event queue that tracking loops pull from, the main menu, the
// delegate, and it sends actions along the responder chain.
class NSApplication : public NSResponder {
public:
    // "orderFrontStandardAboutPanel:", "terminate:", "stop:", "hide:", "unhide:",
    // "unhideAllApplications:".
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(NSApplication, NSResponder)
public:
    static constexpr const char* willFinishLaunchingNotification = "NSApplicationWillFinishLaunchingNotification";
    static constexpr const char* didFinishLaunchingNotification = "NSApplicationDidFinishLaunchingNotification";
    static constexpr const char* willTerminateNotification = "NSApplicationWillTerminateNotification";
    static constexpr const char* willBecomeActiveNotification = "NSApplicationWillBecomeActiveNotification";
    static constexpr const char* didBecomeActiveNotification = "NSApplicationDidBecomeActiveNotification";
    static constexpr const char* willResignActiveNotification = "NSApplicationWillResignActiveNotification";
    static constexpr const char* didResignActiveNotification = "NSApplicationDidResignActiveNotification";

    // Created on first use, so it always exists.
    static NSApplication& shared();

    std::shared_ptr<Runtime::NSObject> delegate() const { return delegate_.lock(); }
    // Held weakly; the object may also derive from NSApplicationDelegate.
    void setDelegate(const std::shared_ptr<Runtime::NSObject>& delegate) { delegate_ = delegate; }

    // --- Windows --------------------------------------------------------------------------
    std::vector<std::shared_ptr<NSWindow>> windows() const;  // open (visible) windows, front to back
    // Null while the application is not active; the window made key meanwhile becomes key
    // when it is active again.
    std::shared_ptr<NSWindow> keyWindow() const { return active_ ? keyWindow_.lock() : nullptr; }
    std::shared_ptr<NSWindow> mainWindow() const { return keyWindow(); }
    std::shared_ptr<NSWindow> window(int windowNumber) const;

    // --- Menus and appearance -------------------------------------------------------------
    std::shared_ptr<NSMenu> mainMenu() const { return mainMenu_; }
    void setMainMenu(std::shared_ptr<NSMenu> menu) { mainMenu_ = std::move(menu); }
    std::shared_ptr<NSMenu> servicesMenu() const { return servicesMenu_; }
    void setServicesMenu(std::shared_ptr<NSMenu> menu) { servicesMenu_ = std::move(menu); }
    std::shared_ptr<NSAppearance> appearance() const { return appearance_; }
    void setAppearance(std::shared_ptr<NSAppearance> appearance);
    // The application's appearance, else the system's.
    std::shared_ptr<NSAppearance> effectiveAppearance() const;

    // --- Actions --------------------------------------------------------------------------
    // With a target: performs the action on it. Without: the first object that answers the
    // action among the key window's first responder and its chain, the key window, the
    // window's delegate, the application and its delegate. False when nobody answers.
    bool sendAction(Runtime::Selector action, Runtime::NSObject* target, Runtime::NSObject* sender);
    // The object sendAction would send the action to (null when none).
    Runtime::NSObject* targetForAction(Runtime::Selector action, Runtime::NSObject* target = nullptr,
                                       Runtime::NSObject* sender = nullptr);
    bool tryToPerform(Runtime::Selector action, Runtime::NSObject* sender) override;

    // --- Events ---------------------------------------------------------------------------
    // The event being dispatched now (null outside dispatch).
    std::shared_ptr<NSEvent> currentEvent() const { return currentEvent_; }
    void postEvent(const std::shared_ptr<NSEvent>& event, bool atStart = false);
    // The first queued event that matches (and belongs to `window`, when given), taken from
    // the queue when `dequeue`. Waiting for one:
    // - with no deadline (`untilDate` infinite), the window back end waits for device input;
    //   without a back end that can wait - every test - this is a fatal error naming the mask,
    //   so that a tracking loop never hangs;
    // - with a deadline (a time on the shared clock), the back end waits until then; without
    //   one the main run loop runs until then (on virtual time: the clock advances to the
    //   deadline, firing the timers that fall due), and null is returned when nothing came.
    // On virtual time a queued event stamped later than now has not happened yet: it arrives
    // (the clock advancing to its timestamp) only when that is not after the deadline.
    // The run-loop mode is accepted for the platform's signature; every mode's timers run.
    std::shared_ptr<NSEvent> nextEvent(EventTypeMask mask, double untilDate, Dispatch::RunLoop::Mode mode, bool dequeue,
                                       const NSWindow* window = nullptr);
    // The same with a relative timeout in seconds; 1e9 or more waits for ever.
    std::shared_ptr<NSEvent> nextEvent(EventTypeMask mask, double timeout = 1e9, bool dequeue = true,
                                       const NSWindow* window = nullptr);
    void discardEvents(EventTypeMask mask);
    std::size_t queuedEventCount() const { return queue_.size(); }
    // Routes an event to its window (key equivalents to the key window and the main menu, then
    // the desktop's own shortcuts; F10, as on the desktop, opens the application menu).
    virtual void sendEvent(const std::shared_ptr<NSEvent>& event);
    // The desktop's shortcuts for what no view or menu item took: Ctrl+W closes the key window
    // (when it can be closed), Ctrl+Q quits. True when the event was one.
    bool performDesktopShortcut(const NSEvent& event);
    // Opens the application menu (the main menu's first menu) at the top left of the key
    // window and performs the item the user takes. False without a key window or menu.
    bool showApplicationMenu();
    // Sends every queued event in turn, draining the main run loop between two of them,
    // as the platform's event loop does. Returns how many it sent.
    std::size_t processQueuedEvents();

    // --- URLs and the About panel ---------------------------------------------------------
    // Hands URLs to the delegate's application(_:open:); before launch has finished they wait
    // and are delivered between will- and did-finish-launching.
    void open(const std::vector<Foundation::URL>& urls);
    // Registers the URL schemes of the main bundle's CFBundleURLTypes with the workspace, so
    // that opening such a URL reaches this application. finishLaunching does it.
    void registerURLSchemes();
    // Shows the standard About panel (filled from the main bundle, or the options) and makes
    // it key.
    void orderFrontStandardAboutPanel(Runtime::NSObject* sender = nullptr);
    void orderFrontStandardAboutPanel(const std::map<std::string, std::string>& options);
    std::shared_ptr<StandardAboutPanel> aboutPanel() const { return aboutPanel_; }
    // The image of the main bundle's CFBundleIconName in its asset catalogue; null without one.
    std::shared_ptr<class NSImage> applicationIconImage() const;

    // --- Life cycle -----------------------------------------------------------------------
    // Will-finish, the launch URLs handed over by the caller, then did-finish (object = the
    // application). Runs once; later calls do nothing.
    void finishLaunching();
    bool isRunning() const { return running_; }
    bool didFinishLaunching() const { return launched_; }
    // Programs: finishes launching, then runs the main loop until terminate().
    void run();
    void stop(Runtime::NSObject* sender = nullptr);
    // Asks the delegate, posts will-terminate and stops the loop. The process is not ended
    // here; the program's main returns.
    void terminate(Runtime::NSObject* sender = nullptr);
    bool isTerminated() const { return terminated_; }

    // The application menu's Hide and Show All as the desktop has them: Hide minimises the
    // application's windows; unhide brings back those Hide minimised, Show All every window;
    // both restore back to front, the key window last, so that it ends in front.
    void hide(Runtime::NSObject* sender = nullptr);
    void unhide(Runtime::NSObject* sender = nullptr);
    void unhideAllApplications(Runtime::NSObject* sender = nullptr);

    // --- Activation -----------------------------------------------------------------------
    // The application is active while the desktop's focus is in one of its windows (and, with
    // no desktop to say otherwise, from the start). Resigning takes key status from the key
    // window, which says so; becoming active again gives it back, or to the frontmost window
    // that can take it. The delegate and the notification centre hear of each change
    // (will/did become active, will/did resign active, object = the application).
    bool isActive() const { return active_; }
    // Becomes active, unhidden, and has the window back end bring its windows in front of
    // other programs' windows, the key window in front with the focus, as a second start or a
    // click in an inactive window does; when already active it still comes to the front.
    void activate(bool ignoringOtherApps = true);
    void deactivate();
    // For window back ends: the desktop gave the focus to one of the application's windows
    // (it becomes active and that window key, and nothing is moved), or took it away from all
    // of them.
    void desktopFocusDidEnter(NSWindow& window);
    void desktopFocusDidLeave() { deactivate(); }

    // The window back end that shows windows and delivers real events (null in tests).
    WindowBackend* windowBackend() const { return backend_; }
    void setWindowBackend(WindowBackend* backend) { backend_ = backend; }

    // Forgets windows, queued events, menus, delegate and launch state (tests).
    void resetForTesting();

protected:
    NSApplication() = default;

private:
    friend class NSWindow;
    void windowDidOrderFront(const std::shared_ptr<NSWindow>& window);
    void windowDidOrderOut(NSWindow& window);
    void setKeyWindow(const std::shared_ptr<NSWindow>& window);
    // Becomes active without moving anything on the desktop.
    void becomeActive();
    void deminiaturizeKeyWindowLast(std::vector<std::shared_ptr<NSWindow>> frontToBack);
    // The window that takes key status when the application becomes active.
    std::shared_ptr<NSWindow> windowToMakeKey() const;
    int nextWindowNumber() { return ++windowNumbers_; }
    void installDisplayObserver();

    std::weak_ptr<Runtime::NSObject> delegate_;
    std::vector<std::shared_ptr<NSWindow>> windows_;
    std::vector<std::weak_ptr<NSWindow>> hiddenWindows_;  // what Hide minimised, front to back
    std::weak_ptr<NSWindow> keyWindow_;
    std::shared_ptr<NSMenu> mainMenu_, servicesMenu_;
    std::shared_ptr<NSAppearance> appearance_;
    std::deque<std::shared_ptr<NSEvent>> queue_;
    std::shared_ptr<NSEvent> currentEvent_;
    WindowBackend* backend_ = nullptr;
    std::vector<Foundation::URL> pendingURLs_;
    std::shared_ptr<StandardAboutPanel> aboutPanel_;
    int windowNumbers_ = 0;
    bool launched_ = false, running_ = false, terminated_ = false, active_ = true;
    bool observerInstalled_ = false;
};

inline NSApplication& NSApp() { return NSApplication::shared(); }

}  // namespace AppKit
