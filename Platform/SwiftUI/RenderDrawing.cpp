#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/Path.hpp"
#include "CoreGraphics/SliceSpans.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "SwiftUI/Menu.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/Shader.hpp"

namespace SwiftUI {

namespace {

using CoreGraphics::AttributedText;
using CoreGraphics::CGColor;
using CoreGraphics::CGContext;
using CoreGraphics::CGPath;
using CoreGraphics::CornerStyle;

CGPath shapePath(const ShapeDescription& s, const CGRect& f) {
    const CornerStyle style = s.continuousCorners ? CornerStyle::continuous : CornerStyle::circular;
    switch (s.kind) {
    case ShapeDescription::Kind::rectangle: return CGPath::rect(f);
    case ShapeDescription::Kind::roundedRectangle: return CGPath::roundedRect(f, std::min(s.cornerSize.width, s.cornerSize.height), style);
    case ShapeDescription::Kind::circle: {
        CGFloat d = std::min(f.width(), f.height());
        return CGPath::ellipse({f.midX() - d / 2, f.midY() - d / 2, d, d});
    }
    case ShapeDescription::Kind::capsule: return CGPath::capsule(f, style);
    case ShapeDescription::Kind::ellipse: return CGPath::ellipse(f);
    }
    return CGPath::rect(f);
}

CoreGraphics::TextAlignment paragraphAlignment(TextAlignment a) {
    switch (a) {
    case TextAlignment::leading: return CoreGraphics::TextAlignment::left;
    case TextAlignment::center: return CoreGraphics::TextAlignment::center;
    case TextAlignment::trailing: return CoreGraphics::TextAlignment::right;
    }
    return CoreGraphics::TextAlignment::left;
}

AttributedText textOf(const RenderNode& n, const std::string& s, const CGColor& color) {
    CoreGraphics::ParagraphStyle p;
    p.alignment = paragraphAlignment(n.alignment);
    if (n.lineLimit == 1) p.lineBreakMode = CoreGraphics::LineBreakMode::byTruncatingTail;
    return AttributedText(s, n.font.resolved(), color, p);
}

// A sliced image stretches its middle and keeps its caps; any other image stretches whole.
void drawImage(CGContext& ctx, const CoreGraphics::ImageRef& image, const CGRect& f, const std::optional<CGColor>& tint) {
    const auto& slicing = image->slicing();
    if (!slicing || f.size == image->size()) {
        ctx.draw(image, f, {}, CoreGraphics::CompositingOperation::sourceOver, 1, true, tint);
        return;
    }
    // Device pixels along an axis of a transform that neither turns nor skews.
    const CGAffineTransform& m = ctx.ctm();
    const bool straight = m.b == 0 && m.c == 0 && m.a != 0 && m.d != 0;
    const CGFloat scale = ctx.scale();
    const auto snapX = [&](CGFloat x) { return straight ? (std::round((m.a * x + m.tx) * scale) / scale - m.tx) / m.a : x; };
    const auto snapY = [&](CGFloat y) { return straight ? (std::round((m.d * y + m.ty) * scale) / scale - m.ty) / m.d : y; };
    const CGSize own = image->size();
    for (const auto& row : CoreGraphics::sliceSpans(slicing->vertical, own.height, slicing->top, slicing->bottom, f.minY(), f.height(), snapY))
        for (const auto& col : CoreGraphics::sliceSpans(slicing->horizontal, own.width, slicing->left, slicing->right, f.minX(), f.width(), snapX))
            ctx.draw(image, {col.dst, row.dst, col.dstLength, row.dstLength}, {col.src, row.src, col.srcLength, row.srcLength},
                     CoreGraphics::CompositingOperation::sourceOver, 1, true, tint);
}

// A field's box follows the colour scheme; its one line is clipped to the box. While it has the
// keyboard its selection is shaded behind the text, or its caret drawn where nothing is selected.
void drawTextField(const RenderNode& n, CGContext& ctx, const std::optional<CGColor>& override) {
    const CGRect& f = n.layoutFrame;
    const bool dark = n.colorScheme == ColorScheme::dark;
    if (n.textFieldStyle != TextFieldStyle::plain) {
        CGPath box = CGPath::roundedRect(f.insetBy(0.5, 0.5), 4);
        ctx.setFillColor(override ? *override : dark ? CGColor::gray(0.1) : CGColor::white());
        ctx.fill(box);
        ctx.setStrokeColor(override ? *override : n.focused ? CGColor::sRGB(0.2, 0.5, 1) : dark ? CGColor::gray(0.4) : CGColor::gray(0.7));
        ctx.setLineWidth(n.focused ? 2 : 1);
        ctx.stroke(box);
    }
    const bool empty = n.text.empty();
    const CGColor textColour = override ? *override : n.color.resolved();
    CoreGraphics::ParagraphStyle oneLine;
    oneLine.lineBreakMode = CoreGraphics::LineBreakMode::byClipping;
    // The placeholder takes the field's alignment; the text is placed where its line starts.
    CoreGraphics::ParagraphStyle placeholderLine = oneLine;
    placeholderLine.alignment = paragraphAlignment(n.alignment);
    const AttributedText t = empty ? AttributedText(n.placeholder, n.font.resolved(), CGColor::gray(0.6), placeholderLine)
                                   : AttributedText(n.text, n.font.resolved(), textColour, oneLine);
    const CGFloat inset = RenderNode::textFieldInset, room = f.width() - 2 * inset;
    const CGSize s = CoreGraphics::TextLayout::size(t);
    const CGRect line{f.origin.x + inset, f.midY() - s.height / 2, room, s.height};
    ctx.saveGState();
    ctx.clip(CGRect{line.origin.x, f.minY(), room, f.height()});
    if (n.focused && !override) {
        if (n.selectionEnd > n.selectionStart) {
            ctx.setFillColor(dark ? CGColor::sRGB(0.22, 0.4, 0.7) : CGColor::sRGB(0.7, 0.84, 1));
            ctx.fill(CGRect{line.origin.x + n.selectionFrom, line.origin.y, n.selectionTo - n.selectionFrom, line.size.height});
        } else {
            ctx.setFillColor(textColour);
            ctx.fill(CGRect{std::round(line.origin.x + n.selectionFrom), line.origin.y + 1, 1, line.size.height - 2});
        }
    }
    if (empty)
        ctx.drawText(t, line);
    else
        ctx.drawText(t, {line.origin.x + n.lineStart, line.origin.y, s.width + 1, s.height});
    ctx.restoreGState();
}

// One item in its layout coordinates; `override` recolours it (for shadows).
void drawItem(const RenderNode& n, CGContext& ctx, const std::optional<CGColor>& override) {
    const CGRect& f = n.layoutFrame;
    auto colour = [&](const Color& c) { return override ? *override : c.resolved(); };
    switch (n.kind) {
    case RenderNode::Kind::color:
        if (n.shape.fill) {
            ctx.setFillColor(colour(*n.shape.fill));
            ctx.fill(f);
        }
        break;
    case RenderNode::Kind::shape: {
        CGPath path = shapePath(n.shape, f);
        if (n.shape.fill) {
            ctx.setFillColor(colour(*n.shape.fill));
            ctx.fill(path);
        }
        if (n.shape.stroke) {
            ctx.setStrokeColor(colour(*n.shape.stroke));
            ctx.setLineWidth(n.shape.lineWidth);
            ctx.stroke(path);
        }
        break;
    }
    case RenderNode::Kind::text:
        ctx.drawText(textOf(n, n.text, colour(n.color)), f);
        break;
    case RenderNode::Kind::image:
        if (n.image) {
            std::optional<CGColor> tint;
            if (override) tint = override;
            else if (n.image->isTemplate()) tint = n.color.resolved();
            drawImage(ctx, n.image, f, tint);
        }
        break;
    case RenderNode::Kind::textField:
        drawTextField(n, ctx, override);
        break;
    case RenderNode::Kind::menu:
        if (n.showsMenuIndicator) {
            CGPath chevron;
            CGFloat x = f.maxX() - Menu::indicatorWidth / 2, y = f.midY();
            chevron.move({x - 3, y - 1.5});
            chevron.addLine({x, y + 1.5});
            chevron.addLine({x + 3, y - 1.5});
            ctx.setStrokeColor(override ? *override : CGColor::gray(0.4));
            ctx.setLineWidth(1.2);
            ctx.stroke(chevron);
        }
        break;
    case RenderNode::Kind::group:
    case RenderNode::Kind::hostedView:
        break;
    }
}

// Which items a drawing takes: all, or those of one layer (RenderNode::draw(context, layer)),
// counting the hosted views passed on the way.
struct LayerFilter {
    int layer = -1;  // -1: every item
    int seen = 0;
    bool takes() const { return layer < 0 || seen == layer; }
};

int hostedViews(const RenderNode& n) {
    if (n.kind == RenderNode::Kind::hostedView) return 1;
    int count = 0;
    for (auto& c : n.children) count += hostedViews(c);
    return count;
}

void drawTree(const RenderNode& n, CGContext& ctx, const std::optional<CGColor>& override, CGFloat alphaScale, LayerFilter& filter);

// The item and its children drawn apart, at the context's scale, then passed through the
// shader pixel by pixel and put back in their frame. A shader that cannot be had leaves the
// picture as drawn.
void drawWithColorEffect(const RenderNode& n, CGContext& ctx, const std::optional<CGColor>& override, CGFloat alphaScale,
                         LayerFilter& filter) {
    RenderNode content = n;
    content.colorEffect.reset();
    const CGRect f = n.frame;
    if (!(f.size.width > 0) || !(f.size.height > 0)) return;
    CGContext apart(f.size, true, ctx.scale());
    apart.translateBy(-f.origin.x, -f.origin.y);
    drawTree(content, apart, override, alphaScale, filter);
    auto image = apart.makeImage();
    n.colorEffect->applyColorEffect(*image, ctx.scale());
    ctx.draw(CoreGraphics::ImageAsset::fromBitmap("", image, ctx.scale()), f);
}

void drawTree(const RenderNode& n, CGContext& ctx, const std::optional<CGColor>& override, CGFloat alphaScale, LayerFilter& filter) {
    if (n.kind == RenderNode::Kind::hostedView) {
        ++filter.seen;
        return;
    }
    // A part of the tree without an item of the layer is passed over whole, effects and all.
    if (filter.layer >= 0) {
        const int inside = hostedViews(n);
        if (filter.layer < filter.seen || filter.layer > filter.seen + inside) {
            filter.seen += inside;
            return;
        }
    }
    if (n.colorEffect) {
        drawWithColorEffect(n, ctx, override, alphaScale, filter);
        return;
    }
    // A shadow is cast by everything drawn before it, earlier shadows included: the item with
    // the shadows before the last one is drawn as one picture over the last one's shadow.
    // The radius is the blur's, about one standard deviation of a Gaussian.
    if (!n.shadows.empty()) {
        const Shadow& s = n.shadows.back();
        RenderNode inner = n;
        inner.shadows.pop_back();
        ctx.beginTransparencyLayer(1, CoreGraphics::Shadow{{s.x, s.y}, 2 * std::max<CGFloat>(s.radius, 0), s.color.resolved()});
        drawTree(inner, ctx, override, alphaScale, filter);
        ctx.endTransparencyLayer();
        return;
    }
    if (n.kind != RenderNode::Kind::group && n.opacity > 0 && filter.takes()) {
        ctx.saveGState();
        ctx.concatenate(n.transform);
        ctx.setAlpha(n.opacity * alphaScale);
        drawItem(n, ctx, override);
        ctx.restoreGState();
    }
    for (auto& c : n.children) drawTree(c, ctx, override, alphaScale, filter);
}

}  // namespace

void RenderNode::draw(CoreGraphics::CGContext& context) const {
    LayerFilter all;
    drawTree(*this, context, std::nullopt, 1, all);
}

void RenderNode::draw(CoreGraphics::CGContext& context, int layer) const {
    LayerFilter one{std::max(layer, 0), 0};
    drawTree(*this, context, std::nullopt, 1, one);
}

}  // namespace SwiftUI
