#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSWindow.hpp"
#include "Foundation/NotificationCenter.hpp"
#include "Runtime/NSObject.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

enum class WindowStyle { automatic, titleBar, hiddenTitleBar };
enum class WindowResizability { automatic, contentSize, contentMinSize };
enum class CommandGroupPlacement { appInfo, appSettings, systemServices, appVisibility, appTermination };

// Menu items that replace (or go after) one group of the standard main menu. Buttons become
// items that run their action; dividers become separators.
struct CommandGroup {
    CommandGroupPlacement placement;
    bool replacing = true;
    ViewList content;
    static CommandGroup replacingGroup(CommandGroupPlacement p, ViewList content) { return {p, true, std::move(content)}; }
    static CommandGroup after(CommandGroupPlacement p, ViewList content) { return {p, false, std::move(content)}; }
};

// A window scene: Window (one window with an identifier) or WindowGroup.
class Scene {
public:
    Scene windowStyle(WindowStyle style) const;
    Scene windowResizability(WindowResizability resizability) const;
    Scene defaultSize(CGSize size) const;
    Scene commands(std::vector<CommandGroup> groups) const;

    std::string title, id;
    std::function<AnyView()> content;
    bool isGroup = false;
    WindowStyle style = WindowStyle::automatic;
    WindowResizability resizability = WindowResizability::automatic;
    std::optional<CGSize> size;
    std::vector<CommandGroup> commandGroups;
};

Scene Window(std::string title, std::string id, std::function<AnyView()> content);
Scene WindowGroup(std::string title, std::function<AnyView()> content, std::string id = {});
using SceneList = std::vector<Scene>;

// Builds the application delegate, holds it, and makes it the application's (weak)
// delegate; the same object is there from the App's initialiser on.
template <class D>
class NSApplicationDelegateAdaptor {
public:
    NSApplicationDelegateAdaptor() : delegate_(Runtime::make<D>()) { AppKit::NSApplication::shared().setDelegate(delegate_); }
    const std::shared_ptr<D>& wrappedValue() const { return delegate_; }
    D* operator->() const { return delegate_.get(); }

private:
    std::shared_ptr<D> delegate_;
};

// A launched application: its App value, the windows its scenes opened and the menu.
class AppRuntime {
public:
    AppRuntime(std::shared_ptr<void> app, SceneList scenes);
    ~AppRuntime();
    // Will/did finish launching (launch URLs between them), then the scenes' windows, made key.
    // An application whose only scene is a Window quits when that window closes.
    void launch();
    // Opens the window of the scene with this id; a single-window scene only comes to the front.
    std::shared_ptr<AppKit::NSWindow> openWindow(const std::string& id);
    std::shared_ptr<AppKit::NSWindow> window(const std::string& id) const;
    const std::vector<std::shared_ptr<AppKit::NSWindow>>& windows() const { return windows_; }
    std::shared_ptr<AppKit::NSMenu> mainMenu() const;
    template <class A> A& app() const { return *std::static_pointer_cast<A>(app_); }

private:
    std::shared_ptr<AppKit::NSWindow> makeWindow(const Scene& scene);
    void buildMainMenu();

    std::shared_ptr<void> app_;
    SceneList scenes_;
    std::vector<std::shared_ptr<AppKit::NSWindow>> windows_;
    std::vector<std::shared_ptr<Runtime::NSObject>> menuTargets_;
    Foundation::NotificationCenter::Token lastWindowClosed_;
};

template <class A>
SceneList scenesOf(const A& app) {
    if constexpr (std::is_same_v<decltype(app.body()), Scene>)
        return {app.body()};
    else
        return app.body();
}

// Tests: makes the App value and launches it without running the loop.
template <class A>
std::unique_ptr<AppRuntime> launchApp() {
    auto app = std::make_shared<A>();
    auto runtime = std::make_unique<AppRuntime>(app, scenesOf(*app));
    runtime->launch();
    return runtime;
}

// Programs: launches, then runs the main loop until the application terminates.
template <class A>
int runApp() {
    auto runtime = launchApp<A>();
    AppKit::NSApplication::shared().run();
    return 0;
}

}  // namespace SwiftUI
