#pragma once
#include <memory>
#include <optional>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSText.hpp"

namespace AppKit {

// The text view windows use as their field editor: an NSText with a caret colour and the
// colours of selected text.
class NSTextView : public NSText {
    VZ_OBJECT(NSTextView, NSText)
public:
    struct SelectedTextAttributes {
        NSColor::Ptr foregroundColor, backgroundColor;
    };

    NSColor::Ptr insertionPointColor() const { return insertionPointColor_; }
    void setInsertionPointColor(NSColor::Ptr color) { insertionPointColor_ = std::move(color); setNeedsDisplay(true); }
    const SelectedTextAttributes& selectedTextAttributes() const { return selected_; }
    void setSelectedTextAttributes(SelectedTextAttributes attributes) { selected_ = std::move(attributes); setNeedsDisplay(true); }

protected:
    using NSText::NSText;
    std::shared_ptr<NSColor> selectionColor() const override {
        return selected_.backgroundColor ? selected_.backgroundColor : NSText::selectionColor();
    }
    std::shared_ptr<NSColor> caretColor() const override { return insertionPointColor_ ? insertionPointColor_ : NSText::caretColor(); }

private:
    NSColor::Ptr insertionPointColor_;
    SelectedTextAttributes selected_;
};

}  // namespace AppKit
