#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "AppKit/NSSlider.hpp"
#include "Orrindle/Sliders/StyledSliderCell.hpp"

namespace Orrindle {

// The kit's slider over a StyledSliderCell. It is its own target, and its action
// ("sliderValueChanged:") reports the phases of a left-button drag through three callbacks, by
// the application's current event: mouse-down started, drag ongoing, mouse-up complete. Value
// changes from anything else (keys, scroll wheel, code) call none. A fixed width, when set, is
// its intrinsic width (at least the bar image's).
class StyledSlider : public AppKit::NSSlider {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(StyledSlider, AppKit::NSSlider)
public:
    using Ptr = std::shared_ptr<StyledSlider>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledSliderCell>(); }
    StyledSliderCell::Ptr styledCell() const { return std::dynamic_pointer_cast<StyledSliderCell>(cell()); }

    std::function<void(double)> onSlideStarted;
    std::function<void(double)> onSlideOngoing;
    std::function<void(double)> onSlideComplete;
    std::optional<AppKit::CGFloat> fixedWidth() const { return fixedWidth_; }
    void setFixedWidth(std::optional<AppKit::CGFloat> width);

    void sliderValueChanged(Runtime::NSObject* sender);
    AppKit::CGSize intrinsicContentSize() const override;

    void didInit() override;

protected:
    StyledSlider() = default;
    explicit StyledSlider(AppKit::CGRect frame) : AppKit::NSSlider(frame) {}

private:
    std::optional<AppKit::CGFloat> fixedWidth_;
};

// A styled slider that the scroll wheel moves: a quarter of (range x delta / 100) per event,
// the action sent every time (also at the ends). The wheel never goes on to the scroll view
// around it, enabled or not.
class StyledScrollableSlider : public StyledSlider {
    VZ_OBJECT(StyledScrollableSlider, StyledSlider)
public:
    void scrollWheel(const AppKit::NSEvent& event) override;

protected:
    StyledScrollableSlider() = default;
    explicit StyledScrollableSlider(AppKit::CGRect frame) : StyledSlider(frame) {}
};

}  // namespace Orrindle
