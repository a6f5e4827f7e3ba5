#include "Orrindle/Styles/HeaderTextFieldStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

HeaderTextFieldStyle::HeaderTextFieldStyle() {
    setBezelImages(imageTable({{S::default_, ImageResources::kvuTextfieldTableheader()},
                               {{S::focused, S::invalid}, ImageResources::kvuTextfieldError()},
                               {S::focused, ImageResources::kvuTextfieldFocus()},
                               {S::invalid, ImageResources::kvuTextfieldError()}}));
}

}  // namespace Orrindle
