#pragma once

namespace Orrindle {

// What a click on one of the slider's icons does: jump to the minimum or maximum, or step by
// the model's increment.
enum class SliderIconClickBehaviour { maxMin, increment };

}  // namespace Orrindle
