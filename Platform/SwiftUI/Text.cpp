#include "SwiftUI/Text.hpp"

#include <cmath>
#include <mutex>

#include "CoreGraphics/TextLayout.hpp"
#include "Foundation/Bundle.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace {
std::mutex localizerMutex;
std::function<std::string(const std::string&)>& localizer() {
    static std::function<std::string(const std::string&)> f;
    return f;
}

CoreGraphics::AttributedText attributed(const std::string& text, const EnvironmentValues& env) {
    CoreGraphics::ParagraphStyle p;
    switch (env.multilineTextAlignment) {
    case TextAlignment::leading: p.alignment = CoreGraphics::TextAlignment::left; break;
    case TextAlignment::center: p.alignment = CoreGraphics::TextAlignment::center; break;
    case TextAlignment::trailing: p.alignment = CoreGraphics::TextAlignment::right; break;
    }
    if (env.lineLimit == 1) p.lineBreakMode = CoreGraphics::LineBreakMode::byTruncatingTail;
    return CoreGraphics::AttributedText(text, env.resolvedFont().resolved(), env.resolvedForeground().resolved(), p);
}
}  // namespace

namespace {
std::string translated(const std::string& key) {
    std::function<std::string(const std::string&)> f;
    {
        std::lock_guard lock(localizerMutex);
        f = localizer();
    }
    if (f) return f(key);
    if (auto main = Foundation::Bundle::main()) return main->localizedString(key, {});
    return key;
}
}  // namespace

Text::Text(const char* key) : text_(translated(key ? key : "")), localized_(true) {}

Text::Text(const LocalizedStringKey& key) : text_(key.formatted(translated(key.key))), localized_(true) {}

void Text::setLocalizer(std::function<std::string(const std::string&)> l) {
    std::lock_guard lock(localizerMutex);
    localizer() = std::move(l);
}

CGSize Text::sizeThatFits(ViewNode& node, ProposedViewSize p) const {
    if (text_.empty()) return {};
    auto text = attributed(text_, node.environment());
    CGFloat maxWidth = (p.width && std::isfinite(*p.width)) ? std::max<CGFloat>(*p.width, 1) : 0;
    CGSize natural = CoreGraphics::TextLayout::size(text, 0);
    if (maxWidth <= 0 || natural.width <= maxWidth) return {std::ceil(natural.width), std::ceil(natural.height)};
    CGSize wrapped = CoreGraphics::TextLayout::size(text, maxWidth);
    return {std::ceil(std::min(wrapped.width, maxWidth)), std::ceil(wrapped.height)};
}

void Text::render(const ViewNode& node, RenderNode& r) const {
    const auto& env = node.environment();
    r.kind = RenderNode::Kind::text;
    r.text = text_;
    r.font = env.resolvedFont();
    r.color = env.resolvedForeground();
    r.alignment = env.multilineTextAlignment;
    r.lineLimit = env.lineLimit;
}

}  // namespace SwiftUI
