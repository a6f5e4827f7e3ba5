#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "CoreGraphics/DisplayList.hpp"

namespace CoreGraphics {

// A graphics context that records: every operation goes into its display list with the
// state in force; `makeImage()` rasterises the list. The context's own coordinate space is
// `size` points, y-up unless `flipped` (then y-down, origin top left), at `scale` pixels
// per point.
class CGContext {
public:
    explicit CGContext(CGSize size, bool flipped = false, CGFloat scale = 1);
    CGContext(const CGContext&) = delete;
    CGContext& operator=(const CGContext&) = delete;

    CGSize size() const { return size_; }
    CGFloat scale() const { return scale_; }
    // The base orientation the context was made with.
    bool isBaseFlipped() const { return flipped_; }
    // Whether user space currently runs y-down on screen (base orientation and transform).
    bool isFlipped() const;

    // Graphics state: transform, colours, line settings, alpha, operation, clip.
    void saveGState();
    void restoreGState();  // an unmatched restore is ignored
    int gStateDepth() const { return int(stack_.size()); }

    void translateBy(CGFloat x, CGFloat y);
    void scaleBy(CGFloat sx, CGFloat sy);
    void rotateBy(CGFloat radians);
    void concatenate(const CGAffineTransform& t);
    // Maps user space to the context's base space.
    const CGAffineTransform& ctm() const { return s_.draw.transform; }

    void setFillColor(const CGColor& c) { s_.fill = c; }
    void setStrokeColor(const CGColor& c) { s_.stroke = c; }
    const CGColor& fillColor() const { return s_.fill; }
    const CGColor& strokeColor() const { return s_.stroke; }
    void setLineWidth(CGFloat w) { s_.lineWidth = w; }
    void setLineCap(LineCap c) { s_.cap = c; }
    void setLineJoin(LineJoin j) { s_.join = j; }
    void setMiterLimit(CGFloat m) { s_.miterLimit = m; }
    void setLineDash(std::vector<CGFloat> dash) { s_.dash = std::move(dash); }
    CGFloat lineWidth() const { return s_.lineWidth; }
    void setAlpha(CGFloat a) { s_.draw.alpha = a; }
    CGFloat alpha() const { return s_.draw.alpha; }
    void setCompositingOperation(CompositingOperation op) { s_.draw.operation = op; }
    CompositingOperation compositingOperation() const { return s_.draw.operation; }

    void clip(const CGPath& path, bool evenOdd = false);
    void clip(const CGRect& r) { clip(CGPath::rect(r)); }
    // Bounding box of the clip in user space (the whole context when nothing clips).
    CGRect clipBoundingBox() const;

    void fill(const CGPath& path, bool evenOdd = false);
    void fill(const CGRect& r) { fill(CGPath::rect(r)); }
    void stroke(const CGPath& path);
    void stroke(const CGRect& r) { stroke(CGPath::rect(r)); }
    void fillLinearGradient(const CGPath& path, std::vector<GradientStop> stops, CGPoint start, CGPoint end);
    void fillRadialGradient(const CGPath& path, std::vector<GradientStop> stops, CGPoint center, CGFloat radius);

    // Draws `source` (image points from its top left; zero = whole image) into `destination`,
    // at `fraction` opacity with `operation`. With respectFlipped the image shows upright
    // in a flipped space too; without, it shows upside down there (as on the platform).
    void draw(const ImageRef& image, const CGRect& destination, const CGRect& source = {},
              CompositingOperation operation = CompositingOperation::sourceOver, CGFloat fraction = 1,
              bool respectFlipped = true, std::optional<CGColor> tint = std::nullopt);
    // Text laid out in `box` from its top edge, upright in either orientation.
    void drawText(const AttributedText& text, const CGRect& box);

    // Until the matching end, drawing builds one picture that is then composited with
    // `alpha`, over its shadow when one is given (offset and blur in current user space).
    void beginTransparencyLayer(CGFloat alpha, std::optional<Shadow> shadow = std::nullopt);
    void endTransparencyLayer();  // an unmatched end is ignored

    const DisplayList& displayList() const { return list_; }
    DisplayList takeDisplayList();
    // Appends another recording as if drawn here now (its transforms are prefixed with the
    // current one).
    void replay(const DisplayList& list);

    // Rasterises what was recorded into a bitmap of size x scale pixels.
    std::shared_ptr<CGImage> makeImage() const;
    // The same as an image asset of `size` points.
    ImageRef makeImageAsset(std::string name, bool isTemplate = false) const;

    // The context of the drawing pass running on this thread, or nullptr outside any.
    static CGContext* current();

    // Makes a context current on this thread for its lifetime (scopes nest).
    class CurrentScope {
    public:
        explicit CurrentScope(CGContext* ctx);
        ~CurrentScope();
        CurrentScope(const CurrentScope&) = delete;
        CurrentScope& operator=(const CurrentScope&) = delete;
    };

private:
    struct State {
        DrawState draw;
        CGColor fill = CGColor::black();
        CGColor stroke = CGColor::black();
        CGFloat lineWidth = 1;
        LineCap cap = LineCap::butt;
        LineJoin join = LineJoin::miter;
        CGFloat miterLimit = 10;
        std::vector<CGFloat> dash;
        CGRect clipBox;  // in base space
    };
    CGSize size_;
    bool flipped_;
    CGFloat scale_;
    State s_;
    std::vector<State> stack_;
    std::vector<int> layerStackDepth_;
    DisplayList list_;
};

}  // namespace CoreGraphics
