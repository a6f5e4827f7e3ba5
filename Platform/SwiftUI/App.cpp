#include "SwiftUI/App.hpp"

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSMenuItem.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "Foundation/Bundle.hpp"
#include "SwiftUI/Button.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Menu.hpp"
#include "SwiftUI/MenuBridge.hpp"
#include "SwiftUI/NSHostingView.hpp"

namespace SwiftUI {

namespace {

std::string applicationName() {
    auto main = Foundation::Bundle::main();
    if (main) {
        for (const char* key : {"CFBundleDisplayName", "CFBundleName"})
            if (auto* v = main->objectForInfoDictionaryKey(key))
                if (auto* s = v->string(); s && !s->empty()) return *s;
    }
    return "Application";
}

struct StandardItem {
    std::string title;
    const char* action;
    const char* keyEquivalent = "";
};

std::vector<StandardItem> standardGroup(CommandGroupPlacement p, const std::string& name) {
    switch (p) {
    case CommandGroupPlacement::appInfo: return {{"About " + name, "orderFrontStandardAboutPanel:"}};
    case CommandGroupPlacement::appSettings: return {};
    // The desktop offers no services and hides no other application: those items would stay
    // greyed for ever, so there are none.
    case CommandGroupPlacement::systemServices: return {};
    case CommandGroupPlacement::appVisibility: return {{"Hide " + name, "hide:", "h"}, {"Show All", "unhideAllApplications:"}};
    case CommandGroupPlacement::appTermination: return {{"Quit " + name, "terminate:", "q"}};
    }
    return {};
}

}  // namespace

Scene Scene::windowStyle(WindowStyle s) const {
    Scene c = *this;
    c.style = s;
    return c;
}
Scene Scene::windowResizability(WindowResizability r) const {
    Scene c = *this;
    c.resizability = r;
    return c;
}
Scene Scene::defaultSize(CGSize s) const {
    Scene c = *this;
    c.size = s;
    return c;
}
Scene Scene::commands(std::vector<CommandGroup> groups) const {
    Scene c = *this;
    c.commandGroups.insert(c.commandGroups.end(), groups.begin(), groups.end());
    return c;
}

Scene Window(std::string title, std::string id, std::function<AnyView()> content) {
    Scene s;
    s.title = std::move(title);
    s.id = std::move(id);
    s.content = std::move(content);
    return s;
}

Scene WindowGroup(std::string title, std::function<AnyView()> content, std::string id) {
    Scene s = Window(std::move(title), std::move(id), std::move(content));
    s.isGroup = true;
    return s;
}

AppRuntime::AppRuntime(std::shared_ptr<void> app, SceneList scenes) : app_(std::move(app)), scenes_(std::move(scenes)) {}
AppRuntime::~AppRuntime() = default;

void AppRuntime::launch() {
    auto& nsApp = AppKit::NSApplication::shared();
    buildMainMenu();
    nsApp.finishLaunching();
    for (auto& s : scenes_) {
        auto w = makeWindow(s);
        windows_.push_back(w);
        w->makeKeyAndOrderFront();
    }
    if (scenes_.size() == 1 && !scenes_[0].isGroup && !windows_.empty())
        lastWindowClosed_ = Foundation::NotificationCenter::defaultCenter().addObserver(
            AppKit::NSWindow::willCloseNotification, windows_[0], [](const Foundation::Notification&) {
                Dispatch::DispatchQueue::main().async([] {
                    if (auto& app = AppKit::NSApplication::shared(); !app.isTerminated()) app.terminate();
                });
            });
}

std::shared_ptr<AppKit::NSWindow> AppRuntime::window(const std::string& id) const {
    for (auto& w : windows_)
        if (w->identifier() == id) return w;
    return nullptr;
}

std::shared_ptr<AppKit::NSWindow> AppRuntime::openWindow(const std::string& id) {
    for (auto& s : scenes_) {
        if (s.id != id) continue;
        if (!s.isGroup)
            if (auto w = window(id)) {
                w->makeKeyAndOrderFront();
                return w;
            }
        auto w = makeWindow(s);
        windows_.push_back(w);
        w->makeKeyAndOrderFront();
        return w;
    }
    return nullptr;
}

std::shared_ptr<AppKit::NSMenu> AppRuntime::mainMenu() const { return AppKit::NSApplication::shared().mainMenu(); }

std::shared_ptr<AppKit::NSWindow> AppRuntime::makeWindow(const Scene& scene) {
    auto controller = NSHostingController::make(scene.content ? scene.content() : AnyView());
    // The scene's resizability sets the window's limits below, not the controller's sizing.
    controller->setSizingOptions({});
    auto host = std::dynamic_pointer_cast<NSHostingView>(controller->view());
    CGSize fitting = host->fittingSize();
    CGSize size = scene.size.value_or(fitting);
    AppKit::StyleMask style = AppKit::StyleMask::titled() | AppKit::StyleMask::closable() | AppKit::StyleMask::miniaturizable();
    if (scene.resizability != WindowResizability::contentSize) style = style | AppKit::StyleMask::resizable();
    if (scene.style == WindowStyle::hiddenTitleBar) style = style | AppKit::StyleMask::fullSizeContentView();
    auto window = AppKit::NSWindow::make({0, 0, size.width, size.height}, style);
    window->setIdentifier(scene.id);
    window->setTitle(scene.title);
    if (scene.style == WindowStyle::hiddenTitleBar) {
        window->setTitleVisibility(AppKit::TitleVisibility::hidden);
        window->setTitlebarAppearsTransparent(true);
    }
    if (scene.resizability == WindowResizability::contentSize) {
        window->setContentMinSize(fitting);
        window->setContentMaxSize(fitting);
    } else if (scene.resizability == WindowResizability::contentMinSize) {
        window->setContentMinSize(fitting);
    }
    window->setContentViewController(controller);
    if (const auto& background = host->graph().windowBackground()) window->setBackgroundColor(nsColor(*background));
    if (auto scheme = host->graph().preferredColorScheme())
        window->setAppearance(AppKit::NSAppearance::named(*scheme == ColorScheme::dark ? AppKit::NSAppearance::darkAqua
                                                                                        : AppKit::NSAppearance::aqua));
    return window;
}

void AppRuntime::buildMainMenu() {
    const std::string name = applicationName();
    auto appMenu = AppKit::NSMenu::make(name);
    const CommandGroupPlacement order[] = {CommandGroupPlacement::appInfo, CommandGroupPlacement::appSettings,
                                           CommandGroupPlacement::systemServices, CommandGroupPlacement::appVisibility,
                                           CommandGroupPlacement::appTermination};
    bool first = true;
    for (CommandGroupPlacement p : order) {
        std::vector<AppKit::NSMenuItem::Ptr> items;
        bool replaced = false;
        std::vector<MenuItem> extra;
        for (auto& s : scenes_)
            for (auto& g : s.commandGroups) {
                if (g.placement != p) continue;
                std::vector<MenuItem> mine;
                for (auto& v : g.content) v.impl()->collectMenuItems(mine);
                if (g.replacing) replaced = true;
                extra.insert(extra.end(), mine.begin(), mine.end());
            }
        if (!replaced)
            for (auto& s : standardGroup(p, name))
                items.push_back(AppKit::NSMenuItem::make(s.title, s.action ? Runtime::Selector(s.action) : Runtime::Selector(),
                                                         s.keyEquivalent));
        for (auto& m : extra) items.push_back(detail::makeMenuItem(m, menuTargets_));
        if (items.empty()) continue;
        if (!first) appMenu->addItem(AppKit::NSMenuItem::separatorItem());
        first = false;
        for (auto& i : items) appMenu->addItem(i);
    }
    auto main = AppKit::NSMenu::make("Main Menu");
    auto appItem = AppKit::NSMenuItem::make(name);
    appItem->setSubmenu(appMenu);
    main->addItem(appItem);
    AppKit::NSApplication::shared().setMainMenu(main);
}

}  // namespace SwiftUI
