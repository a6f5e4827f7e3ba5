#include "CoreGraphics/CGContext.hpp"

#include "CoreGraphics/RasterPlayer.hpp"

namespace CoreGraphics {

namespace {
thread_local std::vector<CGContext*> currentStack;
}

CGContext::CGContext(CGSize size, bool flipped, CGFloat scale)
    : size_(size), flipped_(flipped), scale_(scale > 0 ? scale : 1) {
    s_.clipBox = {0, 0, size.width, size.height};
}

bool CGContext::isFlipped() const {
    const auto& t = s_.draw.transform;
    bool mirrored = t.a * t.d - t.b * t.c < 0;
    return flipped_ != mirrored;
}

void CGContext::saveGState() {
    stack_.push_back(s_);
    list_.append(Op::Save{});
}

void CGContext::restoreGState() {
    if (stack_.empty()) return;
    s_ = std::move(stack_.back());
    stack_.pop_back();
    list_.append(Op::Restore{});
}

void CGContext::translateBy(CGFloat x, CGFloat y) { concatenate(CGAffineTransform::translation(x, y)); }
void CGContext::scaleBy(CGFloat sx, CGFloat sy) { concatenate(CGAffineTransform::scale(sx, sy)); }
void CGContext::rotateBy(CGFloat r) { concatenate(CGAffineTransform::rotation(r)); }
void CGContext::concatenate(const CGAffineTransform& t) { s_.draw.transform = t.concatenating(s_.draw.transform); }

void CGContext::clip(const CGPath& path, bool evenOdd) {
    s_.clipBox = s_.clipBox.intersection(s_.draw.transform.apply(path.boundingBox()));
    list_.append(Op::Clip{path, s_.draw.transform, evenOdd});
}

CGRect CGContext::clipBoundingBox() const { return s_.draw.transform.inverted().apply(s_.clipBox); }

void CGContext::fill(const CGPath& path, bool evenOdd) { list_.append(Op::Fill{path, s_.fill, s_.draw, evenOdd}); }

void CGContext::stroke(const CGPath& path) {
    list_.append(Op::Stroke{path, s_.stroke, s_.draw, s_.lineWidth, s_.cap, s_.join, s_.miterLimit, s_.dash});
}

void CGContext::fillLinearGradient(const CGPath& path, std::vector<GradientStop> stops, CGPoint start, CGPoint end) {
    list_.append(Op::Gradient{path, std::move(stops), start, end, 0, s_.draw});
}

void CGContext::fillRadialGradient(const CGPath& path, std::vector<GradientStop> stops, CGPoint center, CGFloat radius) {
    list_.append(Op::Gradient{path, std::move(stops), center, center, radius > 0 ? radius : 0, s_.draw});
}

void CGContext::draw(const ImageRef& image, const CGRect& destination, const CGRect& source,
                     CompositingOperation operation, CGFloat fraction, bool respectFlipped, std::optional<CGColor> tint) {
    DrawState st = s_.draw;
    st.operation = operation;
    list_.append(Op::Image{image, image ? image->name() : std::string(), destination, source, fraction, respectFlipped,
                           std::move(tint), st});
}

void CGContext::drawText(const AttributedText& text, const CGRect& box) { list_.append(Op::Text{text, box, s_.draw}); }

void CGContext::beginTransparencyLayer(CGFloat alpha, std::optional<Shadow> shadow) {
    saveGState();
    layerStackDepth_.push_back(int(stack_.size()));
    list_.append(Op::BeginLayer{alpha, std::move(shadow), s_.draw.transform});
}

void CGContext::endTransparencyLayer() {
    if (layerStackDepth_.empty()) return;
    int depth = layerStackDepth_.back();
    layerStackDepth_.pop_back();
    // Saves left open inside the layer end with it.
    while (int(stack_.size()) > depth) restoreGState();
    list_.append(Op::EndLayer{});
    restoreGState();
}

DisplayList CGContext::takeDisplayList() {
    DisplayList out = std::move(list_);
    list_.clear();
    return out;
}

void CGContext::replay(const DisplayList& list) {
    const auto& t = s_.draw.transform;
    auto adopt = [&](DrawState& st) {
        st.transform = st.transform.concatenating(t);
        st.alpha *= s_.draw.alpha;
    };
    for (auto op : list.ops) {
        std::visit(
            [&](auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, Op::Clip> || std::is_same_v<T, Op::BeginLayer>)
                    o.transform = o.transform.concatenating(t);
                else if constexpr (requires { o.state; }) adopt(o.state);
            },
            op);
        list_.append(std::move(op));
    }
}

std::shared_ptr<CGImage> CGContext::makeImage() const { return RasterPlayer::render(list_, size_, scale_, flipped_); }

ImageRef CGContext::makeImageAsset(std::string name, bool isTemplate) const {
    return std::make_shared<ImageAsset>(std::move(name), size_,
                                        std::vector<ImageAsset::Representation>{{scale_, makeImage()}}, isTemplate);
}

CGContext* CGContext::current() { return currentStack.empty() ? nullptr : currentStack.back(); }

CGContext::CurrentScope::CurrentScope(CGContext* ctx) { currentStack.push_back(ctx); }
CGContext::CurrentScope::~CurrentScope() { currentStack.pop_back(); }

}  // namespace CoreGraphics
