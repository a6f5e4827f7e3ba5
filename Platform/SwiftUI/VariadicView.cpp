#include "SwiftUI/VariadicView.hpp"

#include "SwiftUI/Stacks.hpp"

namespace SwiftUI::VariadicView {

namespace {

bool expand(const AnyView& view, const std::string& prefix, Children& out);

void collectList(const ChildList& list, const std::string& prefix, Children& out) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AnyView& view = list[i].view;
        if (view.isEmpty()) continue;
        const std::string own = list[i].id.empty() ? view.impl()->explicitIdentity() : list[i].id;
        const std::string id = prefix + (own.empty() ? "#" + std::to_string(i) : "=" + own);
        if (!expand(view, id + "/", out)) out.push_back({view, id});
    }
}

// The children of a group or ForEach, looked into in turn; false for any other view.
bool expand(const AnyView& view, const std::string& prefix, Children& out) {
    if (auto* group = dynamic_cast<const Group*>(view.impl().get())) {
        collectList(group->children(), prefix, out);
        return true;
    }
    if (auto* each = dynamic_cast<const ForEach*>(view.impl().get())) {
        collectList(each->children(), prefix, out);
        return true;
    }
    return false;
}

}  // namespace

Children children(const AnyView& content) {
    Children out;
    if (!content.isEmpty() && !expand(content, "", out)) out.push_back({content, "#0"});
    return out;
}

}  // namespace SwiftUI::VariadicView
