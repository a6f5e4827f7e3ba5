#include "SwiftUI/Form.hpp"

#include "SwiftUI/Font.hpp"

namespace SwiftUI {

void Form::makeChildren(ViewNode&, ChildList& out) const {
    out.push_back({AnyView(VStack(HorizontalAlignment::leading, 20, content_)).padding(20).frame({.maxWidth = infinity, .alignment = Alignment::topLeading()}), {}});
}

void Section::makeChildren(ViewNode&, ChildList& out) const {
    ViewList rows;
    if (header_) rows.push_back(header_->font(Font::headline()));
    rows.insert(rows.end(), content_.begin(), content_.end());
    out.push_back({AnyView(VStack(HorizontalAlignment::leading, 10, std::move(rows))).frame({.maxWidth = infinity, .alignment = Alignment::leading()}), {}});
}

void LabeledContent::makeChildren(ViewNode&, ChildList& out) const {
    out.push_back({AnyView(HStack({label_, Spacer(), content_})), {}});
}

}  // namespace SwiftUI
