#include "Orrindle/TextFields/FieldEditorStyle.hpp"

#include "AppKit/NSTextView.hpp"
#include "Orrindle/Styles/TextFieldCellStyle.hpp"

namespace Orrindle {

void styleFieldEditor(AppKit::NSText& editor, const TextFieldCellStyle& style) {
    auto* view = dynamic_cast<AppKit::NSTextView*>(&editor);
    if (!view) return;
    view->setFont(style.font());
    view->setDrawsBackground(false);
    view->setBackgroundColor(style.textBackgroundColor());
    view->setTextColor(style.textColor());
    view->setInsertionPointColor(style.textColor());
    auto selected = view->selectedTextAttributes();
    selected.foregroundColor = style.selectedTextColor();
    selected.backgroundColor = style.selectedBackgroundColor();
    view->setSelectedTextAttributes(selected);
}

}  // namespace Orrindle
