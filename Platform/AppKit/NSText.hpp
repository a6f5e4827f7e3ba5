#pragma once
#include <memory>
#include <string>

#include "AppKit/NSView.hpp"

namespace AppKit {

// Editable text; each window keeps one as the field editor that text fields share while they
// are being edited.
class NSText : public NSView {
    VZ_OBJECT(NSText, NSView)
public:
    const std::string& string() const { return string_; }
    void setString(std::string s) { string_ = std::move(s); }
    bool isFieldEditor() const { return fieldEditor_; }
    void setFieldEditor(bool flag) { fieldEditor_ = flag; }
    bool isEditable() const { return editable_; }
    void setEditable(bool flag) { editable_ = flag; }
    // The object being edited through this editor (weak).
    std::shared_ptr<Runtime::NSObject> editedObject() const { return edited_.lock(); }
    void setEditedObject(const std::shared_ptr<Runtime::NSObject>& object) { edited_ = object; }

    bool acceptsFirstResponder() const override { return editable_; }

protected:
    using NSView::NSView;

private:
    std::string string_;
    bool fieldEditor_ = false;
    bool editable_ = true;
    std::weak_ptr<Runtime::NSObject> edited_;
};

}  // namespace AppKit
