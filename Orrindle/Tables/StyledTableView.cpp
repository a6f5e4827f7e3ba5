#include "Orrindle/Tables/StyledTableView.hpp"

#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSTableColumn.hpp"
#include "AppKit/NSWindow.hpp"
#include "Orrindle/Extensions/ViewOperations.hpp"
#include "Orrindle/Tables/StyledTableHeaderCell.hpp"
#include "Runtime/FatalError.hpp"

namespace Orrindle {

void StyledTableView::viewWillMoveToSuperview(AppKit::NSView* newSuperview) {
    AppKit::NSTableView::viewWillMoveToSuperview(newSuperview);
    setBackgroundColor(TableViewStyle().backgroundColor());
    // At the first move into a scroll view the table is in none yet: the scroll view around the
    // new superview is the one that shows it.
    auto* scroll = newSuperview ? scrollViewAround(newSuperview) : enclosingScrollView().get();
    if (!scroll) return;
    scroll->setDrawsBackground(true);
    scroll->setBackgroundColor(backgroundColor());
}

void StyledTableView::mouseDown(const AppKit::NSEvent& event) {
    if (auto w = window(); w && makeKeyOnClick_ && !w->isKeyWindow()) w->makeKeyWindow();
    AppKit::NSTableView::mouseDown(event);
}

void StyledTableView::keyDown(const AppKit::NSEvent& event) {
    if (allowKeyboardNavigation_) return AppKit::NSTableView::keyDown(event);
    if (auto s = superview()) s->keyDown(event);
}

void StyledTableView::setHeaderStyle(const AppKit::NSColor::Ptr& textColor, const AppKit::NSColor::Ptr& bg,
                                     const AppKit::NSFont::Ptr& font) {
    if (!textColor || !font) Runtime::fatalError("StyledTableView.setHeaderStyle needs a text colour and a font");
    for (const auto& column : tableColumns()) {
        if (column->isHidden()) continue;
        auto old = column->headerCell();
        const std::string title = old ? old->stringValue() : std::string();
        auto cell = Runtime::make<StyledTableHeaderCell>(title, old ? old->image() : nullptr);
        cell->setDrawsBackground(true);
        cell->setBackgroundColor(AppKit::NSColor::clear());
        cell->setBackgroundStyle(AppKit::NSBackgroundStyle::raised);
        cell->setTintColor(bg);
        cell->setTextColor(textColor);
        cell->setAttributedStringValue(CoreGraphics::AttributedText(title, font->font(), textColor->cgColor()));
        column->setHeaderCell(cell);
    }
}

Foundation::IndexSet StyledTableView::allColumnIndexes() const { return Foundation::IndexSet::range(0, long(tableColumns().size())); }

}  // namespace Orrindle
