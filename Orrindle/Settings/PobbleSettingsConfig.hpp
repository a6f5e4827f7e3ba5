#pragma once
#include <memory>

#include "CoreGraphics/Geometry.hpp"
#include "Observation/Observation.hpp"

namespace Orrindle {

// What a settings form shares with its sections through the environment: the width of the
// label column. Observed; setting the width it has notifies nobody.
class PobbleSettingsConfig {
public:
    explicit PobbleSettingsConfig(CoreGraphics::CGFloat labelWidth) : labelWidth_(labelWidth) {}
    static std::shared_ptr<PobbleSettingsConfig> make(CoreGraphics::CGFloat labelWidth) {
        return std::make_shared<PobbleSettingsConfig>(labelWidth);
    }

    CoreGraphics::CGFloat labelWidth() const { return labelWidth_.get(); }
    void setLabelWidth(CoreGraphics::CGFloat width) { labelWidth_.set(width); }

private:
    Observation::Observed<CoreGraphics::CGFloat> labelWidth_;
};

}  // namespace Orrindle
