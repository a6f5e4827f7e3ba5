#pragma once

namespace Pellicot {

// Where a value change comes from.
enum class ParameterEditor : int {
    parameterObserver = 0,  // the host or the effect, through the parameter tree or the poll
    ui = 1,                 // a control of the editor
};

}  // namespace Pellicot
