#pragma once
#include <memory>

#include "AppKit/NSMenu.hpp"
#include "AppKit/NSMenuDelegate.hpp"

namespace Orrindle {

// Fills a menu with the document controller's recent documents each time it is about to open:
// one item per recent file that still exists and whose icon can be read (titled by its last
// path component, carrying its URL, with the icon's small renditions), then a separator and
// "Clear Recent Documents", which goes up the responder chain. Keeps no state.
class RecentDocumentsMenuDelegate : public Runtime::NSObject, public AppKit::NSMenuDelegate {
    VZ_OBJECT(RecentDocumentsMenuDelegate, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

    // Replaces every item of the menu.
    void menuNeedsUpdate(AppKit::NSMenu& menu) override;
    // Opens the document of an item that carries a URL (displayed, results ignored); anything
    // else does nothing.
    void openRecentDocument(Runtime::NSObject* sender);
    // The document controller's own.
    void clearRecentDocuments(Runtime::NSObject* sender);

protected:
    RecentDocumentsMenuDelegate() = default;
};

}  // namespace Orrindle
