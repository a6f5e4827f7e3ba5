#pragma once
#include <any>
#include <memory>

#include "AppKit/NSBackgroundStyle.hpp"
#include "AppKit/NSView.hpp"

namespace AppKit {

class NSTextField;
class NSImageView;

// A table cell's view: the value it shows, and outlets to the text field and image view that
// show it (held weakly: they are its subviews). The table sets its object value from the data
// source and its background style from its row.
class NSTableCellView : public NSView {
    VZ_OBJECT(NSTableCellView, NSView)
public:
    using Ptr = std::shared_ptr<NSTableCellView>;

    std::shared_ptr<NSTextField> textField() const { return textField_.lock(); }
    void setTextField(const std::shared_ptr<NSTextField>& field) { textField_ = field; }
    std::shared_ptr<NSImageView> imageView() const { return imageView_.lock(); }
    void setImageView(const std::shared_ptr<NSImageView>& view) { imageView_ = view; }

    virtual std::any objectValue() const { return objectValue_; }
    virtual void setObjectValue(std::any value) { objectValue_ = std::move(value); }

    // Passed on to the text field's cell, so its text can follow the row's selection.
    NSBackgroundStyle backgroundStyle() const { return backgroundStyle_; }
    virtual void setBackgroundStyle(NSBackgroundStyle style);

    bool isFlipped() const override { return true; }

protected:
    NSTableCellView() = default;
    explicit NSTableCellView(CGRect frame) : NSView(frame) {}

private:
    std::weak_ptr<NSTextField> textField_;
    std::weak_ptr<NSImageView> imageView_;
    std::any objectValue_;
    NSBackgroundStyle backgroundStyle_ = NSBackgroundStyle::normal;
};

}  // namespace AppKit
