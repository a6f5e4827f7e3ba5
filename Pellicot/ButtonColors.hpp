#pragma once

namespace Pellicot {

// The kit has one colour of chaos-button artwork; the choice is kept for editors to come.
enum class ChaosButtonColor { yellow };

// The look of a mode toggle's artwork.
enum class ToggleButtonStyle { modern, retro };

}  // namespace Pellicot
