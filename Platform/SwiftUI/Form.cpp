#include "SwiftUI/Form.hpp"

#include <algorithm>
#include <cmath>
#include <functional>

#include "SwiftUI/Font.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace {

// What a form tells its labelled rows: the width of its label column.
struct LabelColumn {
    CGFloat width = 0;
};

// The node of the first T down the chain of single children from `n` (itself included).
template <class T>
ViewNode* chainNode(ViewNode* n) {
    while (n) {
        if (n->viewAs<T>()) return n;
        if (n->children().size() != 1) return nullptr;
        n = n->children().front().get();
    }
    return nullptr;
}

std::vector<ViewNode*> rowsOf(const ViewNode& node) {
    std::vector<ViewNode*> rows;
    for (ViewNode* c : node.layoutChildren())
        if (!c->viewAs<EmptyView>()) rows.push_back(c);
    return rows;
}

using Spacing = std::function<CGFloat(ViewNode* above, ViewNode* below)>;

// Rows one above the other, each offered `width` and its ideal height.
std::vector<CGSize> rowSizes(const std::vector<ViewNode*>& rows, std::optional<CGFloat> width) {
    std::vector<CGSize> sizes;
    for (ViewNode* r : rows) sizes.push_back(r->sizeThatFits({width, std::nullopt}));
    return sizes;
}

CGSize stackedSize(const std::vector<ViewNode*>& rows, const std::vector<CGSize>& sizes, const Spacing& spacing) {
    CGSize total;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        total.width = std::max(total.width, sizes[i].width);
        total.height += sizes[i].height + (i > 0 ? spacing(rows[i - 1], rows[i]) : 0);
    }
    return total;
}

void placeStacked(const std::vector<ViewNode*>& rows, CGPoint origin, CGFloat width, const Spacing& spacing) {
    const auto sizes = rowSizes(rows, width);
    CGFloat y = origin.y;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) y += spacing(rows[i - 1], rows[i]);
        rows[i]->place({origin.x, y, width, sizes[i].height});
        y += sizes[i].height;
    }
}

CGFloat sectionRowSpacing(ViewNode*, ViewNode*) { return Form::rowSpacing; }

CGFloat formRowSpacing(ViewNode* above, ViewNode* below) {
    return chainNode<Section>(above) || chainNode<Section>(below) ? Form::sectionSpacing : Form::rowSpacing;
}

// The labelled rows of a form, its sections' rows included.
std::vector<ViewNode*> labelledRows(const ViewNode& form) {
    std::vector<ViewNode*> out;
    for (ViewNode* row : rowsOf(form)) {
        if (ViewNode* section = chainNode<Section>(row)) {
            for (ViewNode* inner : rowsOf(*section))
                if (ViewNode* labelled = chainNode<LabeledContent>(inner)) out.push_back(labelled);
        } else if (ViewNode* labelled = chainNode<LabeledContent>(row)) {
            out.push_back(labelled);
        }
    }
    return out;
}

// Measures the widest label of the form's rows and hands the width to every labelled row.
void assignLabelColumn(const ViewNode& form) {
    const auto rows = labelledRows(form);
    CGFloat widest = 0;
    for (ViewNode* row : rows)
        if (!row->children().empty()) widest = std::max(widest, row->children().front()->sizeThatFits(ProposedViewSize::unspecified()).width);
    for (ViewNode* row : rows) row->storage<LabelColumn>().width = widest;
}

}  // namespace

// ---- form ----

void Form::makeChildren(ViewNode&, ChildList& out) const {
    for (auto& v : content_) out.push_back({v, {}});
}

CGSize Form::sizeThatFits(ViewNode& node, ProposedViewSize p) const {
    assignLabelColumn(node);
    const auto rows = rowsOf(node);
    std::optional<CGFloat> inner;
    if (p.width) inner = std::max<CGFloat>(0, *p.width - 2 * margin);
    const CGSize content = stackedSize(rows, rowSizes(rows, inner), formRowSpacing);
    const CGFloat width = p.width && std::isfinite(*p.width) ? *p.width : content.width + 2 * margin;
    return {width, content.height + 2 * margin};
}

void Form::placeChildren(ViewNode& node, const CGRect& frame) const {
    assignLabelColumn(node);
    placeStacked(rowsOf(node), {frame.origin.x + margin, frame.origin.y + margin}, std::max<CGFloat>(0, frame.size.width - 2 * margin),
                 formRowSpacing);
}

// ---- section ----

void Section::makeChildren(ViewNode&, ChildList& out) const {
    if (header_) out.push_back({header_->font(Font::headline()), {}});
    for (auto& v : content_) out.push_back({v, {}});
}

CGSize Section::sizeThatFits(ViewNode& node, ProposedViewSize p) const {
    const auto rows = rowsOf(node);
    const CGSize content = stackedSize(rows, rowSizes(rows, p.width), sectionRowSpacing);
    return {p.width && std::isfinite(*p.width) ? *p.width : content.width, content.height};
}

void Section::placeChildren(ViewNode& node, const CGRect& frame) const {
    placeStacked(rowsOf(node), frame.origin, frame.size.width, sectionRowSpacing);
}

// ---- labelled content ----

void LabeledContent::makeChildren(ViewNode&, ChildList& out) const {
    out.push_back({label_, {}});
    out.push_back({content_, {}});
}

namespace {

struct RowLayout {
    CGRect label, content;
    CGSize size;
};

// In a form: the label trailing in the column, the content after it; elsewhere the label
// leading and the content trailing with at least a spacer's length between them.
RowLayout layOutRow(ViewNode& node, ProposedViewSize p) {
    RowLayout r;
    if (node.children().size() != 2) return r;
    ViewNode& label = *node.children()[0];
    ViewNode& content = *node.children()[1];
    if (const auto* column = node.storageIf<LabelColumn>()) {
        const CGFloat w = column->width;
        const CGSize l = label.sizeThatFits({w, p.height});
        std::optional<CGFloat> rest;
        if (p.width) rest = std::max<CGFloat>(0, *p.width - w - Form::labelSpacing);
        const CGSize c = content.sizeThatFits({rest, p.height});
        r.size = {p.width.value_or(w + Form::labelSpacing + c.width), std::max(l.height, c.height)};
        r.label = {w - l.width, (r.size.height - l.height) / 2, l.width, l.height};
        r.content = {w + Form::labelSpacing, (r.size.height - c.height) / 2, c.width, c.height};
        return r;
    }
    const CGSize l = label.sizeThatFits(ProposedViewSize::unspecified());
    std::optional<CGFloat> rest;
    if (p.width) rest = std::max<CGFloat>(0, *p.width - l.width - defaultSpacerMinLength);
    const CGSize c = content.sizeThatFits({rest, p.height});
    r.size = {p.width.value_or(l.width + defaultSpacerMinLength + c.width), std::max(l.height, c.height)};
    if (!std::isfinite(r.size.width)) r.size.width = l.width + defaultSpacerMinLength + c.width;
    r.label = {0, (r.size.height - l.height) / 2, l.width, l.height};
    r.content = {r.size.width - c.width, (r.size.height - c.height) / 2, c.width, c.height};
    return r;
}

}  // namespace

CGSize LabeledContent::sizeThatFits(ViewNode& node, ProposedViewSize p) const { return layOutRow(node, p).size; }

void LabeledContent::placeChildren(ViewNode& node, const CGRect& frame) const {
    if (node.children().size() != 2) return;
    const RowLayout r = layOutRow(node, ProposedViewSize::of(frame.size));
    node.children()[0]->place(r.label.offsetBy(frame.origin.x, frame.origin.y));
    node.children()[1]->place(r.content.offsetBy(frame.origin.x, frame.origin.y));
}

}  // namespace SwiftUI
