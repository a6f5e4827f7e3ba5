#pragma once

namespace Pellicot {

// The phase of a change. The numbers are the automation event types a parameter write
// carries: value, touch, release.
enum class ParameterEditorState : int {
    change = 0,
    beginInteractive = 1,
    endInteractive = 2,
};

}  // namespace Pellicot
