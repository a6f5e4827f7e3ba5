#include "CoreGraphics/TextLayout.hpp"

#include "CoreGraphics/TextEngine.hpp"

namespace CoreGraphics {

namespace {
struct Measured {
    CGRect logical, ink;
    CGFloat baseline;
    bool ellipsized;
};

Measured measure(const AttributedText& text, CGFloat width, CGFloat boxWidth) {
    std::lock_guard g(TextEngine::lock());
    PangoLayout* layout = TextEngine::makeLayout(text, width);
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    double dx = TextEngine::alignmentOffset(layout, text, boxWidth);
    auto rect = [dx](const PangoRectangle& r) {
        return CGRect{double(r.x) / PANGO_SCALE + dx, double(r.y) / PANGO_SCALE, double(r.width) / PANGO_SCALE,
                      double(r.height) / PANGO_SCALE};
    };
    Measured m{rect(logical), rect(ink), double(pango_layout_get_baseline(layout)) / PANGO_SCALE,
               bool(pango_layout_is_ellipsized(layout))};
    g_object_unref(layout);
    return m;
}
}  // namespace

CGSize TextLayout::size(const AttributedText& text, CGFloat maxWidth) {
    auto m = measure(text, maxWidth, 0);
    // The logical box starts at x 0 for unbounded text; aligned lines inside a set width
    // may start further right, but the size is the width the lines need.
    return {m.logical.width(), m.logical.height()};
}

CGRect TextLayout::boundingRect(const AttributedText& text, const CGRect& box) {
    auto m = measure(text, box.width(), box.width());
    return m.logical.offsetBy(box.minX(), box.minY());
}

CGRect TextLayout::inkRect(const AttributedText& text, const CGRect& box) {
    auto m = measure(text, box.width(), box.width());
    return m.ink.offsetBy(box.minX(), box.minY());
}

CGFloat TextLayout::firstBaseline(const AttributedText& text, CGFloat maxWidth) { return measure(text, maxWidth, 0).baseline; }

FontMetrics TextLayout::metrics(const Font& font) {
    auto m = measure(AttributedText("Xg", font), 0, 0);
    return {m.baseline, m.logical.height() - m.baseline, m.logical.height()};
}

bool TextLayout::isTruncated(const AttributedText& text, CGFloat maxWidth) { return measure(text, maxWidth, 0).ellipsized; }

}  // namespace CoreGraphics
