#include "Orrindle/Menus/RecentDocumentsMenuDelegate.hpp"

#include "AppKit/EffectiveIcon.hpp"
#include "AppKit/NSDocumentController.hpp"
#include "AppKit/NSImage.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/FileManager.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> RecentDocumentsMenuDelegate::classActions() {
    return {Runtime::action("openRecentDocument:", &RecentDocumentsMenuDelegate::openRecentDocument),
            Runtime::action("clearRecentDocuments:", &RecentDocumentsMenuDelegate::clearRecentDocuments)};
}

void RecentDocumentsMenuDelegate::menuNeedsUpdate(AppKit::NSMenu& menu) {
    Runtime::assertMainActor();
    std::vector<AppKit::NSMenuItem::Ptr> items;
    auto self = sharedAs<Runtime::NSObject>();
    for (const auto& url : AppKit::NSDocumentController::shared().recentDocumentURLs()) {
        if (!Foundation::FileManager::defaultManager().fileExists(url.path())) continue;
        std::any icon;
        try {
            icon = AppKit::effectiveIcon(url);
        } catch (const std::exception&) {
            continue;
        }
        auto item = AppKit::NSMenuItem::make(url.lastPathComponent(), {}, "");
        item->setRepresentedObject(url);
        if (const auto* image = std::any_cast<AppKit::NSImage::Ptr>(&icon); image && *image) {
            // Only the small renditions: a menu shows the icon at 16 points.
            auto small = AppKit::NSImage::withSize({16, 16});
            for (const auto& rep : (*image)->representations())
                if (rep->size().width <= 16 || rep->size().height <= 16) small->addRepresentation(rep);
            item->setImage(small);
        }
        item->setTarget(self);
        item->setAction("openRecentDocument:");
        items.push_back(item);
    }
    items.push_back(AppKit::NSMenuItem::separatorItem());
    auto bundle = Foundation::Bundle::main();
    const std::string clear = bundle ? bundle->localizedString("Clear Recent Documents", "") : "Clear Recent Documents";
    items.push_back(AppKit::NSMenuItem::make(clear, "clearRecentDocuments:", ""));
    menu.setItems(items);
}

void RecentDocumentsMenuDelegate::openRecentDocument(Runtime::NSObject* sender) {
    Runtime::assertMainActor();
    auto* item = dynamic_cast<AppKit::NSMenuItem*>(sender);
    if (!item) return;
    if (const auto* url = std::any_cast<Foundation::URL>(&item->representedObject()))
        AppKit::NSDocumentController::shared().openDocument(*url, true, [](bool) {});
}

void RecentDocumentsMenuDelegate::clearRecentDocuments(Runtime::NSObject* sender) {
    Runtime::assertMainActor();
    AppKit::NSDocumentController::shared().clearRecentDocuments(sender);
}

}  // namespace Orrindle
