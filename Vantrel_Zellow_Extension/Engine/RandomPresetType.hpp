#pragma once
#include <cstdint>

namespace Vantrel_Zellow_Extension {

// What choosing a preset does: apply its values, or randomise the step delays or velocities.
enum class RandomPresetType : std::uint8_t { none, stepDelay, stepVelocity };

}  // namespace Vantrel_Zellow_Extension
