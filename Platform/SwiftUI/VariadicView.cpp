#include "SwiftUI/VariadicView.hpp"

#include "SwiftUI/Stacks.hpp"

namespace SwiftUI::VariadicView {

namespace {

void collect(const AnyView& view, const std::string& id, Children& out);

void collectList(const ChildList& list, const std::string& prefix, Children& out) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string own = list[i].id.empty() ? list[i].view.impl()->explicitIdentity() : list[i].id;
        collect(list[i].view, prefix + (own.empty() ? "#" + std::to_string(i) : "=" + own), out);
    }
}

void collect(const AnyView& view, const std::string& id, Children& out) {
    const ViewImpl* impl = view.impl().get();
    if (view.isEmpty()) return;
    if (auto* group = dynamic_cast<const Group*>(impl)) return collectList(group->children(), id + "/", out);
    if (auto* each = dynamic_cast<const ForEach*>(impl)) return collectList(each->children(), id + "/", out);
    out.push_back({view, id});
}

}  // namespace

Children children(const AnyView& content) {
    Children out;
    collectList({{content, {}}}, "", out);
    return out;
}

}  // namespace SwiftUI::VariadicView
