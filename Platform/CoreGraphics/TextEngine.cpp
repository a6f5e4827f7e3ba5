#include "CoreGraphics/TextEngine.hpp"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "CoreGraphics/FontRegistry.hpp"
#include "CoreGraphics/RecentCache.hpp"

namespace CoreGraphics {

namespace {
PangoFontMap* fontMap() {
    static PangoFontMap* map = pango_cairo_font_map_new();
    return map;
}

// Metrics are unhinted and glyph positions unrounded, so a layout measures the same at
// every scale it is later drawn at.
PangoContext* context() {
    static PangoContext* ctx = [] {
        PangoContext* c = pango_font_map_create_context(fontMap());
        cairo_font_options_t* opts = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(c, opts);
        cairo_font_options_destroy(opts);
        pango_context_set_round_glyph_positions(c, FALSE);
        return c;
    }();
    return ctx;
}

PangoWeight systemWeight(FontWeight w) {
    switch (w) {
        case FontWeight::ultraLight: return PANGO_WEIGHT_ULTRALIGHT;
        case FontWeight::thin: return PANGO_WEIGHT_THIN;
        case FontWeight::light: return PANGO_WEIGHT_LIGHT;
        case FontWeight::regular: return PANGO_WEIGHT_NORMAL;
        case FontWeight::medium: return PANGO_WEIGHT_MEDIUM;
        case FontWeight::semibold: return PANGO_WEIGHT_SEMIBOLD;
        case FontWeight::bold: return PANGO_WEIGHT_BOLD;
        case FontWeight::heavy: return PANGO_WEIGHT_HEAVY;
        case FontWeight::black: return PANGO_WEIGHT_ULTRAHEAVY;
    }
    return PANGO_WEIGHT_NORMAL;
}

// Resolved faces by request (name and weight), without size: resolving goes through
// fontconfig's lists, far too slow to repeat for every measured string.
std::map<std::pair<std::string, int>, PangoFontDescription*>& faceCache() {
    static std::map<std::pair<std::string, int>, PangoFontDescription*> cache;
    return cache;
}

guint16 channel(double v) { return guint16(std::clamp(v, 0.0, 1.0) * 65535 + 0.5); }

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Byte ranges of the addresses in `s`: each run of non-space characters with a "scheme://" in
// it, brackets and punctuation around the address included.
std::vector<std::pair<std::size_t, std::size_t>> addresses(const std::string& s) {
    std::vector<std::pair<std::size_t, std::size_t>> found;
    for (std::size_t at = s.find("://"); at != std::string::npos; at = s.find("://", at + 3)) {
        const char last = at > 0 ? s[at - 1] : ' ';
        if (!((last >= 'a' && last <= 'z') || (last >= 'A' && last <= 'Z') || (last >= '0' && last <= '9'))) continue;
        std::size_t start = at, end = at + 3;
        while (start > 0 && !isSpace(s[start - 1])) --start;
        while (end < s.size() && !isSpace(s[end])) ++end;
        found.emplace_back(start, end);
        at = end - 3;
    }
    return found;
}
}  // namespace

std::recursive_mutex& TextEngine::lock() {
    static std::recursive_mutex m;
    return m;
}

namespace {
unsigned long generation = 0;  // under TextEngine::lock()

// Holds one reference to a layout.
class LayoutRef {
public:
    explicit LayoutRef(PangoLayout* layout) : layout_(layout) {}
    LayoutRef(LayoutRef&& other) noexcept : layout_(std::exchange(other.layout_, nullptr)) {}
    LayoutRef& operator=(LayoutRef&& other) noexcept {
        std::swap(layout_, other.layout_);
        return *this;
    }
    ~LayoutRef() {
        if (layout_) g_object_unref(layout_);
    }
    PangoLayout* get() const { return layout_; }

private:
    PangoLayout* layout_;
};

// Under TextEngine::lock(); emptied when the fonts change. Never destroyed: text may be
// drawn by objects that die at exit.
RecentCache<TextEngine::LayoutKey, LayoutRef, TextEngine::LayoutKeyHash>& sharedLayouts() {
    static auto* cache = new RecentCache<TextEngine::LayoutKey, LayoutRef, TextEngine::LayoutKeyHash>(512);
    return *cache;
}
}  // namespace

std::size_t TextEngine::LayoutKeyHash::operator()(const LayoutKey& k) const {
    std::size_t h = std::hash<int>()(k.layoutWidth);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
    mix(std::size_t(k.text.paragraph.alignment) * 8 + std::size_t(k.text.paragraph.lineBreakMode));
    for (const auto& run : k.text.runs) {
        mix(std::hash<std::string>()(run.text));
        mix(std::hash<std::string>()(run.font.name));
        mix(std::hash<double>()(run.font.size));
    }
    return h;
}

PangoLayout* TextEngine::sharedLayout(const AttributedText& text, double width) {
    std::lock_guard g(lock());
    LayoutKey key{text, layoutWidth(text, width)};
    LayoutRef* entry = sharedLayouts().find(key);
    if (!entry) entry = &sharedLayouts().insert(std::move(key), LayoutRef(makeLayout(text, width)));
    return PANGO_LAYOUT(g_object_ref(entry->get()));
}

unsigned long TextEngine::fontGeneration() {
    std::lock_guard g(lock());
    return generation;
}

int TextEngine::layoutWidth(const AttributedText& text, double width) {
    if (!(width > 0) || text.paragraph.lineBreakMode == LineBreakMode::byClipping) return -1;
    // Pango widths are ints of 1/1024 pt: keep absurd boxes representable.
    return int(std::min(width, 1e6) * PANGO_SCALE);
}

void TextEngine::fontsChanged() {
    std::lock_guard g(lock());
    ++generation;
    sharedLayouts().clear();
    for (auto& [key, d] : faceCache()) pango_font_description_free(d);
    faceCache().clear();
    pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(fontMap()));
    pango_context_changed(context());
}

PangoFontDescription* TextEngine::describe(const Font& font) {
    std::lock_guard g(lock());
    auto key = std::pair{font.name, font.isSystem() ? int(font.weight) + (font.rounded ? 100 : 0) : 0};
    auto& slot = faceCache()[key];
    if (!slot) slot = describeFace(font);
    PangoFontDescription* d = pango_font_description_copy(slot);
    pango_font_description_set_absolute_size(d, std::max(1.0, font.size) * PANGO_SCALE);
    return d;
}

PangoFontDescription* TextEngine::describeFace(const Font& font) {
    auto face = FontRegistry::resolve(font);
    PangoFontDescription* d = nullptr;
    if (!face.style.empty()) {
        // Weight and slant as fontconfig reads them from the face's style name.
        FcPattern* p = FcPatternCreate();
        FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.family.c_str()));
        FcPatternAddString(p, FC_STYLE, reinterpret_cast<const FcChar8*>(face.style.c_str()));
        FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_WEIGHT, FC_SLANT, FC_WIDTH, nullptr);
        FcFontSet* fs = FcFontList(nullptr, p, os);
        if (fs && fs->nfont > 0) d = pango_fc_font_description_from_pattern(fs->fonts[0], FALSE);
        if (fs) FcFontSetDestroy(fs);
        FcObjectSetDestroy(os);
        FcPatternDestroy(p);
    }
    if (!d) {
        d = pango_font_description_new();
        pango_font_description_set_family(d, face.family.c_str());
        if (font.isSystem()) pango_font_description_set_weight(d, systemWeight(font.weight));
    }
    return d;
}

PangoLayout* TextEngine::makeLayout(const AttributedText& text, double width) {
    std::lock_guard g(lock());
    PangoLayout* layout = pango_layout_new(context());
    std::string s = text.string();
    pango_layout_set_text(layout, s.c_str(), int(s.size()));

    PangoAttrList* attrs = pango_attr_list_new();
    guint start = 0;
    for (auto& run : text.runs) {
        guint end = start + guint(run.text.size());
        auto add = [&](PangoAttribute* a) {
            a->start_index = start;
            a->end_index = end;
            pango_attr_list_insert(attrs, a);
        };
        PangoFontDescription* d = describe(run.font);
        add(pango_attr_font_desc_new(d));
        pango_font_description_free(d);
        auto c = run.color.displayColor();
        add(pango_attr_foreground_new(channel(c.r), channel(c.g), channel(c.b)));
        // Pango reads an alpha of 0 as "not set", which draws opaque: the least it takes is
        // still invisible once drawn.
        add(pango_attr_foreground_alpha_new(std::max<guint16>(1, channel(c.a))));
        if (run.background) {
            auto b = run.background->displayColor();
            add(pango_attr_background_new(channel(b.r), channel(b.g), channel(b.b)));
            add(pango_attr_background_alpha_new(std::max<guint16>(1, channel(b.a))));
        }
        start = end;
    }
    // An address broken over two lines can be neither read nor copied: wrapped text breaks
    // only before or after one (a longer one than the line overflows it).
    if (text.paragraph.lineBreakMode == LineBreakMode::byWordWrapping)
        for (auto [from, to] : addresses(s)) {
            PangoAttribute* a = pango_attr_allow_breaks_new(FALSE);
            a->start_index = guint(from);
            a->end_index = guint(to);
            pango_attr_list_insert(attrs, a);
        }
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
    if (!text.runs.empty()) {
        // Line height of an empty text follows its font.
        PangoFontDescription* d = describe(text.runs.front().font);
        pango_layout_set_font_description(layout, d);
        pango_font_description_free(d);
    }

    const auto& p = text.paragraph;
    switch (p.alignment) {
        case TextAlignment::center: pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER); break;
        case TextAlignment::right: pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT); break;
        case TextAlignment::justified: pango_layout_set_justify(layout, TRUE); break;
        default: pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT); break;
    }
    if (int w = layoutWidth(text, width); w >= 0) {
        pango_layout_set_width(layout, w);
        switch (p.lineBreakMode) {
            case LineBreakMode::byWordWrapping: pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR); break;
            case LineBreakMode::byCharWrapping: pango_layout_set_wrap(layout, PANGO_WRAP_CHAR); break;
            case LineBreakMode::byClipping: break;
            case LineBreakMode::byTruncatingHead:
            case LineBreakMode::byTruncatingMiddle:
            case LineBreakMode::byTruncatingTail:
                pango_layout_set_height(layout, -1);
                pango_layout_set_ellipsize(layout, p.lineBreakMode == LineBreakMode::byTruncatingHead     ? PANGO_ELLIPSIZE_START
                                                   : p.lineBreakMode == LineBreakMode::byTruncatingMiddle ? PANGO_ELLIPSIZE_MIDDLE
                                                                                                          : PANGO_ELLIPSIZE_END);
                break;
        }
    }
    return layout;
}

double TextEngine::alignmentOffset(PangoLayout* layout, const AttributedText& text, double boxWidth) {
    const int layoutWidth = pango_layout_get_width(layout);
    if (layoutWidth > 0 || boxWidth <= 0) return 0;
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return alignmentOffset(text.paragraph.alignment, layoutWidth, double(logical.width) / PANGO_SCALE, boxWidth);
}

double TextEngine::alignmentOffset(TextAlignment alignment, int layoutWidth, double logicalWidth, double boxWidth) {
    if (layoutWidth > 0 || boxWidth <= 0) return 0;
    switch (alignment) {
        case TextAlignment::center: return (boxWidth - logicalWidth) / 2;
        case TextAlignment::right: return boxWidth - logicalWidth;
        default: return 0;
    }
}

}  // namespace CoreGraphics
