#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CoreGraphics/AssetCatalog.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Resources/ModuleBundle.hpp"

namespace {

using namespace CoreGraphics;

// Every image of the kit at its own size with its name, then every colour as a swatch with its
// name, on the kit's background: build/snapshots/orrindle-assets.png.
TEST(AssetSheet, ShowsEveryImageAndColourWithItsName) {
    auto catalog = AssetCatalog::forBundle(*Orrindle::ModuleBundle::module());
    const CGFloat sheetWidth = 980, margin = 24, gap = 14;
    const Font labelFont = Font::system(9);
    const CGColor labelColour = catalog->color("Grey 60%"), titleColour = catalog->color("Grey 85%");
    auto label = [&](const std::string& text) { return AttributedText(text, labelFont, labelColour); };

    struct Item {
        std::string name;
        ImageRef image;
        CGRect frame;  // of the whole cell: picture, then the name below
    };
    std::vector<Item> items;
    CGFloat x = margin, y = margin + 28, rowHeight = 0;
    for (const auto& resource : Orrindle::ImageResources::all()) {
        auto image = catalog->image(resource.name);
        const CGSize text = TextLayout::size(label(resource.name));
        const CGFloat w = std::max(image->size().width, text.width), h = image->size().height + 6 + text.height;
        if (x + w > sheetWidth - margin) {
            x = margin;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        items.push_back({resource.name, image, {x, y, w, h}});
        x += w + gap * 1.5;
        rowHeight = std::max(rowHeight, h);
    }
    const CGFloat coloursTop = y + rowHeight + 40;
    const CGFloat swatchWidth = 106, swatchHeight = 30;
    const int perRow = int((sheetWidth - 2 * margin + gap) / (swatchWidth + gap));
    const auto colours = Orrindle::ColorResources::all();
    const int colourRows = (int(colours.size()) + perRow - 1) / perRow;
    const CGFloat height = coloursTop + colourRows * (swatchHeight + 24) + margin;

    CGContext c({sheetWidth, height}, true, 2);
    c.setFillColor(catalog->color("Background/Normal"));
    c.fill(CGRect{0, 0, sheetWidth, height});
    const Font titleFont = Font::system(13, FontWeight::medium);
    c.drawText(AttributedText("Orrindle images", titleFont, titleColour), {margin, margin, 400, 20});
    for (const auto& item : items) {
        const CGSize s = item.image->size();
        const CGRect picture{item.frame.minX() + (item.frame.width() - s.width) / 2, item.frame.minY(), s.width, s.height};
        // Templates are shown as the controls draw them: tinted with the text colour.
        std::optional<CGColor> tint;
        if (item.image->isTemplate()) tint = titleColour;
        c.draw(item.image, picture, {}, CompositingOperation::sourceOver, 1, true, tint);
        const CGSize text = TextLayout::size(label(item.name));
        c.drawText(label(item.name), {item.frame.minX() + (item.frame.width() - text.width) / 2, picture.maxY() + 6, text.width + 1,
                                      text.height});
    }
    c.drawText(AttributedText("Orrindle colours", titleFont, titleColour), {margin, coloursTop - 28, 400, 20});
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const CGFloat sx = margin + (i % perRow) * (swatchWidth + gap);
        const CGFloat sy = coloursTop + (i / perRow) * (swatchHeight + 24);
        const CGRect swatch{sx, sy, swatchWidth, swatchHeight};
        c.setFillColor(catalog->color(colours[i].name));
        c.fill(CGPath::roundedRect(swatch, 4));
        c.setStrokeColor(CGColor::gray(1, 0.18));
        c.setLineWidth(1);
        c.stroke(CGPath::roundedRect(swatch.insetBy(0.5, 0.5), 4));
        c.drawText(label(colours[i].name), {sx, sy + swatchHeight + 5, swatchWidth + gap, 14});
    }

    const std::filesystem::path dir = std::filesystem::path(VZ_BINARY_DIR) / "snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    auto sheet = c.makeImage();
    ASSERT_TRUE(sheet->writePNG((dir / "orrindle-assets.png").string(), &error)) << error;
    EXPECT_EQ(c.displayList().imageNames().size(), 52u);
    EXPECT_EQ(items.size(), 52u);
}

}  // namespace
