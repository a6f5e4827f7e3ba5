#pragma once
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "CoreGraphics/AttributedText.hpp"
#include "CoreGraphics/Color.hpp"
#include "CoreGraphics/Geometry.hpp"
#include "CoreGraphics/ImageAsset.hpp"
#include "CoreGraphics/Path.hpp"

namespace CoreGraphics {

// How a drawing combines with what is already there (Porter-Duff; the platform's
// NSCompositingOperation and CGBlendMode use the same meanings).
enum class CompositingOperation {
    clear, copy, sourceOver, sourceIn, sourceOut, sourceAtop,
    destinationOver, destinationIn, destinationOut, destinationAtop, xor_, plusLighter,
};

enum class LineCap { butt, round, square };
enum class LineJoin { miter, round, bevel };

struct GradientStop {
    CGFloat location;  // 0...1
    CGColor color;
    friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

// A shadow of a layer's picture: its alpha, blurred by `blur` points (about a Gaussian's
// two sigmas), moved by `offset` and filled with `color`.
struct Shadow {
    CGSize offset;
    CGFloat blur = 0;
    CGColor color = CGColor::gray(0, 1.0 / 3);
    friend bool operator==(const Shadow&, const Shadow&) = default;
};

// What every drawing operation carries: the transform from its user space to the
// context's base space, the global alpha and the compositing operation in force.
struct DrawState {
    CGAffineTransform transform;
    CGFloat alpha = 1;
    CompositingOperation operation = CompositingOperation::sourceOver;
    friend bool operator==(const DrawState&, const DrawState&) = default;
};

namespace Op {
struct Save {
    friend bool operator==(const Save&, const Save&) = default;
};
struct Restore {
    friend bool operator==(const Restore&, const Restore&) = default;
};
// Intersects the clip with a path (in `transform`'s user space).
struct Clip {
    CGPath path;
    CGAffineTransform transform;
    bool evenOdd = false;
    friend bool operator==(const Clip&, const Clip&) = default;
};
struct Fill {
    CGPath path;
    CGColor color;
    DrawState state;
    bool evenOdd = false;
    friend bool operator==(const Fill&, const Fill&) = default;
};
struct Stroke {
    CGPath path;
    CGColor color;
    DrawState state;
    CGFloat lineWidth = 1;
    LineCap cap = LineCap::butt;
    LineJoin join = LineJoin::miter;
    CGFloat miterLimit = 10;
    std::vector<CGFloat> dash;  // empty: solid
    friend bool operator==(const Stroke&, const Stroke&) = default;
};
// A gradient filling a path: linear from start to end, or radial (centre `start`,
// radius `radius`) when radius > 0.
struct Gradient {
    CGPath path;
    std::vector<GradientStop> stops;
    CGPoint start, end;
    CGFloat radius = 0;
    DrawState state;
    friend bool operator==(const Gradient&, const Gradient&) = default;
};
// An image into `destination`; `source` is a part of the image in its points, measured
// from its top left (zero: all).
// A template image is drawn as a mask filled with `tint` when one is given.
struct Image {
    ImageRef image;
    std::string name;  // the image's asset name
    CGRect destination;
    CGRect source;
    CGFloat fraction = 1;
    bool respectFlipped = true;
    std::optional<CGColor> tint;
    DrawState state;
    friend bool operator==(const Image&, const Image&) = default;
};
// Text laid out in `box` (y-down inside the box whatever the context's orientation).
struct Text {
    AttributedText text;
    CGRect box;
    DrawState state;
    friend bool operator==(const Text&, const Text&) = default;
};
// Everything until the matching EndLayer is composited as one picture with `alpha`, over
// its shadow when it has one.
struct BeginLayer {
    CGFloat alpha = 1;
    std::optional<Shadow> shadow;
    CGAffineTransform transform;  // the user space the shadow's offset and blur are in
    friend bool operator==(const BeginLayer&, const BeginLayer&) = default;
};
struct EndLayer {
    friend bool operator==(const EndLayer&, const EndLayer&) = default;
};
}  // namespace Op

using DisplayOp = std::variant<Op::Save, Op::Restore, Op::Clip, Op::Fill, Op::Stroke, Op::Gradient, Op::Image,
                               Op::Text, Op::BeginLayer, Op::EndLayer>;

// The recorded operations of a drawing pass, in order.
class DisplayList {
public:
    std::vector<DisplayOp> ops;

    void append(DisplayOp op) { ops.push_back(std::move(op)); }
    void append(const DisplayList& other) { ops.insert(ops.end(), other.ops.begin(), other.ops.end()); }
    void clear() { ops.clear(); }
    size_t size() const { return ops.size(); }
    bool empty() const { return ops.empty(); }

    // All operations of one kind, in order.
    template <class T>
    std::vector<const T*> all() const {
        std::vector<const T*> out;
        for (auto& op : ops)
            if (auto* p = std::get_if<T>(&op)) out.push_back(p);
        return out;
    }
    // Names of the images drawn and the strings of the texts drawn, in order.
    std::vector<std::string> imageNames() const;
    std::vector<std::string> texts() const;
};

}  // namespace CoreGraphics
