#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSLayoutConstraint.hpp"
#include "AppKit/NSResponder.hpp"
#include "CoreGraphics/Geometry.hpp"

namespace QuartzCore {
class CALayer;
}

namespace AppKit {

using CoreGraphics::CGFloat;
using CoreGraphics::CGPoint;
using CoreGraphics::CGRect;
using CoreGraphics::CGSize;
using NSEdgeInsets = CoreGraphics::EdgeInsets;

class NSWindow;
class NSViewController;
class NSTrackingArea;
class NSCursor;
class NSAppearance;
class NSGestureRecognizer;
class NSMenu;
class NSScrollView;
using CALayer = QuartzCore::CALayer;
class NSImage;

// Which way text and controls run, with the platform's raw values.
enum class NSUserInterfaceLayoutDirection : long { leftToRight = 0, rightToLeft = 1 };

// Layout priorities (1 to 1000) and the two axes they apply along.
using NSLayoutPriority = float;
enum class NSLayoutConstraintOrientation : long { horizontal = 0, vertical = 1 };

enum class NSFocusRingType : unsigned long { default_ = 0, none = 1, exterior = 2 };

// "No intrinsic size" along an axis.
inline constexpr CGFloat NSViewNoIntrinsicMetric = -1;

// A rectangle of a window's content: frame (in the superview's coordinates), bounds (its own,
// y up unless isFlipped), subviews back to front, drawing through the current graphics
// context, hit testing, and constraint-based layout of its subviews.
class NSView : public NSResponder {
    VZ_OBJECT(NSView, NSResponder)
public:
    using Ptr = std::shared_ptr<NSView>;

    // --- Geometry -------------------------------------------------------------------------
    CGRect frame() const { return frame_; }
    virtual void setFrame(CGRect frame);
    void setFrameSize(CGSize size) { setFrame({frame_.origin, size}); }
    void setFrameOrigin(CGPoint origin) { setFrame({origin, frame_.size}); }
    CGRect bounds() const { return {boundsOrigin_, {frame_.size.width / boundsScale_.width, frame_.size.height / boundsScale_.height}}; }
    void setBoundsOrigin(CGPoint origin);
    // A bounds size other than the frame's scales what the view draws (and where its events
    // land) by frame / bounds; the scale stays when the frame changes, as on the platform.
    void setBoundsSize(CGSize size);
    virtual bool isFlipped() const { return false; }

    // Changes of the frame and of the bounds are posted through the default notification
    // centre (object: the view) while these are on. Off unless turned on (the platform turns
    // them on for every view; nothing here listens to most views).
    static constexpr const char* frameDidChangeNotification = "NSViewFrameDidChangeNotification";
    static constexpr const char* boundsDidChangeNotification = "NSViewBoundsDidChangeNotification";
    bool postsFrameChangedNotifications() const { return postsFrameChanges_; }
    void setPostsFrameChangedNotifications(bool flag) { postsFrameChanges_ = flag; }
    bool postsBoundsChangedNotifications() const { return postsBoundsChanges_; }
    void setPostsBoundsChangedNotifications(bool flag) { postsBoundsChanges_ = flag; }

    bool isHidden() const { return hidden_; }
    virtual void setHidden(bool hidden);
    bool isHiddenOrHasHiddenAncestor() const;
    CGFloat alphaValue() const { return alpha_; }
    virtual void setAlphaValue(CGFloat alpha);

    // The text shown while the pointer rests over the view; kept for those who ask.
    const std::optional<std::string>& toolTip() const { return toolTip_; }
    void setToolTip(std::optional<std::string> toolTip) { toolTip_ = std::move(toolTip); }

    // A name for tests and tools to find views by (the platform's `identifier`).
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }

    // --- The view tree --------------------------------------------------------------------
    const std::vector<Ptr>& subviews() const { return subviews_; }
    Ptr superview() const { return superview_.lock(); }
    std::shared_ptr<NSWindow> window() const;
    // Moves the view out of its old superview first; a view cannot be added into itself or
    // one of its own subviews (a fatal error, as the platform raises).
    void addSubview(const Ptr& view);
    enum class Ordering { below = -1, above = 1 };
    void addSubview(const Ptr& view, Ordering place, const Ptr& relativeTo);
    void removeFromSuperview();
    bool isDescendant(const NSView& view) const;  // true for the view itself
    // The first view in this subtree (depth first, this one first) with the identifier.
    Ptr viewWithIdentifier(const std::string& identifier);

    // Hooks around moves; the "did" hooks run after the move, on additions and removals alike.
    virtual void viewWillMoveToSuperview(NSView* newSuperview) { (void)newSuperview; }
    virtual void viewDidMoveToSuperview() {}
    virtual void viewWillMoveToWindow(NSWindow* newWindow) { (void)newWindow; }
    virtual void viewDidMoveToWindow() {}
    // A subview was added (it is linked in already); a notification only.
    virtual void didAddSubview(NSView* subview) { (void)subview; }
    // A table is about to hand the view out again for another row.
    virtual void prepareForReuse() {}
    // The window's backing scale factor changed (or the view moved to a window with another).
    virtual void viewDidChangeBackingProperties() {}

    // --- Coordinates ----------------------------------------------------------------------
    // `view` null means the window's base coordinates.
    CGPoint convert(CGPoint point, const NSView* from) const;
    CGPoint convertTo(CGPoint point, const NSView* to) const;
    CGRect convert(CGRect rect, const NSView* from) const;
    CGRect convertTo(CGRect rect, const NSView* to) const;

    // --- Events ---------------------------------------------------------------------------
    // `point` is in the superview's coordinates; the deepest visible view that contains it,
    // front-most first, or null.
    virtual Ptr hitTest(CGPoint point);
    // Whether a click that activates the window is also delivered to the view.
    virtual bool acceptsFirstMouse(const NSEvent* event) const { (void)event; return false; }
    std::shared_ptr<NSResponder> nextResponder() const override;

    void addTrackingArea(const std::shared_ptr<NSTrackingArea>& area);
    void removeTrackingArea(const std::shared_ptr<NSTrackingArea>& area);
    const std::vector<std::shared_ptr<NSTrackingArea>>& trackingAreas() const { return trackingAreas_; }
    // Called when the view's bounds change and when it moves into a window.
    virtual void updateTrackingAreas() {}

    // Cursor rectangles: while the pointer moves over one (the front-most view's, its last added
    // first), the window sets its cursor; off them the arrow. A window asks its views for them
    // (discardCursorRects, then resetCursorRects) whenever they are invalid: after views moved,
    // resized or were hidden, and after invalidateCursorRects(for:). Rectangles are in the view's
    // coordinates.
    virtual void resetCursorRects() {}
    void addCursorRect(CGRect rect, const std::shared_ptr<NSCursor>& cursor);
    void removeCursorRect(CGRect rect, const std::shared_ptr<NSCursor>& cursor);
    void discardCursorRects() { cursorRects_.clear(); }
    const std::vector<std::pair<CGRect, std::shared_ptr<NSCursor>>>& cursorRects() const { return cursorRects_; }

    // Recognisers see the view's mouse events before the view does, in the order added.
    void addGestureRecognizer(const std::shared_ptr<NSGestureRecognizer>& recognizer);
    void removeGestureRecognizer(const std::shared_ptr<NSGestureRecognizer>& recognizer);
    const std::vector<std::shared_ptr<NSGestureRecognizer>>& gestureRecognizers() const { return recognizers_; }
    // Touch types the view accepts (direct 1, indirect 2); kept for those who ask.
    unsigned long allowedTouchTypes() const { return allowedTouchTypes_; }
    void setAllowedTouchTypes(unsigned long mask) { allowedTouchTypes_ = mask; }
    virtual bool mouseDownCanMoveWindow() const { return !isOpaque(); }

    // The context menu: a right-click (or control-click) asks menuForEvent, which answers
    // menu() unless a class decides otherwise, and opens what it gets.
    std::shared_ptr<NSMenu> menu() const { return menu_; }
    void setMenu(std::shared_ptr<NSMenu> menu) { menu_ = std::move(menu); }
    virtual std::shared_ptr<NSMenu> menuForEvent(const NSEvent& event);
    void rightMouseDown(const NSEvent& event) override;

    NSUserInterfaceLayoutDirection userInterfaceLayoutDirection() const { return layoutDirection_; }
    void setUserInterfaceLayoutDirection(NSUserInterfaceLayoutDirection d) { layoutDirection_ = d; }

    // The nearest scroll view above this view (null when none).
    std::shared_ptr<NSScrollView> enclosingScrollView() const;

    // --- Layers ---------------------------------------------------------------------------
    // A layer-backed view gets a layer, whose background colour is painted under the view's
    // own drawing and whose opacity the view and its subviews are drawn at (with alphaValue);
    // a change to either redraws the view.
    bool wantsLayer() const { return layer_ != nullptr; }
    void setWantsLayer(bool flag);
    std::shared_ptr<CALayer> layer() const { return layer_; }

    // --- Drawing --------------------------------------------------------------------------
    bool needsDisplay() const { return needsDisplay_; }
    void setNeedsDisplay(bool flag);
    void setNeedsDisplay(CGRect rect) { (void)rect; setNeedsDisplay(true); }
    // Draws the view's content in its own coordinates into NSGraphicsContext::current().
    virtual void draw(CGRect dirtyRect) { (void)dirtyRect; }
    // Off by default, as on the platform: a view may draw outside its bounds.
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool flag) { clipsToBounds_ = flag; }
    // Whether the view paints every pixel of its bounds (the platform's isOpaque).
    virtual bool isOpaque() const { return false; }
    // Draws this view and its subtree into the current context, whose coordinates are this
    // view's superview's; clears needsDisplay in the subtree.
    void displayInCurrentContext();

    // --- The system's focus ring ---------------------------------------------------------
    // While the view is the key window's first responder and its focus-ring type is not none,
    // the system draws a ring around focusRingMaskBounds() after the view's own drawing - if
    // drawFocusRingMask() draws anything (the base draws nothing and the bounds are empty).
    NSFocusRingType focusRingType() const { return focusRingType_; }
    void setFocusRingType(NSFocusRingType type);
    virtual CGRect focusRingMaskBounds() const { return {}; }
    virtual void drawFocusRingMask() {}

    std::shared_ptr<NSAppearance> appearance() const { return appearance_; }
    void setAppearance(std::shared_ptr<NSAppearance> appearance) { appearance_ = std::move(appearance); }
    std::shared_ptr<NSAppearance> effectiveAppearance() const;

    // --- Layout ---------------------------------------------------------------------------
    bool translatesAutoresizingMaskIntoConstraints() const { return translatesAutoresizing_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool flag);

    NSLayoutAnchor leadingAnchor() const { return anchor(LayoutAttribute::leading); }
    NSLayoutAnchor trailingAnchor() const { return anchor(LayoutAttribute::trailing); }
    NSLayoutAnchor leftAnchor() const { return anchor(LayoutAttribute::left); }
    NSLayoutAnchor rightAnchor() const { return anchor(LayoutAttribute::right); }
    NSLayoutAnchor topAnchor() const { return anchor(LayoutAttribute::top); }
    NSLayoutAnchor bottomAnchor() const { return anchor(LayoutAttribute::bottom); }
    NSLayoutAnchor widthAnchor() const { return anchor(LayoutAttribute::width); }
    NSLayoutAnchor heightAnchor() const { return anchor(LayoutAttribute::height); }
    NSLayoutAnchor centerXAnchor() const { return anchor(LayoutAttribute::centerX); }
    NSLayoutAnchor centerYAnchor() const { return anchor(LayoutAttribute::centerY); }

    // The constraints installed on this view (those whose items are it or its descendants),
    // in the order they were activated.
    const std::vector<NSLayoutConstraint::Ptr>& constraints() const { return constraints_; }
    void addConstraint(const NSLayoutConstraint::Ptr& constraint);
    void removeConstraint(const NSLayoutConstraint::Ptr& constraint);

    virtual CGSize intrinsicContentSize() const { return {NSViewNoIntrinsicMetric, NSViewNoIntrinsicMetric}; }
    // How far the view's content (its alignment rectangle) lies inside its frame, for whoever
    // aligns views by their content; the layout pass here places frames.
    virtual NSEdgeInsets alignmentRectInsets() const { return {}; }
    // Where a text baseline lies from the top and from the bottom, for whoever aligns views by
    // their text; 0 for a view without text.
    virtual CGFloat firstBaselineOffsetFromTop() const { return 0; }
    virtual CGFloat lastBaselineOffsetFromBottom() const { return 0; }
    void invalidateIntrinsicContentSize();

    bool needsLayout() const { return needsLayout_; }
    void setNeedsLayout(bool flag);
    // Places the subviews: those that do not translate autoresizing masks get the frames
    // their constraints give; the others keep theirs. Overrides call the base first.
    virtual void layout();
    // Lays out this view and every descendant that needs it, top down.
    void layoutSubtreeIfNeeded();

    // How strongly the view keeps its intrinsic size against growing (hugging, 250 by default)
    // and shrinking (compression resistance, 750).
    NSLayoutPriority contentHuggingPriority(NSLayoutConstraintOrientation axis) const { return hugging_[int(axis)]; }
    void setContentHuggingPriority(NSLayoutPriority priority, NSLayoutConstraintOrientation axis) {
        hugging_[int(axis)] = priority;
    }
    NSLayoutPriority contentCompressionResistancePriority(NSLayoutConstraintOrientation axis) const {
        return compression_[int(axis)];
    }
    void setContentCompressionResistancePriority(NSLayoutPriority priority, NSLayoutConstraintOrientation axis) {
        compression_[int(axis)] = priority;
    }

    // --- Keyboard loop and rotation ------------------------------------------------------
    // The view Tab moves the focus to (weak); the view it names gets this one as its previous
    // key view, which Shift-Tab goes back to.
    Ptr nextKeyView() const { return nextKeyView_.lock(); }
    void setNextKeyView(const Ptr& view);
    Ptr previousKeyView() const { return previousKeyView_.lock(); }
    // Whether Tab may stop here: it accepts first responder and shows.
    virtual bool canBecomeKeyView() const { return acceptsFirstResponder() && !isHiddenOrHasHiddenAncestor(); }
    // The first view along the loop (next or previous) that can become key view; null when the
    // loop comes back without one.
    Ptr nextValidKeyView() const;
    Ptr previousValidKeyView() const;
    // Turns the view's content about its bounds' origin; marks the view for display.
    CGFloat boundsRotation() const { return boundsRotation_; }
    virtual void rotateByDegrees(CGFloat angle);

    // --- Snapshots ------------------------------------------------------------------------
    // A picture of the view's subtree inside `rect` (its own coordinates) at the window's
    // backing scale (1 without a window); null for an empty rectangle.
    std::shared_ptr<NSImage> cacheDisplay(CGRect rect);

    // The controller whose view this is (weak); the view's next responder.
    std::shared_ptr<NSViewController> viewController() const { return controller_.lock(); }

protected:
    NSView() = default;
    explicit NSView(CGRect frame) : frame_(frame) {}

private:
    friend class NSWindow;
    friend class NSViewController;
    friend class NSLayoutConstraint;

    NSLayoutAnchor anchor(LayoutAttribute a) const;
    void setWindowRecursively(const std::shared_ptr<NSWindow>& window, bool callHooks);
    void insertSubview(const Ptr& view, std::size_t index);
    void windowVisibilityChanged(bool onScreen);
    void backingPropertiesChanged();
    void didResize();
    void drawSystemFocusRing();

    CGRect frame_;
    CGPoint boundsOrigin_;
    CGSize boundsScale_{1, 1};
    bool hidden_ = false;
    CGFloat alpha_ = 1;
    std::string identifier_;
    std::optional<std::string> toolTip_;
    std::vector<Ptr> subviews_;
    std::weak_ptr<NSView> superview_;
    std::weak_ptr<NSWindow> window_;
    std::weak_ptr<NSViewController> controller_;
    std::vector<std::shared_ptr<NSTrackingArea>> trackingAreas_;
    std::vector<std::shared_ptr<NSGestureRecognizer>> recognizers_;
    unsigned long allowedTouchTypes_ = 0;
    std::shared_ptr<NSMenu> menu_;
    std::shared_ptr<CALayer> layer_;
    NSUserInterfaceLayoutDirection layoutDirection_ = NSUserInterfaceLayoutDirection::leftToRight;
    std::vector<std::pair<CGRect, std::shared_ptr<NSCursor>>> cursorRects_;
    std::vector<NSLayoutConstraint::Ptr> constraints_;
    std::shared_ptr<NSAppearance> appearance_;
    bool needsDisplay_ = true;
    bool needsLayout_ = false;
    bool translatesAutoresizing_ = true;
    bool clipsToBounds_ = false;
    NSFocusRingType focusRingType_ = NSFocusRingType::default_;
    NSLayoutPriority hugging_[2] = {250, 250};
    NSLayoutPriority compression_[2] = {750, 750};
    std::weak_ptr<NSView> nextKeyView_, previousKeyView_;
    bool postsFrameChanges_ = false, postsBoundsChanges_ = false;
    CGFloat boundsRotation_ = 0;
};

}  // namespace AppKit
