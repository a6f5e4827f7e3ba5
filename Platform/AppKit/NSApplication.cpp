#include "AppKit/NSApplication.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplicationDelegate.hpp"
#include "AppKit/NSDocumentController.hpp"
#include "AppKit/NSImage.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSWindow.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "AppKit/StandardAboutPanel.hpp"
#include "Foundation/Bundle.hpp"
#include "AppKit/PostNotification.hpp"
#include "AppKit/WindowBackend.hpp"
#include "Dispatch/Clock.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Runtime/FatalError.hpp"
#include "Runtime/MainActor.hpp"

namespace AppKit {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> NSApplication::classActions() {
    return {Runtime::action<NSApplication>("orderFrontStandardAboutPanel:",
                                           static_cast<void (NSApplication::*)(Runtime::NSObject*)>(
                                               &NSApplication::orderFrontStandardAboutPanel)),
            Runtime::action("terminate:", &NSApplication::terminate), Runtime::action("stop:", &NSApplication::stop),
            Runtime::action("hide:", &NSApplication::hide), Runtime::action("unhide:", &NSApplication::unhide),
            Runtime::action("unhideAllApplications:", &NSApplication::unhideAllApplications)};
}

NSApplication& NSApplication::shared() {
    static const std::shared_ptr<NSApplication> app = Runtime::make<NSApplication>();
    return *app;
}

std::vector<std::shared_ptr<NSWindow>> NSApplication::windows() const { return windows_; }

std::shared_ptr<NSWindow> NSApplication::window(int windowNumber) const {
    for (auto& w : windows_)
        if (w->windowNumber() == windowNumber) return w;
    return nullptr;
}

void NSApplication::setAppearance(std::shared_ptr<NSAppearance> appearance) {
    appearance_ = std::move(appearance);
    for (auto& w : windows_)
        if (auto v = w->contentView()) v->setNeedsDisplay(true);
}

std::shared_ptr<NSAppearance> NSApplication::effectiveAppearance() const {
    return appearance_ ? appearance_ : NSAppearance::system();
}

Runtime::NSObject* NSApplication::targetForAction(Runtime::Selector action, Runtime::NSObject* target,
                                                  Runtime::NSObject*) {
    if (target) return target->respondsTo(action) ? target : nullptr;
    auto window = keyWindow();
    bool windowVisited = false;
    if (window) {
        for (auto r = window->firstResponder(); r; r = r->nextResponder()) {
            if (r.get() == window.get()) windowVisited = true;
            if (r->respondsTo(action)) return r.get();
        }
        if (!windowVisited && window->respondsTo(action)) return window.get();
        if (auto d = window->delegate(); d && d->respondsTo(action)) return d.get();
    }
    if (respondsTo(action)) return this;
    if (auto d = delegate(); d && d->respondsTo(action)) return d.get();
    if (auto* documents = NSDocumentController::sharedIfMade(); documents && documents->respondsTo(action)) return documents;
    return nullptr;
}

bool NSApplication::sendAction(Runtime::Selector action, Runtime::NSObject* target, Runtime::NSObject* sender) {
    if (action.isNull()) return false;
    Runtime::NSObject* receiver = targetForAction(action, target, sender);
    if (!receiver) return false;
    // Keep the receiver alive while its action runs (it may close its own window).
    auto keep = receiver->shared_from_this();
    return receiver->perform(action, sender);
}

bool NSApplication::tryToPerform(Runtime::Selector action, Runtime::NSObject* sender) {
    if (perform(action, sender)) return true;
    if (auto d = delegate()) return d->perform(action, sender);
    return false;
}

void NSApplication::postEvent(const std::shared_ptr<NSEvent>& event, bool atStart) {
    if (!event) return;
    if (atStart)
        queue_.push_front(event);
    else
        queue_.push_back(event);
}

std::shared_ptr<NSEvent> NSApplication::nextEvent(EventTypeMask mask, double timeout, bool dequeue, const NSWindow* window) {
    const double until = timeout >= 1e9 ? std::numeric_limits<double>::infinity() : Dispatch::Clock::shared().now() + timeout;
    return nextEvent(mask, until, Dispatch::RunLoop::Mode::defaultMode, dequeue, window);
}

std::shared_ptr<NSEvent> NSApplication::nextEvent(EventTypeMask mask, double untilDate, Dispatch::RunLoop::Mode,
                                                  bool dequeue, const NSWindow* window) {
    auto& clock = Dispatch::Clock::shared();
    const bool forever = std::isinf(untilDate);
    // The first matching event that has happened by `by` (virtual time: its timestamp).
    auto take = [&](double by) -> std::shared_ptr<NSEvent> {
        for (auto it = queue_.begin(); it != queue_.end(); ++it) {
            const auto& e = *it;
            if (!mask.contains(e->type())) continue;
            if (window && e->window() && e->window().get() != window) continue;
            if (clock.isVirtual() && e->timestamp() > clock.now()) {
                if (e->timestamp() > by) return nullptr;
                Dispatch::RunLoop::main().advance(e->timestamp() - clock.now());
            }
            auto found = e;
            if (dequeue) {
                queue_.erase(std::find(queue_.begin(), queue_.end(), found));
                // A tracking loop's event is the current one until the loop takes the next.
                currentEvent_ = found;
            }
            return found;
        }
        return nullptr;
    };
    for (;;) {
        if (auto e = take(untilDate)) return e;
        const double remaining = untilDate - clock.now();
        if (!forever && remaining <= 0) return nullptr;
        if (backend_) {
            backend_->waitForEvents(std::min(0.05, remaining));
            continue;
        }
        if (forever) {
            char maskText[32];
            std::snprintf(maskText, sizeof maskText, "0x%llx", static_cast<unsigned long long>(mask.rawValue));
            Runtime::fatalError(std::string("nextEvent(matching: ") + maskText +
                                "): no queued event matches and nothing can deliver one; queue the rest of "
                                "the gesture before sending its first event");
        }
        Dispatch::RunLoop::main().runFor(remaining);
        return take(untilDate);
    }
}

void NSApplication::discardEvents(EventTypeMask mask) {
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(), [&](const auto& e) { return mask.contains(e->type()); }),
                 queue_.end());
}

void NSApplication::sendEvent(const std::shared_ptr<NSEvent>& event) {
    if (!event) return;
    auto previous = currentEvent_;
    Runtime::assertMainActor();
    currentEvent_ = event;
    bool handled = false;
    if (event->type() == EventType::keyDown && event->flags().holdsCommandKey()) {
        if (auto kw = keyWindow()) handled = kw->performKeyEquivalent(*event);
        if (!handled && mainMenu_) handled = mainMenu_->performKeyEquivalent(*event);
        if (!handled) handled = performDesktopShortcut(*event);
    }
    if (!handled && event->type() == EventType::keyDown && event->keyCode() == KeyCode::f10 &&
        (event->flags() & (ModifierFlags::command() | ModifierFlags::control() | ModifierFlags::option())).isEmpty())
        handled = showApplicationMenu();
    if (!handled) {
        auto window = event->window();
        if (!window && event->isKeyEvent()) window = keyWindow();
        if (window) window->sendEvent(event);
    }
    currentEvent_ = previous;
}

bool NSApplication::performDesktopShortcut(const NSEvent& event) {
    const ModifierFlags others = ModifierFlags::shift() | ModifierFlags::option();
    if (!(event.flags() & others).isEmpty()) return false;
    const std::string key = event.charactersIgnoringModifiers();
    if (key == "w" || key == "W") {
        auto window = keyWindow();
        if (!window || !window->styleMask().contains(StyleMask::closable())) return false;
        window->performClose(this);
        return true;
    }
    if (key == "q" || key == "Q") {
        terminate(this);
        return true;
    }
    return false;
}

void NSApplication::hide(Runtime::NSObject*) {
    // What the desktop does not show (minimised already) is left as it is.
    for (auto& w : windows()) {
        if (!w->occlusionState().contains(OcclusionState::visible())) continue;
        w->miniaturize(this);
        if (w->isMiniaturized()) hiddenWindows_.push_back(w);
    }
}

void NSApplication::unhide(Runtime::NSObject*) {
    std::vector<std::shared_ptr<NSWindow>> hidden;
    for (auto& w : std::exchange(hiddenWindows_, {}))
        if (auto window = w.lock(); window && window->isVisible()) hidden.push_back(window);
    deminiaturizeKeyWindowLast(std::move(hidden));
}

void NSApplication::unhideAllApplications(Runtime::NSObject*) {
    hiddenWindows_.clear();
    deminiaturizeKeyWindowLast(windows());
}

void NSApplication::deminiaturizeKeyWindowLast(std::vector<std::shared_ptr<NSWindow>> windows) {
    if (auto key = keyWindow_.lock())
        std::stable_partition(windows.begin(), windows.end(), [&](const auto& w) { return w == key; });
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->deminiaturize(this);
}

bool NSApplication::showApplicationMenu() {
    auto window = keyWindow();
    auto view = window ? window->contentView() : nullptr;
    if (!view || !mainMenu_ || mainMenu_->numberOfItems() == 0) return false;
    auto menu = mainMenu_->item(0)->submenu();
    if (!menu) menu = mainMenu_;
    const CGPoint topLeft = view->isFlipped() ? CGPoint{0, 0} : CGPoint{0, view->bounds().size.height};
    menu->popUp(nullptr, topLeft, view.get());
    return true;
}

std::size_t NSApplication::processQueuedEvents() {
    std::size_t count = 0;
    auto& loop = Dispatch::RunLoop::main();
    loop.runUntilIdle();
    while (!queue_.empty()) {
        auto e = queue_.front();
        queue_.pop_front();
        sendEvent(e);
        ++count;
        loop.runUntilIdle();
    }
    return count;
}

void NSApplication::windowDidOrderFront(const std::shared_ptr<NSWindow>& window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    windows_.insert(windows_.begin(), window);
    installDisplayObserver();
}

void NSApplication::windowDidOrderOut(NSWindow& window) {
    auto keep = window.sharedAs<NSWindow>();
    windows_.erase(std::remove(windows_.begin(), windows_.end(), keep), windows_.end());
    if (keyWindow_.lock() == keep) {
        std::shared_ptr<NSWindow> next;
        for (auto& w : windows_)
            if (w->canBecomeKeyWindow()) { next = w; break; }
        setKeyWindow(next);
    }
}

void NSApplication::setKeyWindow(const std::shared_ptr<NSWindow>& window) {
    auto old = keyWindow_.lock();
    if (old == window) return;
    // The old key window resigns (and says so) before the new one becomes key. While the
    // application is not active the new one only waits for it to be.
    keyWindow_.reset();
    if (old) old->setKey(false);
    keyWindow_ = window;
    if (!window || !active_) return;
    window->setKey(true);
    // The desktop's keyboard focus follows the key window.
    if (backend_ && window->isVisible()) backend_->focusWindow(*window, false);
}

std::shared_ptr<NSWindow> NSApplication::windowToMakeKey() const {
    if (auto w = keyWindow_.lock(); w && w->isVisible()) return w;
    for (auto& w : windows_)
        if (w->canBecomeKeyWindow()) return w;
    return nullptr;
}

void NSApplication::becomeActive() {
    if (active_) return;
    auto self = sharedAs<NSApplication>();
    if (auto d = dynamic_cast<NSApplicationDelegate*>(delegate().get())) d->applicationWillBecomeActive(*this);
    postNotification(willBecomeActiveNotification, self);
    active_ = true;
    if (auto w = windowToMakeKey()) {
        keyWindow_ = w;
        w->setKey(true);
    }
    if (auto d = dynamic_cast<NSApplicationDelegate*>(delegate().get())) d->applicationDidBecomeActive(*this);
    postNotification(didBecomeActiveNotification, self);
}

void NSApplication::activate(bool) {
    unhide();
    becomeActive();
    if (!backend_) return;
    auto key = keyWindow();
    // The others first, back to front; what the desktop minimised stays so.
    auto windows = windows_;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (*it != key && (*it)->occlusionState().contains(OcclusionState::visible())) backend_->raiseWindow(**it);
    if (key && key->isVisible()) backend_->focusWindow(*key, true);
}

void NSApplication::deactivate() {
    if (!active_) return;
    auto self = sharedAs<NSApplication>();
    if (auto d = dynamic_cast<NSApplicationDelegate*>(delegate().get())) d->applicationWillResignActive(*this);
    postNotification(willResignActiveNotification, self);
    active_ = false;
    // The key window resigns but stays the one to be key on return.
    if (auto w = keyWindow_.lock()) w->setKey(false);
    if (auto d = dynamic_cast<NSApplicationDelegate*>(delegate().get())) d->applicationDidResignActive(*this);
    postNotification(didResignActiveNotification, self);
}

void NSApplication::desktopFocusDidEnter(NSWindow& window) {
    auto w = window.sharedAs<NSWindow>();
    if (!active_ && w->canBecomeKeyWindow()) keyWindow_ = w;
    becomeActive();
    w->makeKeyWindow();
}

void NSApplication::installDisplayObserver() {
    if (observerInstalled_) return;
    observerInstalled_ = true;
    // Windows are laid out and redrawn at the end of each turn of the main loop.
    Dispatch::RunLoop::main().addObserver([this] {
        bool drew = false;
        auto windows = windows_;
        for (auto& w : windows) drew |= w->displayIfNeeded();
        return drew;
    });
}

void NSApplication::finishLaunching() {
    if (launched_) return;
    Runtime::assertMainActor();
    auto self = sharedAs<NSApplication>();
    auto d = dynamic_cast<NSApplicationDelegate*>(delegate().get());
    if (d) d->applicationWillFinishLaunching(*this);
    postNotification(willFinishLaunchingNotification, self);
    registerURLSchemes();
    launched_ = true;
    if (!pendingURLs_.empty()) {
        auto urls = std::move(pendingURLs_);
        pendingURLs_.clear();
        open(urls);
    }
    d = dynamic_cast<NSApplicationDelegate*>(delegate().get());
    if (d) d->applicationDidFinishLaunching(*this);
    postNotification(didFinishLaunchingNotification, self);
}

void NSApplication::open(const std::vector<Foundation::URL>& urls) {
    if (urls.empty()) return;
    if (!launched_) {
        pendingURLs_.insert(pendingURLs_.end(), urls.begin(), urls.end());
        return;
    }
    if (auto d = dynamic_cast<NSApplicationDelegate*>(delegate().get())) d->application(*this, urls);
}

void NSApplication::registerURLSchemes() {
    auto bundle = Foundation::Bundle::main();
    const Foundation::PropertyList* types = bundle ? bundle->objectForInfoDictionaryKey("CFBundleURLTypes") : nullptr;
    if (!types || !types->array()) return;
    for (auto& type : *types->array()) {
        auto* schemes = type.find("CFBundleURLSchemes");
        if (!schemes || !schemes->array()) continue;
        for (auto& scheme : *schemes->array())
            if (auto* name = scheme.string())
                NSWorkspace::shared().setURLHandler(*name, [](const Foundation::URL& url) { NSApplication::shared().open({url}); });
    }
}

void NSApplication::orderFrontStandardAboutPanel(Runtime::NSObject*) { orderFrontStandardAboutPanel(std::map<std::string, std::string>{}); }

void NSApplication::orderFrontStandardAboutPanel(const std::map<std::string, std::string>& options) {
    if (!aboutPanel_) aboutPanel_ = StandardAboutPanel::shared();
    aboutPanel_->update(options);
    aboutPanel_->center();
    aboutPanel_->makeKeyAndOrderFront();
}

std::shared_ptr<NSImage> NSApplication::applicationIconImage() const {
    auto bundle = Foundation::Bundle::main();
    const Foundation::PropertyList* name = bundle ? bundle->objectForInfoDictionaryKey("CFBundleIconName") : nullptr;
    if (!name || !name->string() || name->string()->empty()) return nullptr;
    return NSImage::named(*name->string(), bundle);
}

void NSApplication::run() {
    NSWorkspace::shared().setOpensLinksExternally(true);
    finishLaunching();
    running_ = true;
    activate();
    if (!terminated_) Dispatch::RunLoop::main().run();
    running_ = false;
}

void NSApplication::stop(Runtime::NSObject*) { Dispatch::RunLoop::main().stop(); }

void NSApplication::terminate(Runtime::NSObject*) {
    auto d = dynamic_cast<NSApplicationDelegate*>(delegate().get());
    if (d && !d->applicationShouldTerminate(*this)) return;
    if (d) d->applicationWillTerminate(*this);
    postNotification(willTerminateNotification, sharedAs<NSApplication>());
    terminated_ = true;
    stop();
}

void NSApplication::resetForTesting() {
    auto windows = windows_;
    for (auto& w : windows) w->orderOut(nullptr);
    windows_.clear();
    hiddenWindows_.clear();
    keyWindow_.reset();
    queue_.clear();
    currentEvent_.reset();
    mainMenu_.reset();
    servicesMenu_.reset();
    appearance_.reset();
    delegate_.reset();
    pendingURLs_.clear();
    launched_ = running_ = terminated_ = false;
    active_ = true;
}

}  // namespace AppKit
