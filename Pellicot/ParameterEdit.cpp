#include "Pellicot/ParameterEdit.hpp"

namespace Pellicot::ParameterEdit {

void begin(AudioParameter& param, float from, Hold hold) {
    if (hold == Hold::whileEditing) param.setIsBeingInteractivelyEdited(true);
    param.setValue(from, ParameterEditor::ui, ParameterEditorState::beginInteractive);
}

void change(AudioParameter& param, float value) { param.setValue(value, ParameterEditor::ui, ParameterEditorState::change); }

void end(AudioParameter& param, float at, Hold hold) {
    if (hold == Hold::whileEditing) param.setIsBeingInteractivelyEdited(false);
    param.setValue(at, ParameterEditor::ui, ParameterEditorState::endInteractive);
}

void commit(AudioParameter& param, float value) {
    change(param, value);
    end(param, value);
}

}  // namespace Pellicot::ParameterEdit
