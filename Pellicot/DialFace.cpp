#include "Pellicot/DialFace.hpp"

#include "Pellicot/DialLabel.hpp"
#include "Pellicot/KnobControl.hpp"
#include "Pellicot/ModuleBundle.hpp"
#include "Pellicot/PaddedIndexString.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Stacks.hpp"

namespace Pellicot {

SwiftUI::AnyView DialFace::body(const std::shared_ptr<AudioParameter>& param, const LabelDisplayOptions& labelDisplayOptions,
                                const std::shared_ptr<const LabelFormatter>& formatter,
                                const std::function<void()>& onEditingEnded) const {
    using namespace SwiftUI;
    auto frameView = [prefix = imagePrefix, size = imageFrame, up = imageMovedUp](int n) {
        return AnyView(Image(prefix + paddedIndexString(n), ModuleBundle::module())).frame(size.width, size.height).offset(0, -up);
    };
    return AnyView(ZStack(Alignment::center(),
                          {AnyView(KnobControl(param, knobMinDrag, knobDragScaleFactor, imageCount, frameView)),
                           AnyView(DialLabel(param, labelColor, labelDisplayOptions, labelFont, formatter, onEditingEnded))
                               .offset(0, labelMovedDown)}));
}

}  // namespace Pellicot
