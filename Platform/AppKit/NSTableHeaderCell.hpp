#pragma once
#include <memory>

#include "AppKit/NSTextFieldCell.hpp"

namespace AppKit {

// The cell a table's header draws for one column: the column's title (system 11, header text
// colour) 4 points in from the left and centred vertically, over the header's background, a
// separator line along its right edge. Copyable.
class NSTableHeaderCell : public NSTextFieldCell {
    VZ_OBJECT(NSTableHeaderCell, NSTextFieldCell)
public:
    using Ptr = std::shared_ptr<NSTableHeaderCell>;

    void draw(CGRect withFrame, NSView& in) override;
    void drawInterior(CGRect withFrame, NSView& in) override;
    void highlight(bool flag, CGRect withFrame, NSView& in) override;
    void didInit() override;

protected:
    NSTableHeaderCell() = default;
    NSCell::Ptr newInstance() const override { return Runtime::make<NSTableHeaderCell>(); }
};

}  // namespace AppKit
