#pragma once
#include <memory>

#include "AppKit/NSBackgroundStyle.hpp"
#include "AppKit/NSView.hpp"

namespace AppKit {

class NSColor;

// How a table shows its selected rows, with the platform's raw values.
enum class NSTableViewSelectionHighlightStyle : long { none = -1, regular = 0, sourceList = 1 };

// The view of one table row, behind the row's cell views; the table sets its state. It draws
// its background colour (when it has one), then, while selected, its selection: a rounded bar
// in the selected-content colour while emphasized (its table has the focus in the key window),
// in the unemphasized one otherwise, and nothing for the highlight style none. Its cell views
// are told the background they sit on (emphasized while the row is selected and emphasized).
class NSTableRowView : public NSView {
    VZ_OBJECT(NSTableRowView, NSView)
public:
    using Ptr = std::shared_ptr<NSTableRowView>;

    virtual bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isEmphasized() const { return emphasized_; }
    void setEmphasized(bool emphasized);
    bool isGroupRowStyle() const { return groupRowStyle_; }
    void setGroupRowStyle(bool flag);
    NSTableViewSelectionHighlightStyle selectionHighlightStyle() const { return highlightStyle_; }
    void setSelectionHighlightStyle(NSTableViewSelectionHighlightStyle style);
    std::shared_ptr<NSColor> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::shared_ptr<NSColor> color);
    // What the row's content sits on.
    NSBackgroundStyle interiorBackgroundStyle() const;

    virtual void drawBackground(CGRect dirtyRect);
    virtual void drawSelection(CGRect dirtyRect);
    void draw(CGRect dirtyRect) override;
    bool isFlipped() const override { return true; }

protected:
    NSTableRowView() = default;
    explicit NSTableRowView(CGRect frame) : NSView(frame) {}

private:
    void updateCellBackgrounds();

    bool selected_ = false, emphasized_ = false, groupRowStyle_ = false;
    NSTableViewSelectionHighlightStyle highlightStyle_ = NSTableViewSelectionHighlightStyle::regular;
    std::shared_ptr<NSColor> backgroundColor_;
};

}  // namespace AppKit
