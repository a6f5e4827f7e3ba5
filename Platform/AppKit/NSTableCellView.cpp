#include "AppKit/NSTableCellView.hpp"

#include "AppKit/NSTextField.hpp"

namespace AppKit {

void NSTableCellView::setBackgroundStyle(NSBackgroundStyle style) {
    backgroundStyle_ = style;
    if (auto field = textField())
        if (auto cell = field->cell()) cell->setBackgroundStyle(style);
}

}  // namespace AppKit
