#include "Orrindle/Settings/SegmentedButtonStyle.hpp"

#include "AppKit/NSImage.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Resources/ODColors.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Font.hpp"
#include "SwiftUI/Image.hpp"

namespace Orrindle {

SwiftUI::AnyView SegmentedButtonStyle::makeBody(const Configuration& configuration) const {
    using namespace SwiftUI;
    const bool pressed = configuration.isPressed;
    const Color& text = pressed ? ODColors::grey50() : isSelected ? ODColors::grey85() : ODColors::grey70();
    const ImageResource& tab = pressed      ? ImageResources::kvuWindowTabDown()
                               : isSelected ? ImageResources::kvuWindowTabSelected()
                                            : ImageResources::kvuWindowTab();
    // A short title's segment is as wide as its tab, so the tab never draws over a neighbour or
    // the row's label; the title stays in the middle.
    const CGFloat tabWidth = AppKit::NSImage::withResource(tab)->size().width;
    return configuration.label.font(Font::system(12, Font::Weight::medium, Font::Design::standard))
        .padding(Edges::horizontal(), 16)
        .padding(Edges::vertical(), 6)
        .frame({.minWidth = tabWidth})
        .foregroundColor(text)
        .background(AnyView(Image(tab)), Alignment::center());
}

}  // namespace Orrindle
