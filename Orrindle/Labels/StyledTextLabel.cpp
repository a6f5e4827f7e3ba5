#include "Orrindle/Labels/StyledTextLabel.hpp"

#include "Orrindle/Labels/LabelGeometry.hpp"

namespace Orrindle {

AppKit::NSEdgeInsets StyledTextLabel::alignmentRectInsets() const {
    return labelAlignmentRectInsets(*this, StyledTextField::alignmentRectInsets());
}

AppKit::CGSize StyledTextLabel::intrinsicContentSize() const { return labelIntrinsicContentSize(*this, StyledTextField::intrinsicContentSize()); }

}  // namespace Orrindle
