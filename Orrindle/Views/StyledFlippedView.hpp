#pragma once
#include <memory>

#include "AppKit/NSView.hpp"
#include "Orrindle/Protocols/StyledView.hpp"
#include "Orrindle/Styles/BaseStyle.hpp"

namespace Orrindle {

// A flipped, layer-backed container painted with the background colour of a style shared by
// all instances. Setting the shared style affects views made afterwards; a view keeps the
// colour it was given. Main thread only.
class StyledFlippedView : public AppKit::NSView, public StyledView<BaseStyle> {
    VZ_OBJECT(StyledFlippedView, AppKit::NSView)
public:
    // Made on first use: the base look (dark, emphasized, not opaque, "Background/Normal").
    static std::shared_ptr<BaseStyle> sharedStyle();
    static void setSharedStyle(std::shared_ptr<BaseStyle> style);
    std::shared_ptr<BaseStyle> style() const override { return sharedStyle(); }

    bool isFlipped() const override;
    void didInit() override;

protected:
    StyledFlippedView() = default;
    explicit StyledFlippedView(AppKit::CGRect frame) : AppKit::NSView(frame) {}
};

}  // namespace Orrindle
