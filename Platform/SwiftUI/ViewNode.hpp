#pragma once
#include <any>
#include <map>
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

#include "Observation/Observation.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

class ViewGraph;

// The retained node of one view in a graph: its current view value, state slots,
// environment, children and layout results. Views are rebuilt on every update; nodes (and
// so state) last as long as the view keeps its identity.
class ViewNode : public std::enable_shared_from_this<ViewNode> {
public:
    ViewNode(ViewGraph& graph, ViewNode* parent);
    ~ViewNode();
    ViewNode(const ViewNode&) = delete;
    ViewNode& operator=(const ViewNode&) = delete;

    ViewGraph& graph() const { return graph_; }
    ViewNode* parent() const { return parent_; }
    int depth() const { return depth_; }
    const std::shared_ptr<const ViewImpl>& view() const { return view_; }
    template <class T> const T* viewAs() const { return dynamic_cast<const T*>(view_.get()); }
    const std::vector<std::shared_ptr<ViewNode>>& children() const { return children_; }
    // The children a layout places: transparent containers (Group, ForEach) are looked through.
    std::vector<ViewNode*> layoutChildren() const;
    // This node, then down through single children, as long as `pred` holds for none;
    // the first node (self included) whose view is a T.
    template <class T> const T* findInChain() const;

    // The environment the node's view sees, and the one its children see.
    const EnvironmentValues& environment() const { return environment_; }
    const EnvironmentValues& childEnvironment() const { return childEnvironment_; }
    bool isEnabled() const { return environment_.isEnabled; }

    // Installs a (new) view value from the parent and evaluates it.
    void assign(const AnyView& view, const EnvironmentValues& environment);
    // Evaluates the current view again (its state or an observed value changed).
    void evaluate();
    void setNeedsEvaluation();
    bool needsEvaluation() const { return dirty_; }
    bool isMounted() const { return mounted_; }
    // Stops observation and runs disappear handlers in this subtree; the graph calls it for
    // removed nodes.
    void unmount();

    // Layout. Frames are in the root's coordinate space, before drawing transforms.
    CGSize sizeThatFits(ProposedViewSize proposal);
    void place(const CGRect& frame);
    const CGRect& frame() const { return frame_; }
    // Maps this node's layout coordinates to the root's drawn coordinates (the offsets and
    // scales of its ancestors).
    const CGAffineTransform& drawTransform() const { return drawTransform_; }
    CGRect drawnFrame() const { return drawTransform_.apply(frame_); }
    // The axis of the stack that lays this node out, if any (Spacer and Divider use it).
    std::optional<Axis> stackAxis() const { return stackAxis_; }
    void setStackAxis(std::optional<Axis> axis) { stackAxis_ = axis; }
    void updateDrawTransforms(const CGAffineTransform& parentTransform);

    // Per-node data of a built-in view (gesture, press, editing and change tracking state).
    template <class T> T& storage() {
        if (!storage_.has_value() || storage_.type() != typeid(T)) storage_ = T{};
        return std::any_cast<T&>(storage_);
    }
    template <class T> T* storageIf() { return storage_.type() == typeid(T) ? std::any_cast<T>(&storage_) : nullptr; }
    template <class T> const T* storageIf() const { return storage_.type() == typeid(T) ? std::any_cast<T>(&storage_) : nullptr; }

    // The view values of this node and its ancestors, kept alive by a gesture or a menu that
    // calls back into closures made by those views after the tree has moved on.
    std::vector<std::shared_ptr<const ViewImpl>> pinPath() const;

    // State slots (State.hpp binds them during instantiate()).
    std::shared_ptr<detail::SlotBase> slot(std::size_t index, std::type_index type,
                                           const std::function<std::shared_ptr<detail::SlotBase>()>& make);

private:
    void reconcile(ChildList& list);

    ViewGraph& graph_;
    ViewNode* parent_;
    int depth_;
    std::shared_ptr<const ViewImpl> view_;
    EnvironmentValues environment_, childEnvironment_;
    std::vector<std::shared_ptr<ViewNode>> children_;
    std::vector<std::string> childKeys_;
    std::vector<std::pair<std::type_index, std::shared_ptr<detail::SlotBase>>> slots_;
    Observation::ObservationToken observation_;
    std::any storage_;
    bool dirty_ = false;
    bool mounted_ = true;
    bool evaluated_ = false;

    CGRect frame_;
    CGAffineTransform drawTransform_;
    std::optional<Axis> stackAxis_;
    std::vector<std::pair<ProposedViewSize, CGSize>> sizeCache_;
    std::uint64_t cacheGeneration_ = 0;
};

template <class T>
const T* ViewNode::findInChain() const {
    const ViewNode* n = this;
    while (n) {
        if (auto* v = n->viewAs<T>()) return v;
        if (n->children_.size() != 1) return nullptr;
        n = n->children_.front().get();
    }
    return nullptr;
}

}  // namespace SwiftUI
