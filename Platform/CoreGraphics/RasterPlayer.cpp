#include "CoreGraphics/RasterPlayer.hpp"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "CoreGraphics/SliceSpans.hpp"
#include "CoreGraphics/TextEngine.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace CoreGraphics {

namespace {

cairo_operator_t cairoOperator(CompositingOperation op) {
    switch (op) {
        case CompositingOperation::clear: return CAIRO_OPERATOR_CLEAR;
        case CompositingOperation::copy: return CAIRO_OPERATOR_SOURCE;
        case CompositingOperation::sourceOver: return CAIRO_OPERATOR_OVER;
        case CompositingOperation::sourceIn: return CAIRO_OPERATOR_IN;
        case CompositingOperation::sourceOut: return CAIRO_OPERATOR_OUT;
        case CompositingOperation::sourceAtop: return CAIRO_OPERATOR_ATOP;
        case CompositingOperation::destinationOver: return CAIRO_OPERATOR_DEST_OVER;
        case CompositingOperation::destinationIn: return CAIRO_OPERATOR_DEST_IN;
        case CompositingOperation::destinationOut: return CAIRO_OPERATOR_DEST_OUT;
        case CompositingOperation::destinationAtop: return CAIRO_OPERATOR_DEST_ATOP;
        case CompositingOperation::xor_: return CAIRO_OPERATOR_XOR;
        case CompositingOperation::plusLighter: return CAIRO_OPERATOR_ADD;
    }
    return CAIRO_OPERATOR_OVER;
}

void setMatrix(cairo_t* cr, const CGAffineTransform& t) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_set_matrix(cr, &m);
}

bool invertible(const CGAffineTransform& t) {
    double det = t.a * t.d - t.b * t.c;
    return std::isfinite(det) && det != 0 && std::isfinite(t.tx) && std::isfinite(t.ty);
}

void addPath(cairo_t* cr, const CGPath& path) {
    cairo_new_path(cr);
    CGPoint cur{};
    for (auto& e : path.elements()) {
        const auto* p = e.points;
        switch (e.type) {
            case CGPath::ElementType::moveToPoint: cairo_move_to(cr, p[0].x, p[0].y), cur = p[0]; break;
            case CGPath::ElementType::addLineToPoint: cairo_line_to(cr, p[0].x, p[0].y), cur = p[0]; break;
            case CGPath::ElementType::addQuadCurveToPoint: {
                CGPoint c1{cur.x + 2.0 / 3 * (p[0].x - cur.x), cur.y + 2.0 / 3 * (p[0].y - cur.y)};
                CGPoint c2{p[1].x + 2.0 / 3 * (p[0].x - p[1].x), p[1].y + 2.0 / 3 * (p[0].y - p[1].y)};
                cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, p[1].x, p[1].y);
                cur = p[1];
                break;
            }
            case CGPath::ElementType::addCurveToPoint:
                cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y), cur = p[2];
                break;
            case CGPath::ElementType::closeSubpath: cairo_close_path(cr); break;
        }
    }
}

void setColor(cairo_t* cr, const CGColor& c, double alpha) {
    auto d = c.displayColor();
    cairo_set_source_rgba(cr, d.r, d.g, d.b, d.a * alpha);
}

// Operators whose effect reaches outside the drawn shape in cairo; the platform limits
// every operation to the shape, so these go through a clip of the shape.
bool unbounded(CompositingOperation op) {
    return op == CompositingOperation::sourceIn || op == CompositingOperation::sourceOut ||
           op == CompositingOperation::destinationIn || op == CompositingOperation::destinationAtop;
}

// How far a layer's shadow lies from what the layer paints, in device pixels: the radius of
// each of its blur's three box passes, and its offset.
struct ShadowReach {
    int radius = 0;
    double dx = 0, dy = 0;
    // What the blur reads around `painted` (as far as a sample can carry, plus rounding) and
    // where the shadow falls.
    double margin() const { return 3.0 * radius + 2; }
    CGRect around(const CGRect& painted) const {
        const CGRect read = painted.insetBy(-margin(), -margin());
        return read.unionWith(read.offsetBy(dx, dy));
    }
};

ShadowReach shadowReach(const Shadow& sh, const CGAffineTransform& m) {
    const double scale = std::sqrt(std::abs(m.a * m.d - m.b * m.c));
    return {int(std::lround(std::clamp(sh.blur * scale / 2, 0.0, 200.0) / 1.73)), m.a * sh.offset.width + m.c * sh.offset.height,
            m.b * sh.offset.width + m.d * sh.offset.height};
}

// What the transparency layers of a list paint, in device pixels: each layer's own operations
// (empty when they paint nothing, none when they cannot be bounded), in the order the layers
// begin, and what each layer in no other may change, its shadow included.
struct LayerPixels {
    std::vector<std::optional<CGRect>> contents;
    std::vector<RasterPlayer::LayerSpan> outermost;
};

LayerPixels layerPixels(const DisplayList& list, const CGAffineTransform& base) {
    LayerPixels result;
    auto add = [](std::optional<CGRect>& into, const std::optional<CGRect>& r) {
        if (!into) return;
        if (!r || !std::isfinite(r->minX()) || !std::isfinite(r->minY()) || !std::isfinite(r->maxX()) ||
            !std::isfinite(r->maxY()))
            into.reset();
        else if (!r->isEmpty())
            into = into->unionWith(*r);
    };
    // With its shadow, a layer paints what its operations paint and where the shadow falls.
    auto withShadow = [&](std::optional<CGRect> painted, const Op::BeginLayer& layer) {
        if (painted && !painted->isEmpty() && layer.shadow)
            painted = painted->unionWith(shadowReach(*layer.shadow, layer.transform.concatenating(base)).around(*painted));
        return painted;
    };
    std::vector<std::pair<std::size_t, const Op::BeginLayer*>> open;
    for (std::size_t i = 0; i < list.ops.size(); ++i) {
        const DisplayOp& op = list.ops[i];
        if (const auto* begin = std::get_if<Op::BeginLayer>(&op)) {
            if (open.empty()) result.outermost.push_back({i, list.ops.size(), std::nullopt});
            open.emplace_back(result.contents.size(), begin);
            result.contents.emplace_back(CGRect{});
        } else if (std::holds_alternative<Op::EndLayer>(op)) {
            if (open.empty()) continue;
            const auto [index, layer] = open.back();
            open.pop_back();
            if (open.empty()) {
                result.outermost.back().end = i + 1;
                result.outermost.back().pixels = withShadow(result.contents[index], *layer);
            } else {
                add(result.contents[open.back().first], withShadow(result.contents[index], *layer));
            }
        } else if (!open.empty()) {
            add(result.contents[open.back().first], RasterPlayer::paintedPixels(op, base));
        }
    }
    // One never ended is ended at the list's end.
    while (!open.empty()) {
        const auto [index, layer] = open.back();
        open.pop_back();
        auto painted = withShadow(result.contents[index], *layer);
        if (open.empty()) result.outermost.back().pixels = painted;
        else add(result.contents[open.back().first], painted);
    }
    return result;
}

class Player {
public:
    Player(cairo_t* cr, CGAffineTransform base, std::vector<std::optional<CGRect>> layerBounds = {})
        : cr_(cr), base_(base), layerBounds_(std::move(layerBounds)) {}

    void operator()(const Op::Save&) {
        cairo_save(cr_);
        ++depth_;
    }
    void operator()(const Op::Restore&) {
        if (depth_ == 0) return;
        cairo_restore(cr_);
        --depth_;
    }
    void operator()(const Op::Clip& o) {
        auto m = o.transform.concatenating(base_);
        if (!invertible(m)) {
            cairo_reset_clip(cr_);
            cairo_identity_matrix(cr_);
            cairo_rectangle(cr_, 0, 0, 0, 0);
            cairo_clip(cr_);
            return;
        }
        setMatrix(cr_, m);
        addPath(cr_, o.path);
        cairo_set_fill_rule(cr_, o.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr_);
    }
    void operator()(const Op::Fill& o) {
        if (!begin(o.state)) return;
        addPath(cr_, o.path);
        cairo_set_fill_rule(cr_, o.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr_);
        setColor(cr_, o.color, o.state.alpha);
        cairo_paint(cr_);
        end();
    }
    void operator()(const Op::Gradient& o) {
        if (o.stops.empty() || !begin(o.state)) return;
        addPath(cr_, o.path);
        cairo_clip(cr_);
        cairo_pattern_t* p = o.radius > 0 ? cairo_pattern_create_radial(o.start.x, o.start.y, 0, o.start.x, o.start.y, o.radius)
                                          : cairo_pattern_create_linear(o.start.x, o.start.y, o.end.x, o.end.y);
        for (auto& s : o.stops) {
            auto d = s.color.displayColor();
            cairo_pattern_add_color_stop_rgba(p, s.location, d.r, d.g, d.b, d.a);
        }
        cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
        cairo_set_source(cr_, p);
        cairo_paint_with_alpha(cr_, o.state.alpha);
        cairo_pattern_destroy(p);
        end();
    }
    void operator()(const Op::Stroke& o) {
        if (!begin(o.state, false)) return;
        addPath(cr_, o.path);
        cairo_set_line_width(cr_, o.lineWidth);
        cairo_set_line_cap(cr_, o.cap == LineCap::round    ? CAIRO_LINE_CAP_ROUND
                                : o.cap == LineCap::square ? CAIRO_LINE_CAP_SQUARE
                                                           : CAIRO_LINE_CAP_BUTT);
        cairo_set_line_join(cr_, o.join == LineJoin::round   ? CAIRO_LINE_JOIN_ROUND
                                 : o.join == LineJoin::bevel ? CAIRO_LINE_JOIN_BEVEL
                                                             : CAIRO_LINE_JOIN_MITER);
        cairo_set_miter_limit(cr_, o.miterLimit);
        cairo_set_dash(cr_, o.dash.data(), int(o.dash.size()), 0);
        if (unbounded(o.state.operation)) {
            // Stroke coverage as a group, applied within the stroke's extents only.
            double x0, y0, x1, y1;
            cairo_stroke_extents(cr_, &x0, &y0, &x1, &y1);
            cairo_push_group(cr_);
            cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
            setColor(cr_, o.color, o.state.alpha);
            cairo_stroke(cr_);
            cairo_pop_group_to_source(cr_);
            cairo_set_operator(cr_, cairoOperator(o.state.operation));
            cairo_rectangle(cr_, x0, y0, x1 - x0, y1 - y0);
            cairo_clip(cr_);
            cairo_paint(cr_);
        } else {
            setColor(cr_, o.color, o.state.alpha);
            cairo_stroke(cr_);
        }
        end();
    }
    void operator()(const Op::Image& o) {
        if (!o.image || o.image->isEmpty() || o.destination.isEmpty()) return;
        CGAffineTransform m = o.state.transform.concatenating(base_);
        double deviceScale = std::sqrt(std::abs(m.a * m.d - m.b * m.c));
        auto bitmap = o.image->bestBitmap(deviceScale);
        if (!bitmap || bitmap->width() == 0 || !begin(o.state)) return;
        CGSize pts = o.image->size();
        CGRect src = o.source.isEmpty() ? CGRect{0, 0, pts.width, pts.height} : o.source.standardized();
        CGRect dst = o.destination.standardized();
        // Upright unless drawn into a y-down space without respecting it.
        bool userYDown = m.a * m.d - m.b * m.c > 0;
        bool topAtMinY = userYDown && o.respectFlipped;
        cairo_surface_t* s = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(bitmap->data())), CAIRO_FORMAT_ARGB32,
            bitmap->width(), bitmap->height(), bitmap->stride());
        const double alpha = o.fraction * o.state.alpha;
        const double px = bitmap->width() / pts.width, py = bitmap->height() / pts.height;
        auto paint = [&](const CGRect& from, const CGRect& to) {
            double kx = from.width() / to.width() * px, ky = from.height() / to.height() * py;
            cairo_matrix_t pm;
            if (topAtMinY)
                cairo_matrix_init(&pm, kx, 0, 0, ky, from.minX() * px - to.minX() * kx, from.minY() * py - to.minY() * ky);
            else
                cairo_matrix_init(&pm, kx, 0, 0, -ky, from.minX() * px - to.minX() * kx, from.minY() * py + to.maxY() * ky);
            cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
            cairo_pattern_set_matrix(p, &pm);
            cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
            cairo_pattern_set_filter(p, CAIRO_FILTER_GOOD);
            cairo_save(cr_);
            cairo_rectangle(cr_, to.minX(), to.minY(), to.width(), to.height());
            cairo_clip(cr_);
            if (o.image->isTemplate() && o.tint) {
                setColor(cr_, *o.tint, alpha);
                cairo_mask(cr_, p);
            } else {
                cairo_set_source(cr_, p);
                cairo_paint_with_alpha(cr_, alpha);
            }
            cairo_restore(cr_);
            cairo_pattern_destroy(p);
        };
        const auto& slicing = o.image->slicing();
        if (slicing && o.source.isEmpty() && dst.size != pts) {
            // A sliced catalogue image keeps its caps and stretches its middle, as the platform
            // draws one; the inner edges fall on device pixels where nothing turns.
            const bool straight = m.b == 0 && m.c == 0 && m.a != 0 && m.d != 0;
            const auto snapX = [&](CGFloat x) { return straight ? (std::round(m.a * x + m.tx) - m.tx) / m.a : x; };
            const auto snapY = [&](CGFloat y) { return straight ? (std::round(m.d * y + m.ty) - m.ty) / m.d : y; };
            for (const auto& row : sliceSpans(slicing->vertical, pts.height, slicing->top, slicing->bottom, dst.minY(), dst.height(), snapY))
                for (const auto& col : sliceSpans(slicing->horizontal, pts.width, slicing->left, slicing->right, dst.minX(), dst.width(), snapX)) {
                    // Drawn upside down, the image's top row is at the destination's far end.
                    const CGFloat y = topAtMinY ? row.dst : dst.minY() + dst.maxY() - row.dst - row.dstLength;
                    paint({col.src, row.src, col.srcLength, row.srcLength}, {col.dst, y, col.dstLength, row.dstLength});
                }
        } else {
            paint(src, dst);
        }
        cairo_surface_destroy(s);
        end();
    }
    void operator()(const Op::Text& o) {
        if (o.text.isEmpty() || !begin(o.state, false)) return;
        CGAffineTransform m = o.state.transform.concatenating(base_);
        const CGRect& box = o.box;
        if (m.a * m.d - m.b * m.c < 0) {
            // A y-up space: lay the text out y-down inside the same box.
            cairo_translate(cr_, 0, box.minY() + box.maxY());
            cairo_scale(cr_, 1, -1);
        }
        std::lock_guard g(TextEngine::lock());
        PangoLayout* layout = TextEngine::sharedLayout(o.text, box.width());
        double dx = TextEngine::alignmentOffset(layout, o.text, box.width());
        if (o.text.paragraph.lineBreakMode == LineBreakMode::byClipping && box.width() > 0 && box.height() > 0) {
            cairo_rectangle(cr_, box.minX(), box.minY(), box.width(), box.height());
            cairo_clip(cr_);
        }
        bool group = o.state.alpha < 1 || o.state.operation != CompositingOperation::sourceOver;
        if (group) cairo_push_group(cr_);
        cairo_move_to(cr_, box.minX() + dx, box.minY());
        pango_cairo_show_layout(cr_, layout);
        if (group) {
            cairo_pop_group_to_source(cr_);
            cairo_set_operator(cr_, cairoOperator(o.state.operation));
            if (unbounded(o.state.operation)) {
                PangoRectangle ink;
                pango_layout_get_extents(layout, &ink, nullptr);
                cairo_rectangle(cr_, box.minX() + dx + double(ink.x) / PANGO_SCALE, box.minY() + double(ink.y) / PANGO_SCALE,
                                double(ink.width) / PANGO_SCALE, double(ink.height) / PANGO_SCALE);
                cairo_clip(cr_);
            }
            cairo_paint_with_alpha(cr_, o.state.alpha);
        }
        g_object_unref(layout);
        end();
    }
    void operator()(const Op::BeginLayer& o) {
        // Groups are placed in device space: the shadow below works on their pixels.
        cairo_identity_matrix(cr_);
        Layer layer{o, depth_, {}, false};
        // Where a group the size of the whole would be: its edges are where its shadow's blur
        // stops.
        double x0, y0, x1, y1;
        cairo_clip_extents(cr_, &x0, &y0, &x1, &y1);
        layer.whole = CGRect{x0, y0, x1 - x0, y1 - y0}.integral();
        const std::size_t index = nextLayer_++;
        if (index < layerBounds_.size() && layerBounds_[index]) {
            // A group only as large as what it holds: filling, compositing and shadowing a
            // group of the whole picture is most of a frame's work. The margin keeps cairo's
            // clamping at the group's edges away from what is drawn; the clip holds all of it,
            // so cairo composites as without one.
            CGRect r = layerBounds_[index]->insetBy(-4, -4).integral().intersection(layer.whole);
            if (r.isEmpty()) r = {layer.whole.minX(), layer.whole.minY(), 0, 0};
            cairo_save(cr_);
            cairo_rectangle(cr_, r.minX(), r.minY(), r.width(), r.height());
            cairo_clip(cr_);
            layer.bounded = true;
        }
        cairo_push_group(cr_);
        layers_.push_back(layer);
    }
    void operator()(const Op::EndLayer&) {
        if (layers_.empty()) return;
        Layer layer = layers_.back();
        layers_.pop_back();
        while (depth_ > layer.depth) (*this)(Op::Restore{});
        cairo_identity_matrix(cr_);
        cairo_pattern_t* picture = cairo_pop_group(cr_);
        if (layer.bounded) cairo_restore(cr_);
        if (layer.begin.shadow)
            drawShadow(picture, *layer.begin.shadow, layer.begin.transform.concatenating(base_), layer.begin.alpha, layer.whole);
        cairo_set_source(cr_, picture);
        cairo_paint_with_alpha(cr_, layer.begin.alpha);
        cairo_pattern_destroy(picture);
    }
    void finish() {
        while (!layers_.empty()) (*this)(Op::EndLayer{});
    }

private:
    // Sets up one drawing operation (to be closed with end()); false, with nothing to close,
    // when it cannot show anything.
    bool begin(const DrawState& st, bool setOperator = true) {
        auto m = st.transform.concatenating(base_);
        if (!invertible(m) || !(st.alpha > 0 || st.operation == CompositingOperation::copy ||
                                st.operation == CompositingOperation::clear || unbounded(st.operation)))
            return false;
        cairo_save(cr_);
        setMatrix(cr_, m);
        if (setOperator) cairo_set_operator(cr_, cairoOperator(st.operation));
        return true;
    }
    void end() { cairo_restore(cr_); }

    // The picture's alpha, blurred (three box passes) and moved, filled with the colour. The
    // blur is the one a group the size of `whole` gives, worked out only near what is painted:
    // further away every sample is zero.
    void drawShadow(cairo_pattern_t* picture, const Shadow& sh, const CGAffineTransform& m, double alpha, const CGRect& whole) {
        cairo_surface_t* src = nullptr;
        if (cairo_pattern_get_surface(picture, &src) != CAIRO_STATUS_SUCCESS ||
            cairo_surface_get_type(src) != CAIRO_SURFACE_TYPE_IMAGE)
            return;
        cairo_surface_flush(src);
        const int w = cairo_image_surface_get_width(src), h = cairo_image_surface_get_height(src);
        if (w <= 0 || h <= 0) return;
        const unsigned char* in = cairo_image_surface_get_data(src);
        const int inStride = cairo_image_surface_get_stride(src);
        auto alphaAt = [&](int x, int y) { return reinterpret_cast<const std::uint32_t*>(in + size_t(y) * inStride)[x] >> 24; };
        // The group's pixel (x, y) is at (x - dx, y - dy) in device space.
        double dx, dy;
        cairo_surface_get_device_offset(src, &dx, &dy);
        int x0 = w, y0 = h, x1 = 0, y1 = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (alphaAt(x, y)) x0 = std::min(x0, x), x1 = std::max(x1, x + 1), y0 = std::min(y0, y), y1 = std::max(y1, y + 1);
        if (x0 >= x1) return;  // nothing casts a shadow
        const ShadowReach reach = shadowReach(sh, m);
        const CGRect area = CGRect{x0 - dx, y0 - dy, double(x1 - x0), double(y1 - y0)}
                                .insetBy(-reach.margin(), -reach.margin())
                                .intersection(whole);
        if (area.isEmpty()) return;
        const int ax = int(area.minX()), ay = int(area.minY()), aw = int(area.width()), ah = int(area.height());
        const int ox = int(std::lround(dx)), oy = int(std::lround(dy));
        std::vector<float> a(size_t(aw) * size_t(ah), 0.0f);
        for (int y = 0; y < ah; ++y)
            for (int x = 0; x < aw; ++x) {
                const int sx = ax + x + ox, sy = ay + y + oy;
                if (sx >= 0 && sx < w && sy >= 0 && sy < h) a[size_t(y) * size_t(aw) + size_t(x)] = float(alphaAt(sx, sy));
            }
        if (reach.radius > 0) blur(a, aw, ah, reach.radius);
        cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, aw, ah);
        unsigned char* out = cairo_image_surface_get_data(mask);
        const int outStride = cairo_image_surface_get_stride(mask);
        for (int y = 0; y < ah; ++y)
            for (int x = 0; x < aw; ++x)
                out[size_t(y) * size_t(outStride) + size_t(x)] =
                    (unsigned char)std::clamp(a[size_t(y) * size_t(aw) + size_t(x)] + 0.5f, 0.f, 255.f);
        cairo_surface_mark_dirty(mask);
        cairo_surface_set_device_offset(mask, -ax, -ay);
        cairo_pattern_t* mp = cairo_pattern_create_for_surface(mask);
        cairo_matrix_t pm;
        cairo_pattern_get_matrix(picture, &pm);
        cairo_matrix_translate(&pm, -reach.dx, -reach.dy);
        cairo_pattern_set_matrix(mp, &pm);
        setColor(cr_, sh.color, alpha);
        cairo_mask(cr_, mp);
        cairo_pattern_destroy(mp);
        cairo_surface_destroy(mask);
    }
    static void blur(std::vector<float>& a, int w, int h, int r) {
        auto pass = [&](int n, int m, auto at) {  // n lines of m samples
            std::vector<float> line(static_cast<size_t>(m));
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < m; ++j) line[size_t(j)] = at(i, j);
                float sum = 0;
                for (int j = -r; j <= r; ++j) sum += line[size_t(std::clamp(j, 0, m - 1))];
                for (int j = 0; j < m; ++j) {
                    at(i, j) = sum / float(2 * r + 1);
                    sum += line[size_t(std::min(j + r + 1, m - 1))] - line[size_t(std::max(j - r, 0))];
                }
            }
        };
        for (int k = 0; k < 3; ++k) {
            pass(h, w, [&](int y, int x) -> float& { return a[size_t(y) * w + x]; });
            pass(w, h, [&](int x, int y) -> float& { return a[size_t(y) * w + x]; });
        }
    }

    struct Layer {
        Op::BeginLayer begin;
        int depth = 0;
        CGRect whole;          // device pixels a group of the whole would cover
        bool bounded = false;  // drawn in a group only as large as what it holds
    };

    cairo_t* cr_;
    CGAffineTransform base_;
    std::vector<std::optional<CGRect>> layerBounds_;
    std::size_t nextLayer_ = 0;
    int depth_ = 0;
    std::vector<Layer> layers_;
};

}  // namespace

CGAffineTransform RasterPlayer::deviceTransform(CGSize size, CGFloat scale, bool flipped) {
    if (!(scale > 0)) scale = 1;
    CGAffineTransform flip = flipped ? CGAffineTransform::identity() : CGAffineTransform{1, 0, 0, -1, 0, size.height};
    return flip.concatenating(CGAffineTransform::scale(scale, scale));
}

namespace {
// Plays the list into a bitmap that holds the pixels of `area` of a larger picture.
void playInto(const DisplayList& list, CGImage& target, const CGAffineTransform& deviceFromBase, CGPoint areaOrigin) {
    if (target.width() == 0 || target.height() == 0) return;
    cairo_surface_t* s = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(target.data()),
                                                             CAIRO_FORMAT_ARGB32, target.width(), target.height(),
                                                             target.stride());
    cairo_surface_set_device_offset(s, -areaOrigin.x, -areaOrigin.y);
    cairo_t* cr = cairo_create(s);
    {
        Player player(cr, deviceFromBase, layerPixels(list, deviceFromBase).contents);
        for (auto& op : list.ops) std::visit(player, op);
        player.finish();
    }
    cairo_destroy(cr);
    cairo_surface_flush(s);
    cairo_surface_destroy(s);
}
}  // namespace

void RasterPlayer::play(const DisplayList& list, CGImage& target, const CGAffineTransform& deviceFromBase) {
    playInto(list, target, deviceFromBase, {0, 0});
}

void RasterPlayer::play(const DisplayList& list, CGImage& target, const CGAffineTransform& deviceFromBase,
                        const std::vector<CGRect>& onlyIn) {
    // Cairo's scan conversion clamps shapes at the edges of the surface it draws into (and a
    // clip changes how it composites), which can move edge pixels by a bit: each area is drawn
    // with a margin into a bitmap of its own, and only the area's pixels are kept.
    constexpr double margin = 4;
    const CGRect whole{0, 0, double(target.width()), double(target.height())};
    for (const CGRect& r : onlyIn) {
        const CGRect area = r.integral().intersection(whole);
        if (area.isEmpty()) continue;
        const CGRect drawn = area.insetBy(-margin, -margin).intersection(whole);
        CGImage part(int(drawn.width()), int(drawn.height()));
        playInto(list, part, deviceFromBase, drawn.origin);
        const int dx = int(area.minX() - drawn.minX()), dy = int(area.minY() - drawn.minY());
        for (int y = 0; y < int(area.height()); ++y)
            std::copy_n(part.data() + std::size_t(y + dy) * std::size_t(part.width()) + std::size_t(dx), std::size_t(area.width()),
                        target.data() + std::size_t(int(area.minY()) + y) * std::size_t(target.width()) + std::size_t(area.minX()));
    }
}

std::vector<RasterPlayer::LayerSpan> RasterPlayer::layerSpans(const DisplayList& list, const CGAffineTransform& deviceFromBase) {
    return layerPixels(list, deviceFromBase).outermost;
}

std::optional<CGRect> RasterPlayer::paintedPixels(const DisplayOp& op, const CGAffineTransform& deviceFromBase) {
    // Two pixels for antialiasing and image filtering at the edges.
    auto device = [&](const CGRect& user, const DrawState& st) {
        return st.transform.concatenating(deviceFromBase).apply(user).insetBy(-2, -2);
    };
    return std::visit(
        [&](const auto& o) -> std::optional<CGRect> {
            using T = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<T, Op::Fill> || std::is_same_v<T, Op::Gradient>) {
                return device(o.path.boundingBox(), o.state);
            } else if constexpr (std::is_same_v<T, Op::Stroke>) {
                // Miter joins reach out to half the width times the limit, square caps to half
                // the width times the square root of two.
                const double reach = o.lineWidth / 2 * std::max(o.miterLimit, 1.5);
                return device(o.path.boundingBox().insetBy(-reach, -reach), o.state);
            } else if constexpr (std::is_same_v<T, Op::Image>) {
                return device(o.destination.standardized(), o.state);
            } else if constexpr (std::is_same_v<T, Op::Text>) {
                // The ink may leave the box; in a y-up space it is mirrored inside the box.
                const CGRect ink = TextLayout::inkRect(o.text, o.box);
                const CGRect mirrored{ink.minX(), o.box.minY() + o.box.maxY() - ink.maxY(), ink.width(), ink.height()};
                return device(o.box.unionWith(ink).unionWith(mirrored), o.state);
            } else if constexpr (std::is_same_v<T, Op::BeginLayer> || std::is_same_v<T, Op::EndLayer>) {
                return std::nullopt;
            } else {
                return CGRect{};
            }
        },
        op);
}

std::shared_ptr<CGImage> RasterPlayer::render(const DisplayList& list, CGSize size, CGFloat scale, bool flipped,
                                              std::optional<CGColor> background) {
    if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
    // Pixels per side, with nonsense (NaN, negative, astronomically large) giving nothing.
    auto pixels = [scale](CGFloat points) {
        double px = std::ceil(points * scale - 1e-9);
        return px > 0 && px <= maxPixelsPerSide ? int(px) : 0;
    };
    auto img = CGImage::make(pixels(size.width), pixels(size.height));
    if (background) {
        auto d = background->displayColor();
        for (int y = 0; y < img->height(); ++y)
            for (int x = 0; x < img->width(); ++x) img->setPixel(x, y, d);
    }
    play(list, *img, deviceTransform(size, scale, flipped));
    return img;
}

}  // namespace CoreGraphics
