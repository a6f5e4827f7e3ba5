#pragma once
#include <optional>
#include <string>

#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"

namespace SwiftUI {

// A settings form: its sections one above the other, leading-aligned, filling the width.
class Form : public ViewImpl, public View<Form> {
public:
    Form(ViewList content) : content_(std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;

private:
    ViewList content_;
};

// A titled group of rows.
class Section : public ViewImpl, public View<Section> {
public:
    Section(ViewList content) : content_(std::move(content)) {}
    Section(AnyView header, ViewList content) : header_(std::move(header)), content_(std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;

private:
    std::optional<AnyView> header_;
    ViewList content_;
};

// A label on the leading side and its content on the trailing side.
class LabeledContent : public ViewImpl, public View<LabeledContent> {
public:
    LabeledContent(AnyView label, AnyView content) : label_(std::move(label)), content_(std::move(content)) {}
    LabeledContent(const char* titleKey, AnyView content) : LabeledContent(AnyView(Text(titleKey)), std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;

private:
    AnyView label_, content_;
};

}  // namespace SwiftUI
