#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CoreGraphics/ImageAsset.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/Font.hpp"

namespace SwiftUI {

class ViewNode;
struct MenuModel;

}  // namespace SwiftUI
namespace CoreGraphics {
class CGContext;
}
namespace AppKit {
class NSView;
}
namespace SwiftUI {

struct Shadow {
    Color color;
    CGFloat radius = 0, x = 0, y = 0;
};

struct ShapeDescription {
    enum class Kind { rectangle, roundedRectangle, circle, capsule, ellipse };
    Kind kind = Kind::rectangle;
    CGSize cornerSize;
    bool continuousCorners = false;
    std::optional<Color> fill;
    std::optional<Color> stroke;
    CGFloat lineWidth = 1;
};

// What one update drew: a tree of drawn items in drawing order (back to front), with
// absolute frames. Containers that draw nothing themselves are folded away unless they
// carry an identifier or an effect.
struct RenderNode {
    enum class Kind { group, text, image, shape, color, textField, menu, hostedView };
    Kind kind = Kind::group;

    // Drawn, in the root's coordinates. A group's own frame moves with its ancestors'
    // offsets and scales; the ones it applies itself show in its children.
    CGRect frame;
    CGRect layoutFrame;  // where layout put it, before offsets and scales
    CGAffineTransform transform;  // layout coordinates to drawn coordinates
    double opacity = 1;           // accumulated
    bool enabled = true;
    bool hitTestable = true;      // drawn content takes clicks
    bool contentShape = false;    // the whole frame takes clicks, drawn or not
    std::string identifier;
    std::string accessibilityLabel;
    AccessibilityTraits traits;
    std::vector<Shadow> shadows;  // this group's own, in order
    std::shared_ptr<const Shader> colorEffect;  // applied to this item and its children, drawn

    // Text (also a text field's text and a menu's title)
    std::string text;
    Font font;
    Color color;  // the foreground colour the item resolved
    TextAlignment alignment = TextAlignment::leading;
    std::optional<int> lineLimit;

    // Image
    std::string imageName;
    CoreGraphics::ImageRef image;
    bool resizable = false;

    ShapeDescription shape;  // shape; also a colour's fill (kind color)

    // Text field
    std::string placeholder;
    bool focused = false;
    std::size_t selectionStart = 0, selectionEnd = 0;  // in `text`'s bytes, while focused; equal: the caret
    // Its one line, clipped to the field: where the text starts (left of 0 while scrolled) and
    // where the selection's ends fall, in points from the line's left edge, the frame's minimum
    // x plus textFieldInset.
    CGFloat lineStart = 0, selectionFrom = 0, selectionTo = 0;
    static constexpr CGFloat textFieldInset = 3;
    ColorScheme colorScheme = ColorScheme::light;
    TextFieldStyle textFieldStyle = TextFieldStyle::automatic;

    // Menu (closed: its label is drawn as children)
    std::shared_ptr<MenuModel> menu;
    bool showsMenuIndicator = false;

    // An AppKit view put in by a representable (NSViewRepresentable).
    std::shared_ptr<AppKit::NSView> hostedView;

    std::vector<RenderNode> children;
    std::weak_ptr<ViewNode> source;

    // Queries, depth first in drawing order.
    const RenderNode* find(const std::function<bool(const RenderNode&)>& pred) const;
    std::vector<const RenderNode*> findAll(const std::function<bool(const RenderNode&)>& pred) const;
    const RenderNode* findText(const std::string& text) const;
    const RenderNode* findImage(const std::string& name) const;
    const RenderNode* findIdentifier(const std::string& identifier) const;
    const RenderNode* findMenu() const;
    std::vector<std::string> texts() const;
    // The topmost item whose drawn content holds the point (half-open frames).
    const RenderNode* hitTest(CGPoint point) const;
    // Every drawn item in drawing order (groups excluded).
    std::vector<const RenderNode*> items() const;

    // Draws the tree into a context whose user space is the root's (y down).
    void draw(CoreGraphics::CGContext& context) const;

    // An AppKit view a representable puts in shows over what is drawn before it, and under
    // what comes after it: the items after the k-th hosted view in drawing order (up to the
    // next one) are layer k. Draws the items of one layer only; their groups keep their
    // effects (shadows, opacity) for them.
    void draw(CoreGraphics::CGContext& context, int layer) const;
    // Whether the layer has an item to draw.
    bool hasItems(int layer) const;
    // The layer of an item of this tree (-1 for one that is not in it).
    int layerOf(const RenderNode* item) const;
};

}  // namespace SwiftUI
