#pragma once

namespace AppKit {
class NSText;
}

namespace Orrindle {

class TextFieldCellStyle;

// Dresses a field editor (a text view) in a text style: its font, its text colour for the text
// and the caret, its selected-text colours, and no background of its own, so the field's bezel
// shows through.
void styleFieldEditor(AppKit::NSText& editor, const TextFieldCellStyle& style);

}  // namespace Orrindle
