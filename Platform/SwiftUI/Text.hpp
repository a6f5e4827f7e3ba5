#pragma once
#include <functional>
#include <string>

#include "SwiftUI/LocalizedStringKey.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

// Text in the environment's font and foreground colour. A string literal is a localizable
// key (looked up in the main bundle's Localizable table, or through an installed localizer;
// shown as written when there is no translation); a std::string is shown verbatim, as on
// the platform.
class Text : public ViewImpl, public View<Text> {
public:
    Text(const char* key);
    // The key's translation with the arguments put in.
    Text(const LocalizedStringKey& key);
    Text(std::string verbatim) : text_(std::move(verbatim)) {}
    static Text verbatim(std::string text) { return Text(std::move(text)); }

    // Replaces the main bundle's tables as the translation of keys (tests); null restores them.
    static void setLocalizer(std::function<std::string(const std::string& key)> localizer);

    const std::string& string() const { return text_; }
    bool isLocalized() const { return localized_; }

    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void render(const ViewNode& node, RenderNode& r) const override;
    std::string textContent() const override { return text_; }

private:
    std::string text_;
    bool localized_ = false;
};

}  // namespace SwiftUI
