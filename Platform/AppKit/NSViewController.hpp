#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSResponder.hpp"
#include "AppKit/NSView.hpp"

namespace AppKit {

// Manages one view: loads it on first use (loadView, then viewDidLoad), has child
// controllers, and is told when its view appears in a visible window and when it leaves it.
class NSViewController : public NSResponder {
    VZ_OBJECT(NSViewController, NSResponder)
public:
    using Ptr = std::shared_ptr<NSViewController>;

    // Loads the view when it is not loaded yet.
    NSView::Ptr view();
    void setView(const NSView::Ptr& view);
    bool isViewLoaded() const { return view_ != nullptr; }
    NSView::Ptr viewIfLoaded() const { return view_; }

    // Makes the view; the base makes a plain NSView with an empty frame.
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear() {}
    virtual void viewDidAppear() {}
    virtual void viewWillDisappear() {}
    virtual void viewDidDisappear() {}
    virtual void viewWillLayout() {}
    virtual void viewDidLayout() {}

    // True between viewDidAppear and viewWillDisappear.
    bool isViewAppeared() const { return appeared_; }

    CGSize preferredContentSize() const { return preferredContentSize_; }
    virtual void setPreferredContentSize(CGSize size) { preferredContentSize_ = size; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::optional<std::string>& nibName() const { return nibName_; }

    const std::vector<Ptr>& children() const { return children_; }
    void addChild(const Ptr& child);
    void insertChild(const Ptr& child, std::size_t index);
    void removeChild(std::size_t index);
    void removeFromParent();
    Ptr parent() const { return parent_.lock(); }

    std::shared_ptr<NSResponder> nextResponder() const override;

protected:
    // The platform's init(nibName:bundle:); there are no nib files here, so the name is only
    // kept.
    explicit NSViewController(std::optional<std::string> nibName = std::nullopt) : nibName_(std::move(nibName)) {}

private:
    friend class NSView;
    void appear();
    void disappear();

    NSView::Ptr view_;
    CGSize preferredContentSize_{0, 0};
    std::string title_;
    std::optional<std::string> nibName_;
    std::vector<Ptr> children_;
    std::weak_ptr<NSViewController> parent_;
    bool appeared_ = false;
    bool loading_ = false;
};

}  // namespace AppKit
