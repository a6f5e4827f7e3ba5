#include "Orrindle/Labels/StyledTableGroupRowLabel.hpp"

#include "Orrindle/Labels/LabelGeometry.hpp"

namespace Orrindle {

AppKit::NSEdgeInsets StyledTableGroupRowLabel::alignmentRectInsets() const {
    return labelAlignmentRectInsets(*this, WidthResizingTextField::alignmentRectInsets());
}

AppKit::CGSize StyledTableGroupRowLabel::intrinsicContentSize() const { return labelIntrinsicContentSize(*this, WidthResizingTextField::intrinsicContentSize()); }

}  // namespace Orrindle
