#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSResponder.hpp"
#include "AppKit/NSView.hpp"
#include "Combine/CurrentValueSubject.hpp"
#include "CoreGraphics/CGImage.hpp"
#include "CoreGraphics/DisplayList.hpp"
#include "CoreGraphics/Geometry.hpp"
#include "CoreGraphics/RasterCache.hpp"
#include "Dispatch/RunLoop.hpp"
#include "QuartzCore/CAAnimation.hpp"

namespace AppKit {

class NSViewController;
class NSText;
class NSScreen;
class NSAppearance;
class NSWindowDelegate;
class NSColor;

// Window style bits, with the platform's values.
struct StyleMask {
    std::uint64_t rawValue = 0;
    static constexpr StyleMask borderless() { return {0}; }
    static constexpr StyleMask titled() { return {1u << 0}; }
    static constexpr StyleMask closable() { return {1u << 1}; }
    static constexpr StyleMask miniaturizable() { return {1u << 2}; }
    static constexpr StyleMask resizable() { return {1u << 3}; }
    static constexpr StyleMask fullSizeContentView() { return {1u << 15}; }
    static constexpr StyleMask standard() { return {0b1111}; }

    constexpr bool contains(StyleMask m) const { return (rawValue & m.rawValue) == m.rawValue; }
    friend constexpr StyleMask operator|(StyleMask a, StyleMask b) { return {a.rawValue | b.rawValue}; }
    friend constexpr bool operator==(StyleMask, StyleMask) = default;
};

enum class TitleVisibility { visible = 0, hidden = 1 };

// Whether any of a window shows on the screen, with the platform's value.
struct OcclusionState {
    std::uint64_t rawValue = 0;
    static constexpr OcclusionState visible() { return {1u << 1}; }
    constexpr bool contains(OcclusionState s) const { return (rawValue & s.rawValue) == s.rawValue && s.rawValue; }
    friend constexpr bool operator==(OcclusionState, OcclusionState) = default;
};

// How a window's content is kept (the platform's raw values); only recorded here.
enum class BackingStoreType { retained = 0, nonretained = 1, buffered = 2 };

// A window: a content view (or a content view controller), key status with its
// notifications, a first responder, a field editor, a backing scale factor, and the
// dispatch of events into its views. Windows are drawn by the window back end through
// displayIfNeeded(); the frame is in screen coordinates (y up).
class NSWindow : public NSResponder {
public:
    // "performClose:", "makeKeyAndOrderFront:", "orderFront:", "orderOut:".
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(NSWindow, NSResponder)
public:
    using Ptr = std::shared_ptr<NSWindow>;

    // Names posted through the default notification centre, object = the window.
    static constexpr const char* didBecomeKeyNotification = "NSWindowDidBecomeKeyNotification";
    static constexpr const char* didResignKeyNotification = "NSWindowDidResignKeyNotification";
    static constexpr const char* willCloseNotification = "NSWindowWillCloseNotification";
    static constexpr const char* didResizeNotification = "NSWindowDidResizeNotification";
    static constexpr const char* didChangeBackingPropertiesNotification = "NSWindowDidChangeBackingPropertiesNotification";
    static constexpr const char* didChangeOcclusionStateNotification = "NSWindowDidChangeOcclusionStateNotification";

    // A window whose content view fills `contentRect` (screen coordinates).
    static Ptr make(CGRect contentRect, StyleMask style = StyleMask::standard());
    // A titled, closable, miniaturizable, resizable window of class W (a subclass's
    // init(contentRect:styleMask:backing:defer:) runs) sized to the controller's view.
    template <class W = NSWindow>
    static std::shared_ptr<W> withContentViewController(const std::shared_ptr<NSViewController>& controller) {
        auto w = Runtime::make<W>(CGRect{0, 0, 480, 270}, contentViewControllerStyle(), BackingStoreType::buffered, false);
        w->setContentViewController(controller);
        return w;
    }
    static constexpr StyleMask contentViewControllerStyle() {
        return StyleMask::titled() | StyleMask::closable() | StyleMask::miniaturizable() | StyleMask::resizable();
    }

    // --- Appearance and identity ----------------------------------------------------------
    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
    int windowNumber() const { return number_; }
    StyleMask styleMask() const { return style_; }
    BackingStoreType backingType() const { return backing_; }
    void setStyleMask(StyleMask style);
    bool isResizable() const { return style_.contains(StyleMask::resizable()); }
    TitleVisibility titleVisibility() const { return titleVisibility_; }
    void setTitleVisibility(TitleVisibility v) { titleVisibility_ = v; }
    bool titlebarAppearsTransparent() const { return titlebarTransparent_; }
    void setTitlebarAppearsTransparent(bool flag) { titlebarTransparent_ = flag; }
    // The height the title bar takes from the frame (0 when borderless or full-size content).
    CGFloat titlebarHeight() const;

    std::shared_ptr<NSAppearance> appearance() const { return appearance_; }
    void setAppearance(std::shared_ptr<NSAppearance> appearance);
    std::shared_ptr<NSAppearance> effectiveAppearance() const;

    // --- Geometry -------------------------------------------------------------------------
    CGRect frame() const { return frame_; }
    void setFrame(CGRect frame, bool display = true);
    CGRect contentRect(CGRect forFrameRect) const;
    CGRect frameRect(CGRect forContentRect) const;
    CGSize contentSize() const { return contentRect(frame_).size; }
    // Clamped to the content min/max sizes.
    void setContentSize(CGSize size);
    CGSize contentMinSize() const { return contentMinSize_; }
    CGSize contentMaxSize() const { return contentMaxSize_; }
    void setContentMinSize(CGSize size);
    void setContentMaxSize(CGSize size);
    void center();
    std::shared_ptr<NSScreen> screen() const;

    // Points to pixels; the screen's unless a test or back end sets one.
    CGFloat backingScaleFactor() const;
    void setBackingScaleFactor(CGFloat scale);

    // --- Content --------------------------------------------------------------------------
    NSView::Ptr contentView() const { return contentView_; }
    void setContentView(const NSView::Ptr& view);
    std::shared_ptr<NSViewController> contentViewController() const { return contentViewController_; }
    // Makes the controller's view the content view and sizes the window to its
    // preferredContentSize when it has one (else to the view's frame).
    void setContentViewController(const std::shared_ptr<NSViewController>& controller);

    std::shared_ptr<Runtime::NSObject> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<Runtime::NSObject>& delegate) { delegate_ = delegate; }

    // --- Ordering and key status ----------------------------------------------------------
    bool isVisible() const { return visible_; }
    // Visible while the window is ordered in, not miniaturized and the desktop shows some of
    // it; not while the desktop minimised or hid it (as far as the window back end can tell).
    OcclusionState occlusionState() const;
    // For window back ends: whether the desktop shows any of the window. A change of the
    // occlusion state, this way or by ordering, tells the delegate and posts
    // didChangeOcclusionStateNotification.
    void setShownOnDesktop(bool shown);
    // For window back ends: the desktop brought the window back (a task bar, the window
    // manager): it is shown, and no longer miniaturized, whoever minimised it.
    void desktopDidRestore();
    // False while the application is not active (see NSApplication::isActive).
    bool isKeyWindow() const;
    // A window with a title bar or a resize bar can; a borderless one cannot.
    virtual bool canBecomeKeyWindow() const;
    void makeKeyWindow();
    void makeKeyAndOrderFront(Runtime::NSObject* sender = nullptr);
    void orderFront(Runtime::NSObject* sender = nullptr);
    void orderOut(Runtime::NSObject* sender = nullptr);
    // Asks the delegate (windowShouldClose) and closes when it agrees.
    void performClose(Runtime::NSObject* sender = nullptr);
    // Minimised to the desktop's task bar and back; the window stays open (and visible to the
    // application) meanwhile. Bringing back also restores what the desktop itself minimised.
    void miniaturize(Runtime::NSObject* sender = nullptr);
    void deminiaturize(Runtime::NSObject* sender = nullptr);
    bool isMiniaturized() const { return miniaturized_; }
    void close();
    // Called when key status arrives or leaves (after the flag changed, before the
    // notification); subclasses call the base.
    virtual void becomeKeyWindow();
    virtual void resignKeyWindow();

    // --- First responder ------------------------------------------------------------------
    // The window itself when no view is first responder.
    std::shared_ptr<NSResponder> firstResponder() const;
    // Asks the current first responder to resign, then `responder` to become; false (and no
    // change) when either refuses. Null makes the window itself first responder.
    bool makeFirstResponder(const std::shared_ptr<NSResponder>& responder);
    std::shared_ptr<NSView> initialFirstResponder() const { return initialFirstResponder_.lock(); }
    void setInitialFirstResponder(const std::shared_ptr<NSView>& view) { initialFirstResponder_ = view; }
    // The first responder as key-value observation of it reports (initial and new values):
    // each subscriber gets the current one at once, then every change in order, on the thread
    // that made it. Empty while the window itself is first responder. Held weakly, so a value
    // that waits in a queue keeps nothing alive.
    using FirstResponderSubject = Combine::CurrentValueSubject<std::weak_ptr<NSResponder>>;
    const std::shared_ptr<FirstResponderSubject>& firstResponderPublisher() const { return firstResponderSubject_; }
    // Tab and Shift-Tab that no view took: the focus moves along the key view loop from the
    // first responder (from the initial first responder when no view has it).
    void selectNextKeyView(Runtime::NSObject* sender = nullptr);
    void selectPreviousKeyView(Runtime::NSObject* sender = nullptr);
    // The window's one shared text editor for text fields; created on first request when
    // `createWhenNeeded`.
    std::shared_ptr<NSText> fieldEditor(bool createWhenNeeded, const Runtime::NSObject* forObject = nullptr);

    // --- Events ---------------------------------------------------------------------------
    // Delivers an event to the view it belongs to: mouse-down to the view hit (which then
    // gets the drags and the mouse-up, wherever they happen), keys to the first responder,
    // mouse moves to the view under the pointer and to tracking areas.
    virtual void sendEvent(const std::shared_ptr<NSEvent>& event);
    // The next queued event of this window matching `mask` (see NSApplication::nextEvent).
    std::shared_ptr<NSEvent> nextEvent(EventTypeMask mask);
    // The platform's nextEvent(matching:until:inMode:dequeue:): `untilDate` is a time on the
    // shared clock; null when nothing matching came by then.
    std::shared_ptr<NSEvent> nextEvent(EventTypeMask mask, double untilDate, Dispatch::RunLoop::Mode mode, bool dequeue);
    // The view that took the last mouse-down, while the button is held.
    // Mouse moves go to tracking areas; with this on, also to the first responder.
    bool acceptsMouseMovedEvents() const { return acceptsMouseMovedEvents_; }
    void setAcceptsMouseMovedEvents(bool flag) { acceptsMouseMovedEvents_ = flag; }
    NSView::Ptr mouseCaptureView() const { return captured_.lock(); }
    // The content view's deepest view at a point in window coordinates.
    NSView::Ptr hitTest(CGPoint locationInWindow) const;

    // Cursor rectangles (see NSView::resetCursorRects): marks them for rebuilding before the
    // next mouse move; `view` may be null.
    void invalidateCursorRects(const NSView* view);
    bool areCursorRectsEnabled() const { return cursorRectsEnabled_; }
    void enableCursorRects() { cursorRectsEnabled_ = true; }
    void disableCursorRects() { cursorRectsEnabled_ = false; }

    bool performKeyEquivalent(const NSEvent& event) override;
    bool tryToPerform(Runtime::Selector action, Runtime::NSObject* sender) override;
    // The end of the responder chain for keys: Tab and Shift-Tab move along the key view loop;
    // Escape and Command-period send "cancelOperation:" up the chain from the first responder;
    // what nobody takes is unhandled.
    void keyDown(const NSEvent& event) override;

    // --- Display --------------------------------------------------------------------------
    bool viewsNeedDisplay() const;
    // Lays out and redraws when anything needs it; true when it drew.
    bool displayIfNeeded();
    void display();
    // What the last redraw recorded, in the content's base coordinates (y up, points).
    const CoreGraphics::DisplayList& displayList() const { return displayList_; }
    // The content as pixels at the backing scale factor (drawing first when never drawn).
    std::shared_ptr<CoreGraphics::CGImage> snapshot();
    // Painted behind the content view; the system's window background unless set.
    std::shared_ptr<NSColor> backgroundColor() const;
    void setBackgroundColor(std::shared_ptr<NSColor> color);
    // Views drawn over the content view, last in front, their frames in window coordinates: what
    // is open in the window for a moment (a menu). They take no events from sendEvent; whoever
    // adds one tracks its events.
    void addOverlay(const NSView::Ptr& view);
    void removeOverlay(const NSView::Ptr& view);
    const std::vector<NSView::Ptr>& overlays() const { return overlays_; }
    // Counts the redraws (tests check that needsDisplay causes exactly one).
    int displayCount() const { return displayCount_; }

    // --- Placement, animation and sheets -------------------------------------------------
    void setFrameOrigin(CGPoint origin);
    // The part of the content view that the title bar does not cover (window coordinates).
    CGRect contentLayoutRect() const;
    // A rectangle in window coordinates, in screen coordinates.
    CGRect convertToScreen(CGRect rect) const;

    // The animations the animator plays, by property ("frameOrigin").
    using Animations = std::map<std::string, std::shared_ptr<QuartzCore::CAAnimation>>;
    const Animations& animations() const { return animations_; }
    void setAnimations(Animations animations) { animations_ = std::move(animations); }
    // The proxy through which changes animate. Nothing moves between frames here: the new
    // value applies at once, and the animation installed for the property is recorded as played.
    class Animator {
    public:
        void setFrameOrigin(CGPoint origin);
        void setFrame(CGRect frame, bool display = true);

    private:
        friend class NSWindow;
        explicit Animator(NSWindow& window) : window_(window) {}
        NSWindow& window_;
    };
    Animator animator() { return Animator(*this); }
    // What the animator played, oldest first (tests).
    const std::vector<std::shared_ptr<QuartzCore::CAAnimation>>& playedAnimations() const { return played_; }

    bool preventsApplicationTerminationWhenModal() const { return preventsTermination_; }
    void setPreventsApplicationTerminationWhenModal(bool flag) { preventsTermination_ = flag; }

    // A sheet is shown on this window until it is ended; the handler gets the return code.
    // The sheet hangs from the top of this window's content, centred, and becomes key; while it
    // is shown this window takes no clicks and no keys.
    void beginSheet(const Ptr& sheet, std::function<void(long returnCode)> completionHandler = {});
    void endSheet(const Ptr& sheet, long returnCode = 0);
    Ptr attachedSheet() const { return attachedSheet_; }
    Ptr sheetParent() const { return sheetParent_.lock(); }

    // The frame saved and restored under a name: setting a name restores the frame last saved
    // under it (false when none was), and every later change of the frame saves it. The store
    // lasts as long as the process.
    bool setFrameAutosaveName(std::string name);
    const std::string& frameAutosaveName() const { return autosaveName_; }
    static std::optional<CGRect> savedFrame(const std::string& name);
    static void removeFrame(const std::string& name);

    void didInit() override;

protected:
    NSWindow(CGRect contentRect, StyleMask style) : NSWindow(contentRect, style, BackingStoreType::buffered, false) {}
    // The designated initialiser; the content is made at once whatever `defer` says.
    NSWindow(CGRect contentRect, StyleMask style, BackingStoreType backing, bool defer);

private:
    friend class NSApplication;
    friend class NSView;
    void setKey(bool key);
    // Every change of the stored first responder goes through here, so it is published.
    void setFirstResponderValue(const std::shared_ptr<NSResponder>& responder);
    void dispatchMouse(const std::shared_ptr<NSEvent>& event);
    void updateTrackingAreas(const NSEvent& event);
    void updateCursor(const NSEvent& event);
    void keyStatusChanged();
    // Tells of an occlusion state other than `before`.
    void occlusionMayHaveChanged(OcclusionState before);
    void contentViewFrameToWindow();
    // The content view and the overlays laid out where they need it.
    void layOutContent();
    void drawContent();

    CGRect frame_;
    StyleMask style_;
    BackingStoreType backing_ = BackingStoreType::buffered;
    std::string title_, identifier_;
    int number_ = 0;
    TitleVisibility titleVisibility_ = TitleVisibility::visible;
    bool titlebarTransparent_ = false;
    std::shared_ptr<NSAppearance> appearance_;
    CGSize contentMinSize_{0, 0};
    CGSize contentMaxSize_{1e7, 1e7};
    std::optional<CGFloat> backingScale_;
    NSView::Ptr contentView_;
    std::vector<NSView::Ptr> overlays_;
    std::shared_ptr<NSViewController> contentViewController_;
    std::weak_ptr<Runtime::NSObject> delegate_;
    std::weak_ptr<NSResponder> firstResponder_;
    std::shared_ptr<FirstResponderSubject> firstResponderSubject_ = FirstResponderSubject::make({});
    std::weak_ptr<NSView> initialFirstResponder_;
    std::shared_ptr<NSText> fieldEditor_;
    std::weak_ptr<NSView> captured_;
    std::vector<std::weak_ptr<NSTrackingArea>> inside_;
    bool visible_ = false;
    bool shownOnDesktop_ = true;
    bool key_ = false;
    bool miniaturized_ = false;
    bool acceptsMouseMovedEvents_ = false;
    bool cursorRectsValid_ = false, cursorRectsEnabled_ = true, overCursorRect_ = false;
    int displayCount_ = 0;
    CoreGraphics::DisplayList displayList_;
    CoreGraphics::RasterCache raster_;  // frame to frame, only what changed is rasterised again
    std::shared_ptr<NSColor> backgroundColor_;
    Animations animations_;
    std::vector<std::shared_ptr<QuartzCore::CAAnimation>> played_;
    bool preventsTermination_ = true;
    Ptr attachedSheet_;
    std::weak_ptr<NSWindow> sheetParent_;
    std::function<void(long)> sheetHandler_;
    std::string autosaveName_;
};

}  // namespace AppKit
