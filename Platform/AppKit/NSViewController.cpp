#include "AppKit/NSViewController.hpp"

#include <algorithm>

#include "AppKit/NSWindow.hpp"
#include "Runtime/FatalError.hpp"

namespace AppKit {

NSView::Ptr NSViewController::view() {
    if (!view_) {
        if (loading_) Runtime::fatalError("NSViewController: the view was asked for while it was being loaded");
        loading_ = true;
        loadView();
        loading_ = false;
        if (!view_) Runtime::fatalError("NSViewController: loadView did not set a view");
        viewDidLoad();
    }
    return view_;
}

void NSViewController::setView(const NSView::Ptr& view) {
    if (view_ == view) return;
    if (view_ && view_->controller_.lock().get() == this) view_->controller_.reset();
    view_ = view;
    if (view_) view_->controller_ = sharedAs<NSViewController>();
}

void NSViewController::loadView() { setView(Runtime::make<NSView>()); }

void NSViewController::addChild(const Ptr& child) { insertChild(child, children_.size()); }

void NSViewController::insertChild(const Ptr& child, std::size_t index) {
    if (!child || child.get() == this) return;
    child->removeFromParent();
    children_.insert(children_.begin() + std::ptrdiff_t(std::min(index, children_.size())), child);
    child->parent_ = sharedAs<NSViewController>();
}

void NSViewController::removeChild(std::size_t index) {
    if (index >= children_.size()) return;
    children_[index]->parent_.reset();
    children_.erase(children_.begin() + std::ptrdiff_t(index));
}

void NSViewController::removeFromParent() {
    auto p = parent();
    if (!p) return;
    auto& c = p->children_;
    auto it = std::find_if(c.begin(), c.end(), [this](const Ptr& x) { return x.get() == this; });
    if (it != c.end()) p->removeChild(std::size_t(it - c.begin()));
}

std::shared_ptr<NSResponder> NSViewController::nextResponder() const {
    if (auto explicitNext = NSResponder::nextResponder()) return explicitNext;
    if (!view_) return nullptr;
    if (auto s = view_->superview()) return s;
    if (auto w = view_->window(); w && w->contentView() == view_) return w;
    return nullptr;
}

void NSViewController::appear() {
    if (appeared_) return;
    viewWillAppear();
    appeared_ = true;
    viewDidAppear();
}

void NSViewController::disappear() {
    if (!appeared_) return;
    viewWillDisappear();
    appeared_ = false;
    viewDidDisappear();
}

}  // namespace AppKit
