#pragma once
#include <concepts>
#include <memory>

#include "Orrindle/Styles/Style.hpp"

namespace Orrindle {

// A view or cell that draws with a style object of its class. A class answers style() with its
// class-wide object (as a rule sharedStyle<TheClass, TheStyle>(): made on first use and shared
// by all its instances); a subclass that answers with its own gets its own, and the style of
// the receiver's dynamic class is the one used. A class may also make a new style on every
// read.
template <class ViewStyle>
class StyledView {
    static_assert(std::derived_from<ViewStyle, Style>);

public:
    using StyleType = ViewStyle;
    virtual ~StyledView() = default;
    virtual std::shared_ptr<ViewStyle> style() const = 0;
};

// The style object of `Class`, of type `ClassStyle`: made once, on first use, and shared.
template <class Class, class ClassStyle>
std::shared_ptr<ClassStyle> sharedStyle() {
    static const std::shared_ptr<ClassStyle> style = std::make_shared<ClassStyle>();
    return style;
}

}  // namespace Orrindle
