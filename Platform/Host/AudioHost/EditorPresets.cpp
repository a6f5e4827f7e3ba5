#include "Host/AudioHost/EditorPresets.hpp"

#include <algorithm>
#include <cctype>

#include "AppKit/NSViewController.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/QuotedText.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/RenderTree.hpp"

namespace AudioHost {

namespace {

bool mentionsPresets(const std::string& text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower.find("preset") != std::string::npos;
}

// What a person reads on a control: its label's text and pictures, and what it says to
// assistive technology.
bool labelMentionsPresets(const SwiftUI::RenderNode& node) {
    if (mentionsPresets(node.accessibilityLabel) || mentionsPresets(node.identifier) || mentionsPresets(node.text) ||
        mentionsPresets(node.imageName))
        return true;
    return std::any_of(node.children.begin(), node.children.end(), [](const SwiftUI::RenderNode& c) { return labelMentionsPresets(c); });
}

void collectHostingViews(const AppKit::NSView::Ptr& view, std::vector<std::shared_ptr<SwiftUI::NSHostingView>>& out) {
    if (auto hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingView>(view)) out.push_back(hosting);
    for (const auto& subview : view->subviews()) collectHostingViews(subview, out);
}

}  // namespace

EditorPresets::EditorPresets(const HostedUnit& hosted) {
    auto controller = std::dynamic_pointer_cast<AppKit::NSViewController>(hosted.factory());
    if (!controller) return;
    controller->view();
    AppKit::CGSize size = controller->preferredContentSize();
    if (size.width < 1 || size.height < 1) size = {640, 480};
    window_ = AppKit::NSWindow::make({0, 0, size.width, size.height});
    window_->setContentViewController(controller);
    Dispatch::RunLoop::main().runUntilIdle();
    menu_ = findPresetMenu();
}

EditorPresets::~EditorPresets() {
    if (!window_) return;
    window_->close();
    Dispatch::RunLoop::main().runUntilIdle();
}

std::shared_ptr<SwiftUI::MenuModel> EditorPresets::findPresetMenu() const {
    if (!window_ || !window_->contentView()) return nullptr;
    std::vector<std::shared_ptr<SwiftUI::NSHostingView>> views;
    collectHostingViews(window_->contentView(), views);
    for (const auto& view : views) {
        view->graph().update();
        const auto menus = view->graph().renderTree().findAll([](const SwiftUI::RenderNode& n) {
            return n.kind == SwiftUI::RenderNode::Kind::menu && n.menu && labelMentionsPresets(n);
        });
        if (!menus.empty()) return menus.front()->menu;
    }
    return nullptr;
}

bool EditorPresets::chooseItem(const SwiftUI::MenuModel& menu, const std::string& item) {
    auto& workspace = AppKit::NSWorkspace::shared();
    const bool external = workspace.opensLinksExternally();
    workspace.setOpensLinksExternally(false);
    const std::size_t opened = workspace.openedURLs().size();
    menu.choose(item);
    Dispatch::RunLoop::main().runUntilIdle();
    workspace.setOpensLinksExternally(external);
    return workspace.openedURLs().size() == opened;
}

std::vector<std::string> EditorPresets::items() const {
    std::vector<std::string> titles;
    if (menu_)
        for (const auto& item : menu_->items)
            if (item.kind == SwiftUI::MenuItem::Kind::button) titles.push_back(item.title);
    return titles;
}

std::vector<std::string> EditorPresets::presets() {
    std::vector<std::string> names;
    for (const std::string& item : items())
        if (chooseItem(*menu_, item)) names.push_back(item);
    return names;
}

void EditorPresets::choose(const std::string& preset) {
    const auto titles = items();
    if (std::find(titles.begin(), titles.end(), preset) == titles.end()) {
        std::string names;
        for (const std::string& name : presets()) names += (names.empty() ? "" : ", ") + quotedText(name);
        throw BadInput("unknown preset " + quotedText(preset) + "; the presets are " + (names.empty() ? "none" : names));
    }
    if (!chooseItem(*menu_, preset)) throw BadInput(quotedText(preset) + " is not a preset: the editor's menu opens a web page with it");
}

}  // namespace AudioHost
