#include "CoreGraphics/TextLayout.hpp"

#include <utility>

#include "CoreGraphics/RecentCache.hpp"
#include "CoreGraphics/TextEngine.hpp"

namespace CoreGraphics {

namespace {
struct Measured {
    CGRect logical, ink;
    CGFloat baseline;
    bool ellipsized;
};

// Measurements by what decides a layout's geometry (text, fonts, paragraph style, width; not
// colours). Layout passes ask for the same strings again and again, frame after frame: each is
// shaped once. Guarded by the text engine's lock; emptied when the fonts change.
class MeasureCache {
public:
    const Measured* find(const TextEngine::LayoutKey& key) {
        sync();
        return entries_.find(key);
    }
    const Measured& insert(TextEngine::LayoutKey key, const Measured& m) { return entries_.insert(std::move(key), m); }

private:
    void sync() {
        if (auto g = TextEngine::fontGeneration(); g != generation_) {
            entries_.clear();
            generation_ = g;
        }
    }
    RecentCache<TextEngine::LayoutKey, Measured, TextEngine::LayoutKeyHash> entries_{2048};
    unsigned long generation_ = 0;
};

MeasureCache& cache() {
    static auto* c = new MeasureCache;  // never destroyed: text may be measured at exit
    return *c;
}

// The text's geometry laid out for `width`, before any alignment inside a box.
const Measured& layoutGeometry(const AttributedText& text, CGFloat width) {
    // Colours do not move a glyph: texts that differ only in them share a measurement.
    TextEngine::LayoutKey key{text, TextEngine::layoutWidth(text, width)};
    for (auto& r : key.text.runs) {
        r.color = CGColor::black();
        r.background.reset();
    }
    if (const Measured* m = cache().find(key)) return *m;
    PangoLayout* layout = TextEngine::makeLayout(text, width);
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    auto rect = [](const PangoRectangle& r) {
        return CGRect{double(r.x) / PANGO_SCALE, double(r.y) / PANGO_SCALE, double(r.width) / PANGO_SCALE,
                      double(r.height) / PANGO_SCALE};
    };
    Measured m{rect(logical), rect(ink), double(pango_layout_get_baseline(layout)) / PANGO_SCALE,
               bool(pango_layout_is_ellipsized(layout))};
    g_object_unref(layout);
    return cache().insert(std::move(key), m);
}

Measured measure(const AttributedText& text, CGFloat width, CGFloat boxWidth) {
    std::lock_guard g(TextEngine::lock());
    Measured m = layoutGeometry(text, width);
    const double dx = TextEngine::alignmentOffset(text.paragraph.alignment, TextEngine::layoutWidth(text, width),
                                                  m.logical.width(), boxWidth);
    m.logical = m.logical.offsetBy(dx, 0);
    m.ink = m.ink.offsetBy(dx, 0);
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

std::vector<std::string> TextLayout::lines(const AttributedText& text, CGFloat maxWidth) {
    std::lock_guard g(TextEngine::lock());
    PangoLayout* layout = TextEngine::sharedLayout(text, maxWidth);
    const std::string s = pango_layout_get_text(layout);
    std::vector<std::string> out;
    for (GSList* l = pango_layout_get_lines_readonly(layout); l; l = l->next) {
        const auto* line = static_cast<PangoLayoutLine*>(l->data);
        out.push_back(s.substr(std::size_t(line->start_index), std::size_t(line->length)));
    }
    g_object_unref(layout);
    return out;
}

}  // namespace CoreGraphics
