#pragma once
#include <optional>
#include <string>

#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"

namespace SwiftUI {

// A settings form in the platform's column style: its rows one above the other inside a margin,
// each as wide as the form. A row that is a LabeledContent puts its label in the form's label
// column, as wide as the widest such label of the form (sections' rows included) and
// trailing-aligned, and its content beside it, leading-aligned; other rows take the whole
// width. A section is set apart from its neighbours by more space than a row. The form takes
// the width it is offered and the height of its rows.
class Form : public ViewImpl, public View<Form> {
public:
    static constexpr CGFloat margin = 20;          // around the rows
    static constexpr CGFloat rowSpacing = 10;      // between two rows, also inside a section
    static constexpr CGFloat sectionSpacing = 16;  // between a section and the row next to it
    static constexpr CGFloat labelSpacing = 8;     // between the label column and a row's content

    Form(ViewList content) : content_(std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void placeChildren(ViewNode& node, const CGRect& frame) const override;

private:
    ViewList content_;
};

// A group of rows under an optional header (in the headline font), one above the other and as
// wide as the section, `Form::rowSpacing` apart.
class Section : public ViewImpl, public View<Section> {
public:
    Section(ViewList content) : content_(std::move(content)) {}
    Section(AnyView header, ViewList content) : header_(std::move(header)), content_(std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void placeChildren(ViewNode& node, const CGRect& frame) const override;

private:
    std::optional<AnyView> header_;
    ViewList content_;
};

// A label and its content side by side. As a row of a form, the label sits in the form's label
// column; elsewhere the label leads and the content trails, a spacer between them.
class LabeledContent : public ViewImpl, public View<LabeledContent> {
public:
    LabeledContent(AnyView label, AnyView content) : label_(std::move(label)), content_(std::move(content)) {}
    LabeledContent(const char* titleKey, AnyView content) : LabeledContent(AnyView(Text(titleKey)), std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void placeChildren(ViewNode& node, const CGRect& frame) const override;

private:
    AnyView label_, content_;
};

}  // namespace SwiftUI
