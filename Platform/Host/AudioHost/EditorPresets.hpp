#pragma once
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSWindow.hpp"
#include "Host/AudioHost/HostedUnit.hpp"
#include "SwiftUI/Menu.hpp"

namespace AudioHost {

// A unit's factory presets as a person finds them: in the effect's own editor (its view
// controller's view, opened in a window that is never shown), in the menu whose label names
// presets. Choosing one is choosing it in that menu; the editor's writes reach the unit as they
// do for a person. An effect without an editor, or without such a menu, offers none.
class EditorPresets {
public:
    explicit EditorPresets(const HostedUnit& hosted);
    ~EditorPresets();
    EditorPresets(const EditorPresets&) = delete;
    EditorPresets& operator=(const EditorPresets&) = delete;

    // The menu's items, in menu order, without separators; an item may open a web page instead
    // of setting a preset (choosing tells).
    std::vector<std::string> items() const;
    // The items that are presets: each is chosen to tell, so the unit is left as the last one
    // set it.
    std::vector<std::string> presets();
    // Chooses the preset and lets the main queue settle. Throws BadInput for an item the menu
    // does not have (naming the presets) and for one that opens a web page instead.
    void choose(const std::string& preset);

private:
    std::shared_ptr<SwiftUI::MenuModel> findPresetMenu() const;
    // Chooses the item without opening anything outside; false when it asked for a web page.
    bool chooseItem(const SwiftUI::MenuModel& menu, const std::string& item);

    std::shared_ptr<AppKit::NSWindow> window_;
    // As the editor first showed it: its items act on the editor's settings for as long as they live.
    std::shared_ptr<SwiftUI::MenuModel> menu_;
};

}  // namespace AudioHost
