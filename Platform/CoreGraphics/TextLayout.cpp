#include "CoreGraphics/TextLayout.hpp"

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "CoreGraphics/TextEngine.hpp"

namespace CoreGraphics {

namespace {
struct Measured {
    CGRect logical, ink;
    CGFloat baseline;
    bool ellipsized;
};

// What decides a layout's geometry: the runs' text and fonts (not their colours), the
// paragraph style and the width the layout is given.
struct MeasureKey {
    std::vector<std::pair<std::string, Font>> runs;
    ParagraphStyle paragraph;
    int layoutWidth;
    friend bool operator==(const MeasureKey&, const MeasureKey&) = default;
};

struct MeasureKeyHash {
    std::size_t operator()(const MeasureKey& k) const {
        std::size_t h = std::hash<int>()(k.layoutWidth);
        auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
        mix(std::size_t(k.paragraph.alignment) * 8 + std::size_t(k.paragraph.lineBreakMode));
        for (const auto& [text, font] : k.runs) {
            mix(std::hash<std::string>()(text));
            mix(std::hash<std::string>()(font.name));
            mix(std::hash<double>()(font.size));
            mix(std::size_t(font.weight) * 2 + std::size_t(font.monospacedDigits));
        }
        return h;
    }
};

// Measurements by key, so that layout passes (which ask for the same strings again and
// again, frame after frame) shape each text once. Two generations bound it: when the newer
// fills, it becomes the older and the older is dropped; a hit in the older moves back.
// Guarded by the text engine's lock; emptied when the fonts change.
class MeasureCache {
public:
    static constexpr std::size_t generationSize = 2048;

    const Measured* find(const MeasureKey& key) {
        sync();
        if (auto it = newer_.find(key); it != newer_.end()) return &it->second;
        if (auto it = older_.find(key); it != older_.end()) return &insert(key, it->second);
        return nullptr;
    }
    const Measured& insert(const MeasureKey& key, const Measured& m) {
        sync();
        if (newer_.size() >= generationSize) {
            older_ = std::move(newer_);
            newer_.clear();
        }
        return newer_.insert_or_assign(key, m).first->second;
    }

private:
    void sync() {
        if (auto g = TextEngine::fontGeneration(); g != generation_) {
            newer_.clear();
            older_.clear();
            generation_ = g;
        }
    }
    std::unordered_map<MeasureKey, Measured, MeasureKeyHash> newer_, older_;
    unsigned long generation_ = 0;
};

MeasureCache& cache() {
    static MeasureCache c;
    return c;
}

// The text's geometry laid out for `width`, before any alignment inside a box.
const Measured& layoutGeometry(const AttributedText& text, CGFloat width) {
    MeasureKey key{{}, text.paragraph, TextEngine::layoutWidth(text, width)};
    key.runs.reserve(text.runs.size());
    for (const auto& r : text.runs) key.runs.emplace_back(r.text, r.font);
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
    return cache().insert(key, m);
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

}  // namespace CoreGraphics
