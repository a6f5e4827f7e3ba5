#include "Orrindle/Tables/ActionableTableHeaderView.hpp"

#include <algorithm>

#include "AppKit/NSClipView.hpp"
#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSTableView.hpp"
#include "Combine/Merge.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Foundation/NotificationPublisher.hpp"
#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGRect;

namespace {
AppKit::NSButton::Ptr headerButton(const SwiftUI::ImageResource& image, const SwiftUI::ImageResource& pressed) {
    auto button = Runtime::make<AppKit::NSButton>(CGRect{});
    button->setImage(AppKit::NSImage::withResource(image));
    button->setTitle("");
    button->setButtonType(AppKit::NSButtonType::momentaryChange);
    button->setAlternateImage(AppKit::NSImage::withResource(pressed));
    button->setBezelStyle(AppKit::NSBezelStyle::regularSquare);
    button->setBordered(false);
    button->setImagePosition(AppKit::NSCellImagePosition::imageOnly);
    button->setImageScaling(AppKit::NSImageScaling::scaleNone);
    return button;
}

// The clip view that shows the table; null when a link is missing.
AppKit::NSView::Ptr clipViewOf(const AppKit::NSTableView* table) {
    auto scroll = table ? table->enclosingScrollView() : nullptr;
    return scroll ? scroll->contentView() : nullptr;
}
}  // namespace

void ActionableTableHeaderView::didInit() {
    addItemButton_ = headerButton(ImageResources::propertiesTableAdd(), ImageResources::propertiesTableAddDown());
    optionButton_ = headerButton(ImageResources::propertiesTableheaderOverflow(), ImageResources::propertiesTableheaderOverflowDown());
    StyledTableHeaderView::didInit();
    setupButtons();
}

void ActionableTableHeaderView::setupButtons() {
    addSubview(addItemButton_);
    addSubview(optionButton_);
    for (const auto& button : {addItemButton_, optionButton_}) {
        button->sizeToFit();
        for (auto axis : {AppKit::NSLayoutConstraintOrientation::horizontal, AppKit::NSLayoutConstraintOrientation::vertical}) {
            button->setContentCompressionResistancePriority(1000, axis);
            button->setContentHuggingPriority(1000, axis);
        }
    }
    observeClipViewChanges();
}

void ActionableTableHeaderView::observeClipViewChanges() {
    cancellables_.clear();
    auto& center = Foundation::NotificationCenter::defaultCenter();
    std::weak_ptr<ActionableTableHeaderView> weak = sharedAs<ActionableTableHeaderView>();
    // Whether a change is one of this header's clip view: decided while it is being posted,
    // when its sender is still there to compare.
    auto isOwnClipView = [weak](const Foundation::Notification& n) {
        auto* clip = dynamic_cast<AppKit::NSClipView*>(n.object);
        auto header = weak.lock();
        if (!clip || !header) return false;
        auto table = header->tableView();
        return clip == clipViewOf(table.get()).get();
    };
    Combine::merge(Foundation::publisher(center, AppKit::NSView::frameDidChangeNotification),
                   Foundation::publisher(center, AppKit::NSView::boundsDidChangeNotification))
        .map(isOwnClipView)
        .receiveOn(Dispatch::RunLoop::main())
        .sink([weak](bool own) {
            // Another table's clip view says nothing of this header: its layout is left as it is.
            if (auto header = weak.lock(); header && own) header->setNeedsLayout(true);
        })
        .store(cancellables_);
}

void ActionableTableHeaderView::setTableView(const std::shared_ptr<AppKit::NSTableView>& table) {
    StyledTableHeaderView::setTableView(table);
    if (auto clip = clipViewOf(table.get())) {
        clip->setPostsBoundsChangedNotifications(true);
        clip->setPostsFrameChangedNotifications(true);
    }
}

void ActionableTableHeaderView::removeAddButton() { addItemButton_->setHidden(true); }
void ActionableTableHeaderView::removeOptionButton() { optionButton_->setHidden(true); }

CGFloat ActionableTableHeaderView::trailingOffset() const {
    auto table = tableView();
    auto clip = clipViewOf(table.get());
    if (!clip) return 0;
    return -std::max<CGFloat>(0, bounds().width() - clip->bounds().maxX());
}

CGRect ActionableTableHeaderView::optionButtonFrame() const {
    // A hidden button keeps the empty frame it was given: fitting it again would undo that.
    if (!optionButton_->isHidden()) optionButton_->sizeToFit();
    const auto size = optionButton_->isHidden() ? AppKit::CGSize{0, 0} : optionButton_->bounds().size;
    const CGRect b = bounds();
    return {b.maxX() + trailingOffset() - size.width - 2, b.midY() - optionButton_->bounds().midY(), size.width, size.height};
}

CGRect ActionableTableHeaderView::addButtonFrame() const {
    if (!addItemButton_->isHidden()) addItemButton_->sizeToFit();
    const CGRect option = optionButtonFrame();
    const auto size = addItemButton_->isHidden() ? AppKit::CGSize{0, 0} : addItemButton_->bounds().size;
    return {option.minX() - size.width, bounds().midY() - addItemButton_->bounds().midY(), size.width, size.height};
}

void ActionableTableHeaderView::layout() {
    StyledTableHeaderView::layout();
    const CGRect option = optionButtonFrame();
    if (option != optionButton_->frame()) optionButton_->setFrame(option);
    const CGRect add = addButtonFrame();
    if (add != addItemButton_->frame()) addItemButton_->setFrame(add);
}

}  // namespace Orrindle
