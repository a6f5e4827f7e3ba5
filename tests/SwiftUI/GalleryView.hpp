#pragma once
// A small gallery of the view layer, shared by the picture test and the real-window test.
#include "CoreGraphics/AssetCatalog.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/Path.hpp"
#include "SwiftUI/SwiftUI.hpp"

namespace GalleryView {

using namespace SwiftUI;

inline CoreGraphics::ImageRef knobPicture() {
    CoreGraphics::CGContext ctx({40, 40}, true, 2);
    ctx.setFillColor(CoreGraphics::CGColor::sRGB(0.25, 0.27, 0.3));
    ctx.fill(CoreGraphics::CGPath::ellipse({2, 2, 36, 36}));
    ctx.setStrokeColor(CoreGraphics::CGColor::sRGB(1, 0.8, 0.1));
    ctx.setLineWidth(3);
    CoreGraphics::CGPath needle;
    needle.move({20, 20});
    needle.addLine({30, 8});
    ctx.stroke(needle);
    return ctx.makeImageAsset("gallery-knob");
}

struct Badge : ButtonStyle {
    AnyView makeBody(const Configuration& c) const override {
        return c.label.font(Font::custom("Rocket", 13))
            .foregroundColor(Color::white())
            .padding(EdgeInsets{2, 6, 2, 6})
            .background(AnyView(RoundedRectangle(4).fill(Color(0.85, 0.3, 0.2))))
            .opacity(c.isPressed ? 0.8 : 1);
    }
};

struct Gallery {
    State<std::string> name{std::string("Zellow")};
    AnyView body() const {
        return VStack(HorizontalAlignment::leading, 12,
                      {HStack({Text("Gallery").font(Font::custom("Rocket", 22)).foregroundColor(Color(1, 0.8, 0.1)), Spacer(),
                               Text(std::string("v1.0")).font(Font::custom("Dosis-Medium", 13)).foregroundColor(Color::gray())}),
                       HStack(VerticalAlignment::center, 16,
                              {Image("gallery-knob"), Circle().fill(Color::blue()).frame(24, 24),
                               RoundedRectangle(6).stroke(Color::green(), 2).frame(40, 24), Capsule().fill(Color::orange()).frame(50, 20),
                               Rectangle().fill(Color::red()).frame(20, 20).shadow(Color(0, 0, 0, 0.5), 2, 3, 3)}),
                       Grid(Alignment::center(), 4, 4,
                            {GridRow({Text("A"), Text("B"), Text("C")}), GridRow({Text("wide cell").gridCellColumns(2), Text("D")})}),
                       HStack({Button("Update", [] {}).buttonStyle(Badge()), Button("Default", [] {}),
                               TextField("Name", name.binding()).textFieldStyle(TextFieldStyle::roundedBorder).foregroundColor(Color::black()).frame({.width = 120}),
                               Menu({Button("One", [] {})}, AnyView(Text("Menu")))}),
                       Text("Dimmed text at half opacity").font(Font::custom("Dosis-Light", 14)).opacity(0.5)})
            .padding(16)
            .frame(420, 260, Alignment::topLeading())
            .background(Color(0.12, 0.13, 0.15), Edges::all());
    }
};


// Serves the gallery's one picture; undone by clear().
inline void installPictures() {
    auto catalog = CoreGraphics::AssetCatalog::inMemory();
    catalog->registerImage("gallery-knob", knobPicture());
    AssetLookup::setImageResolver([catalog](const std::string& n, const Foundation::Bundle*) { return catalog->findImage(n); });
}
inline void clear() { AssetLookup::setImageResolver(nullptr); }

inline AnyView make() { return AnyView(Gallery()).foregroundColor(Color(0.9, 0.9, 0.9)); }
inline constexpr CGSize size{420, 260};

}  // namespace GalleryView
