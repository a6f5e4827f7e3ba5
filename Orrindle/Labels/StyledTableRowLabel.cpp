#include "Orrindle/Labels/StyledTableRowLabel.hpp"

#include "Orrindle/Labels/LabelGeometry.hpp"

namespace Orrindle {

AppKit::NSEdgeInsets StyledTableRowLabel::alignmentRectInsets() const {
    return labelAlignmentRectInsets(*this, WidthResizingTextField::alignmentRectInsets());
}

AppKit::CGSize StyledTableRowLabel::intrinsicContentSize() const { return labelIntrinsicContentSize(*this, WidthResizingTextField::intrinsicContentSize()); }

}  // namespace Orrindle
