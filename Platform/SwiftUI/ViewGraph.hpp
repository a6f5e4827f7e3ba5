#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "CoreGraphics/CGImage.hpp"
#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/View.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

struct KeyPress;
class GestureSession;

// A tree of views evaluated into nodes, laid out at a size, drawn into a render tree, and
// fed with pointer and key events. A graph brings itself up to date on every turn of the main
// run loop (a run-loop observer) after a state or observed value it read has changed; the
// hosting views put one into an AppKit view.
class ViewGraph {
public:
    explicit ViewGraph(AnyView root, CGSize size = {});
    ~ViewGraph();
    ViewGraph(const ViewGraph&) = delete;
    ViewGraph& operator=(const ViewGraph&) = delete;

    void setRootView(AnyView root);
    void setSize(CGSize size);
    CGSize size() const { return size_; }
    // Values every view of the graph inherits (the hosting window's colour scheme, ...).
    void setEnvironment(EnvironmentValues environment);
    const EnvironmentValues& environment() const { return environment_; }

    // Evaluates invalidated views, lays out, runs change, appear and disappear handlers and
    // applies focus, until nothing is left; then rebuilds the render tree. True when it did
    // anything.
    bool update();
    bool needsUpdate() const;
    // Where the last update() spent its time, in seconds of the thread's processor time (for
    // benchmarks).
    struct PhaseTimes {
        double evaluate = 0, layout = 0, renderTree = 0;
    };
    const PhaseTimes& lastPhaseTimes() const { return phaseTimes_; }
    // The size the root view wants when offered nothing in particular.
    CGSize idealSize();
    CGSize sizeThatFits(ProposedViewSize proposal);

    // Up to date after update(); the run loop keeps it so.
    const RenderNode& renderTree();
    ViewNode* root() const { return root_.get(); }
    // The render tree drawn into a bitmap of the graph's size (y down).
    std::shared_ptr<CoreGraphics::CGImage> snapshot(CGFloat scale = 1);

    // Pointer events, in the root's coordinates (y down). They work on the last render tree.
    void mouseDown(CGPoint location, int clickCount = 1, EventModifiers modifiers = {});
    void mouseDragged(CGPoint location, EventModifiers modifiers = {});
    void mouseUp(CGPoint location, int clickCount = 1, EventModifiers modifiers = {});
    // A key press for the focused text field and the key handlers around it; true when
    // something handled it.
    bool keyDown(const KeyPress& key);
    bool keyUp(const KeyPress& key);

    // Test and back-end conveniences: each event is followed by draining the main run loop,
    // as the platform does between two events.
    void click(CGPoint location, EventModifiers modifiers = {});
    void doubleClick(CGPoint location, EventModifiers modifiers = {});
    // Press at `from`, move in `steps` equal steps to `to`, release there.
    void drag(CGPoint from, CGPoint to, int steps = 10, EventModifiers modifiers = {});
    void typeText(const std::string& text);
    bool pressKey(const KeyPress& key);
    // Clicks the centre of the first drawn item showing this text / image / identifier;
    // false when there is none.
    bool clickText(const std::string& text);
    bool clickImage(const std::string& name);
    bool clickIdentifier(const std::string& identifier);

    // Keyboard focus (a text field node), moved by clicks, by focus bindings and by the host.
    ViewNode* focusedField() const;
    void focus(ViewNode* field);
    void clearFocus();
    // The host hears when the graph takes or gives up the keyboard.
    std::function<void(bool hasFocus)> onFocusChange;
    // The host hears when the render tree has changed.
    std::function<void()> onNeedsDisplay;

    // ---- for the views ----
    void invalidate(const std::weak_ptr<ViewNode>& node);  // any thread
    std::function<void()> invalidator(std::weak_ptr<ViewNode> node);
    // Runs after the current evaluation and layout (change, appear, disappear handlers).
    void afterUpdate(std::function<void()> action);
    void setNeedsLayout() { needsLayout_ = true; }
    std::uint64_t layoutGeneration() const { return layoutGeneration_; }
    void nodeWillUnmount(ViewNode& node);
    // Keeps a replaced view value alive until the update ends.
    void retire(std::shared_ptr<const ViewImpl> view) { retired_.push_back(std::move(view)); }
    // Focus bindings register here so the graph can keep them in step.
    void registerFocusBinding(ViewNode& modifierNode);

    // The colour scheme a view of the graph asked its window for (.preferredColorScheme).
    std::optional<ColorScheme> preferredColorScheme() const { return preferredColorScheme_; }
    void setPreferredColorScheme(ColorScheme scheme) { preferredColorScheme_ = scheme; }
    // The colour of the background that wraps the whole root and ignores the safe area on every
    // edge: the hosting window's own, shown where the content does not reach.
    const std::optional<Color>& windowBackground() const { return windowBackground_; }
    void setWindowBackground(Color color) { windowBackground_ = std::move(color); }

    // All live graphs (hosts, tests).
    static std::vector<ViewGraph*> all();

private:
    void layout();
    void buildRenderTree();
    void syncFocusBindings();
    void cancelStaleGestures();
    void setFocus(const std::shared_ptr<ViewNode>& field, bool fromBinding);
    void drain();
    bool clickItem(const RenderNode* item);

    AnyView rootView_;
    std::shared_ptr<ViewNode> root_;
    CGSize size_;
    EnvironmentValues environment_;
    bool rootChanged_ = true;
    bool needsLayout_ = true;
    std::uint64_t layoutGeneration_ = 1;
    RenderNode renderTree_;
    bool renderStale_ = true;

    struct Pending {
        std::mutex mutex;
        std::vector<std::weak_ptr<ViewNode>> nodes;
        std::atomic<bool> any{false};
    };
    std::shared_ptr<Pending> pending_;
    std::vector<std::function<void()>> afterUpdate_;
    std::vector<std::shared_ptr<const ViewImpl>> retired_;
    std::vector<std::weak_ptr<ViewNode>> focusBindings_;
    std::weak_ptr<ViewNode> focused_;
    std::unique_ptr<GestureSession> session_;
    std::uint64_t observerId_ = 0;
    bool updating_ = false;
    PhaseTimes phaseTimes_;
    std::optional<ColorScheme> preferredColorScheme_;
    std::optional<Color> windowBackground_;
};

}  // namespace SwiftUI
