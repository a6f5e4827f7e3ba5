#pragma once
#include "Pellicot/AudioParameter.hpp"

// One edit of a parameter by the user, told to the host as one automation gesture: a touch, the
// changes, a release. Controls write their edits through these, so a host always sees the
// gesture whole.
namespace Pellicot::ParameterEdit {

// A drag holds the parameter as interactively edited for its length, so values from the host
// or the effect do not pull the control from under the pointer; a press does not.
enum class Hold { none, whileEditing };

// The touch, at the value the edit starts from.
void begin(AudioParameter& param, float from, Hold hold = Hold::none);
void change(AudioParameter& param, float value);
// The release, at the value the edit leaves.
void end(AudioParameter& param, float at, Hold hold = Hold::none);
// The release after a last change to `value`: a click that sets a value.
void commit(AudioParameter& param, float value);

}  // namespace Pellicot::ParameterEdit
