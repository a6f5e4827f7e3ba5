#include <gtest/gtest.h>

#include <filesystem>

#include "AppKit/EffectiveIcon.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSApplicationDelegate.hpp"
#include "AppKit/NSDocumentController.hpp"
#include "AppKit/NSImage.hpp"
#include "Foundation/NSError.hpp"
#include "Orrindle/Menus/ODMenuItem.hpp"
#include "Orrindle/Menus/RecentDocumentsMenuDelegate.hpp"
#include "TestSupport/ScratchDirectory.hpp"

namespace {

using namespace Orrindle;
using AppKit::NSDocumentController;
using Foundation::URL;

class AppDelegate : public Runtime::NSObject, public AppKit::NSApplicationDelegate {
    VZ_OBJECT(AppDelegate, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("clearRecentDocuments:", &AppDelegate::clear)};
    }
    void clear(Runtime::NSObject*) { ++clears; }
    int clears = 0;
};

class RecentDocumentsTest : public TestSupport::ScratchDirectoryTest {
protected:
    void SetUp() override {
        TestSupport::ScratchDirectoryTest::SetUp();
        NSDocumentController::shared().resetForTesting();
        delegate = Runtime::make<RecentDocumentsMenuDelegate>();
        ODMenuItem recents;
        recents.title = "Open Recent";
        recents.menuType = ODMenuType::recentDocuments(delegate);
        item = recents.asMenu();
        menu = item->submenu();
    }
    void TearDown() override {
        NSDocumentController::shared().resetForTesting();
        AppKit::setEffectiveIconProvider(nullptr);
        AppKit::NSMenu::setChooser(nullptr);
        AppKit::NSApplication::shared().resetForTesting();
        TestSupport::ScratchDirectoryTest::TearDown();
    }
    URL note(const std::string& name) {
        auto url = URL::fileURLWithPath(write(name, "song"));
        NSDocumentController::shared().noteNewRecentDocumentURL(url);
        return url;
    }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (auto& i : menu->items()) out.push_back(i->isSeparatorItem() ? "-" : i->title());
        return out;
    }
    std::shared_ptr<RecentDocumentsMenuDelegate> delegate;
    AppKit::NSMenuItem::Ptr item;
    AppKit::NSMenu::Ptr menu;
};

TEST_F(RecentDocumentsTest, WithNoRecentsOnlyTheSeparatorAndClearRemain) {
    menu->addItem("Stale", {}, "");
    menu->update();
    EXPECT_EQ(titles(), (std::vector<std::string>{"-", "Clear Recent Documents"}));
    auto clear = menu->item(1);
    EXPECT_EQ(clear->action(), Runtime::Selector("clearRecentDocuments:"));
    EXPECT_EQ(clear->target(), nullptr);
}

TEST_F(RecentDocumentsTest, FilesMovedAwayOrUnreadableDropOutAndTheRestKeepTheirOrder) {
    note("a.mid");
    auto moved = note("b.mid");
    note("c.mid");
    auto unreadable = note("d.mid");
    std::filesystem::rename(moved.path(), path("elsewhere.mid"));
    AppKit::setEffectiveIconProvider([&](const URL& url) -> std::any {
        if (url == unreadable) throw Foundation::NSError(Foundation::NSCocoaErrorDomain, 257);
        auto icon = AppKit::NSImage::withSize({32, 32});
        for (CoreGraphics::CGSize s : {CoreGraphics::CGSize{32, 32}, CoreGraphics::CGSize{16, 16}, CoreGraphics::CGSize{16, 512}, CoreGraphics::CGSize{128, 128}})
            icon->addRepresentation(AppKit::NSImageRep::withSize(s));
        return icon;
    });
    menu->update();
    EXPECT_EQ(titles(), (std::vector<std::string>{"c.mid", "a.mid", "-", "Clear Recent Documents"}));
    auto first = menu->item(0);
    EXPECT_EQ(std::any_cast<URL>(first->representedObject()).lastPathComponent(), "c.mid");
    EXPECT_EQ(first->target(), delegate);
    EXPECT_EQ(first->action(), Runtime::Selector("openRecentDocument:"));
    EXPECT_EQ(first->keyEquivalent(), "");
    ASSERT_TRUE(first->image());
    std::vector<CoreGraphics::CGSize> kept;
    for (auto& rep : first->image()->representations()) kept.push_back(rep->size());
    EXPECT_EQ(kept, (std::vector<CoreGraphics::CGSize>{{16, 16}, {16, 512}})) << "width or height at most 16";

    // Icons with only large renditions give an image without any; no icon, no image.
    AppKit::setEffectiveIconProvider([](const URL&) -> std::any {
        auto icon = AppKit::NSImage::withSize({32, 32});
        icon->addRepresentation(AppKit::NSImageRep::withSize({32, 32}));
        return icon;
    });
    menu->update();
    ASSERT_TRUE(menu->item(0)->image());
    EXPECT_TRUE(menu->item(0)->image()->representations().empty());
    AppKit::setEffectiveIconProvider([](const URL&) -> std::any { return {}; });
    menu->update();
    EXPECT_EQ(menu->item(0)->image(), nullptr);
}

TEST_F(RecentDocumentsTest, ChoosingOpensTheDocumentAndClearGoesUpTheResponderChain) {
    auto song = note("song.mid");
    std::vector<std::string> opened;
    NSDocumentController::shared().setOpener([&](const URL& url, bool display) {
        opened.push_back(url.lastPathComponent() + (display ? " shown" : ""));
        return true;
    });
    AppKit::NSMenu::setChooser(AppKit::NSMenu::choosing("song.mid"));
    EXPECT_TRUE(menu->popUp(nullptr, {}, nullptr));
    EXPECT_EQ(opened, (std::vector<std::string>{"song.mid shown"}));

    // An item without a URL does nothing.
    auto plain = AppKit::NSMenuItem::make("Plain");
    delegate->openRecentDocument(plain.get());
    EXPECT_EQ(opened.size(), 1u);

    // "Clear" has no target: the application delegate answers before the document controller.
    auto appDelegate = Runtime::make<AppDelegate>();
    AppKit::NSApplication::shared().setDelegate(appDelegate);
    AppKit::NSMenu::setChooser(AppKit::NSMenu::choosing("Clear Recent Documents"));
    EXPECT_TRUE(menu->popUp(nullptr, {}, nullptr));
    EXPECT_EQ(appDelegate->clears, 1);
    EXPECT_EQ(NSDocumentController::shared().recentDocumentURLs().size(), 1u);
    AppKit::NSApplication::shared().setDelegate(nullptr);
    EXPECT_TRUE(menu->popUp(nullptr, {}, nullptr));
    EXPECT_TRUE(NSDocumentController::shared().recentDocumentURLs().empty()) << "the controller ends the chain";

    // Called directly, the delegate's own clear reaches the controller.
    note("again.mid");
    delegate->clearRecentDocuments(nullptr);
    EXPECT_TRUE(NSDocumentController::shared().recentDocumentURLs().empty());
    (void)song;
}

}  // namespace
