#pragma once
#include <functional>
#include <vector>

#include "SwiftUI/Button.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace TestSupport {

// The actions of the buttons an evaluated SwiftUI tree holds, in the tree's order, to be called
// where a click could not reach them (from another thread).
inline std::vector<std::function<void()>> buttonActions(const SwiftUI::ViewNode& node) {
    std::vector<std::function<void()>> found;
    if (auto* button = node.viewAs<SwiftUI::Button>()) found.push_back(button->action());
    for (const auto& child : node.children())
        for (auto& action : buttonActions(*child)) found.push_back(std::move(action));
    return found;
}

}  // namespace TestSupport
