#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "AppKit/ApplicationInstance.hpp"
#include "AppKit/DesktopEntry.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSMenuItem.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "AppKitTestSupport.hpp"
#include "Foundation/Bundle.hpp"
#include "TestSupport/ScratchDirectory.hpp"

using namespace AppKit;
namespace fs = std::filesystem;

namespace {

// XDG data, config and runtime folders of the test's own, so nothing of the user's is read or
// written.
class DesktopTest : public TestSupport::ScratchDirectoryTest {
protected:
    void SetUp() override {
        TestSupport::ScratchDirectoryTest::SetUp();
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_RUNTIME_DIR"})
            if (const char* v = std::getenv(name)) saved_.emplace_back(name, v);
            else saved_.emplace_back(name, std::nullopt);
        for (const char* d : {"data", "system", "config", "etc", "runtime"}) fs::create_directories(path(d));
        ::chmod(path("runtime").c_str(), 0700);
        ::setenv("XDG_DATA_HOME", path("data").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", path("system").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", path("config").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", path("etc").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", path("runtime").c_str(), 1);
    }
    void TearDown() override {
        for (auto& [name, value] : saved_)
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        NSWorkspace::shared().setOpensLinksExternally(false);
        NSWorkspace::shared().clearOpenedURLs();
        Dispatch::RunLoop::main().runUntilIdle();
        TestSupport::ScratchDirectoryTest::TearDown();
    }
    // An entry in one of the test's applications folders.
    void entry(const std::string& folder, const std::string& id, const std::string& body) {
        fs::create_directories(path(folder + "/applications"));
        std::ofstream(path(folder + "/applications/" + id)) << "[Desktop Entry]\n" << body;
    }
    // Bundles are read once per folder: each call makes a new one.
    std::shared_ptr<Foundation::Bundle> bundle(const std::string& entries) {
        const std::string dir = path("App" + std::to_string(++bundles_) + ".app");
        fs::create_directories(dir + "/Contents");
        std::ofstream(dir + "/Contents/Info.plist") << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>" << entries << "</dict></plist>";
        return Foundation::Bundle::withPath(dir);
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    int bundles_ = 0;
};

// A bundle's Info.plist becomes its desktop entry: named after its identifier, its schemes as
// handler types, its executable quoted; installed once and read back the same.
TEST_F(DesktopTest, ABundleBecomesTheDesktopEntryThatHandlesItsSchemes) {
    auto b = bundle("<key>CFBundleIdentifier</key><string>org.example.zellow</string>"
                    "<key>CFBundleName</key><string>Zellow</string><key>CFBundleDisplayName</key><string>Vantrel Zellow</string>"
                    "<key>CFBundleURLTypes</key><array><dict><key>CFBundleURLSchemes</key>"
                    "<array><string>vantrelZellow</string><string>vz-test</string></array></dict></array>");
    const std::string exe = path("Odd $name \"x\"/Contents/MacOS/Vantrel Zellow");
    auto e = DesktopEntry::forBundle(*b, exe);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->id, "org.example.zellow.desktop");
    EXPECT_EQ(e->applicationIdentifier(), "org.example.zellow");
    EXPECT_EQ(e->name, "Vantrel Zellow");
    EXPECT_EQ(e->mimeTypes, (std::vector<std::string>{"x-scheme-handler/vantrelzellow", "x-scheme-handler/vz-test"}));
    EXPECT_EQ(e->commandLine("vantrelzellow://openAndUpdate"), (std::vector<std::string>{exe, "vantrelzellow://openAndUpdate"}));

    std::string error;
    ASSERT_TRUE(e->install(&error)) << error;
    EXPECT_EQ(e->path, path("data/applications/org.example.zellow.desktop"));
    const auto written = fs::last_write_time(e->path);
    ASSERT_TRUE(e->install(&error));
    EXPECT_EQ(fs::last_write_time(e->path), written) << "an identical entry is left as it is";
    auto back = DesktopEntry::read(e->path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, e->name);
    EXPECT_EQ(back->mimeTypes, e->mimeTypes);
    EXPECT_EQ(back->commandLine("vz-test:x"), (std::vector<std::string>{exe, "vz-test:x"}));
    auto found = DesktopEntry::handlerForScheme("VZ-Test");
    ASSERT_TRUE(found) << "schemes match without regard to case";
    EXPECT_EQ(found->path, e->path);

    EXPECT_FALSE(DesktopEntry::forBundle(*bundle("<key>CFBundleName</key><string>No id</string>"), exe));
}

// Defaults of mimeapps.list win (the user's config first), then the first entry that lists the
// type, the user's folder before the system's; hidden and broken entries are no handlers.
TEST_F(DesktopTest, TheSchemeHandlerIsTheDefaultElseTheFirstThatListsIt) {
    const std::string type = "MimeType=text/plain;x-scheme-handler/zz;\n";
    entry("system", "a.desktop", "Type=Application\nName=A\nExec=a %u\n" + type);
    entry("system", "b.desktop", "Type=Application\nName=B\nExec=b %u\n" + type);
    entry("data", "hidden.desktop", "Type=Application\nName=H\nExec=h\nHidden=true\n" + type);
    entry("data", "link.desktop", "Type=Link\nName=L\nExec=l\n" + type);
    entry("data", "noexec.desktop", "Type=Application\nName=N\n" + type);
    auto handler = [] {
        auto e = DesktopEntry::handlerForScheme("zz");
        return e ? e->name : std::string("none");
    };
    EXPECT_EQ(handler(), "A");
    entry("data", "c.desktop", "Type=Application\nName=C\nName[de]=Ce\nExec=c %u\n" + type);
    EXPECT_EQ(handler(), "C") << "the user's own folder first";
    std::ofstream(path("etc/mimeapps.list")) << "[Default Applications]\nx-scheme-handler/zz=b.desktop\n";
    EXPECT_EQ(handler(), "B");
    std::ofstream(path("config/mimeapps.list")) << "[Added Associations]\nx-scheme-handler/zz=c.desktop\n"
                                                   "[Default Applications]\nx-scheme-handler/zz=gone.desktop;a.desktop;\n";
    EXPECT_EQ(handler(), "A") << "the first installed default of the user's list";
    EXPECT_FALSE(DesktopEntry::handlerForScheme("unknown"));
}

TEST(DesktopEntryExec, FieldCodesAndQuoting) {
    struct Case {
        const char* exec;
        std::vector<std::string> args;
    } cases[] = {
        {"app %u", {"app", "x:y"}},
        {"\"/opt/My App/run\" --open %U", {"/opt/My App/run", "--open", "x:y"}},
        {"app --ratio=50%% %u", {"app", "--ratio=50%", "x:y"}},
        {"app %f %F %k", {"app"}},
        {"app %c", {"app", "Name"}},
        {"app %i %u", {"app", "--icon", "/i.png", "x:y"}},
        {"\"quo\\\"te\" \"back\\\\slash\" %u", {"quo\"te", "back\\slash", "x:y"}},
        {"env  A=1   app", {"env", "A=1", "app"}},
        {"app --url=%u", {"app", "--url=x:y"}},
    };
    for (const auto& c : cases) {
        DesktopEntry e;
        e.name = "Name";
        e.icon = "/i.png";
        e.exec = c.exec;
        EXPECT_EQ(e.commandLine("x:y"), c.args) << c.exec;
    }
}

// The first instance claims the application and listens; what a later start hands over reaches
// it on the main queue, in order; once it ends, nothing runs.
TEST_F(DesktopTest, TheRunningInstanceTakesWhatLaterStartsHandOver) {
    const std::string id = "org.example.handoff";
    EXPECT_EQ(ApplicationInstance::runtimeDirectory(), path("runtime"));
    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://a"}), ApplicationInstance::HandOff::noInstance);
    EXPECT_EQ(ApplicationInstance::runningProcess(id), 0);

    // A socket file left by an instance that crashed is no instance.
    std::ofstream(ApplicationInstance::socketPath(id)) << "stale";
    std::vector<std::vector<std::string>> received;
    std::string error;
    auto instance = ApplicationInstance::claim(id, [&](const std::vector<std::string>& urls) { received.push_back(urls); }, &error);
    ASSERT_TRUE(instance) << error;
    EXPECT_EQ(ApplicationInstance::runningProcess(id), ::getpid());
    EXPECT_FALSE(ApplicationInstance::claim(id, [](const std::vector<std::string>&) {}, &error)) << "one instance only";
    EXPECT_EQ(error, "") << "another instance is no error";

    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://a", "zz://b?c=d"}), ApplicationInstance::HandOff::delivered);
    EXPECT_EQ(ApplicationInstance::handOff(id, {}), ApplicationInstance::HandOff::delivered);
    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://line\nbreak"}, &error), ApplicationInstance::HandOff::failed);
    EXPECT_TRUE(received.empty()) << "delivered on the main queue";
    Dispatch::RunLoop::main().runUntil([&] { return received.size() == 2; }, 5);
    EXPECT_EQ(received, (std::vector<std::vector<std::string>>{{"zz://a", "zz://b?c=d"}, {}}));

    instance.reset();
    EXPECT_FALSE(fs::exists(ApplicationInstance::socketPath(id)));
    EXPECT_EQ(ApplicationInstance::runningProcess(id), 0);
    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://a"}), ApplicationInstance::HandOff::noInstance);
}

// Without a runtime directory the fallback is a folder of the user's own; one that is not the
// user's alone is refused.
TEST_F(DesktopTest, TheFallbackRuntimeDirectoryIsTheUsersAlone) {
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", path("tmp").c_str(), 1);
    fs::create_directories(path("tmp"));
    const std::string own = path("tmp") + "/runtime-" + std::to_string(::getuid());
    EXPECT_EQ(ApplicationInstance::runtimeDirectory(), own);
    EXPECT_EQ(fs::status(own).permissions() & fs::perms::all, fs::perms::owner_all);
    ::chmod(own.c_str(), 0777);
    EXPECT_EQ(ApplicationInstance::runtimeDirectory(), "");
    std::string error;
    EXPECT_FALSE(ApplicationInstance::claim("org.example.x", [](const std::vector<std::string>&) {}, &error));
    EXPECT_NE(error.find("no private runtime directory"), std::string::npos) << error;
    EXPECT_EQ(ApplicationInstance::handOff("org.example.x", {}), ApplicationInstance::HandOff::noInstance);
    ::unsetenv("TMPDIR");
}

// The workspace sends a URL of another application's scheme to its running instance, or starts
// the application with it; only when opening leaves the process at all.
TEST_F(DesktopTest, TheWorkspaceHandsCustomSchemesToTheRunningApplicationOrStartsIt) {
    const std::string script = path("handler.sh");
    std::ofstream(script) << "#!/bin/sh\necho \"$@\" > \"" << path("started.txt") << "\"\n";
    ::chmod(script.c_str(), 0755);
    entry("data", "org.example.handler.desktop", "Type=Application\nName=Handler\nExec=\"" + script + "\" %u\nMimeType=x-scheme-handler/vzhand;\n");
    auto& ws = NSWorkspace::shared();
    auto url = [](const char* s) { return *Foundation::URL::fromString(s); };

    EXPECT_FALSE(ws.open(url("vzhand://quiet"))) << "tests keep URLs in the process";
    EXPECT_FALSE(fs::exists(path("started.txt")));

    ws.setOpensLinksExternally(true);
    EXPECT_FALSE(ws.open(url("nobody://x"))) << "no application handles it";
    ASSERT_TRUE(ws.open(url("vzhand://start?x=1")));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (read("started.txt").empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(read("started.txt"), "vzhand://start?x=1\n");

    std::vector<std::string> received;
    auto instance = ApplicationInstance::claim("org.example.handler", [&](const std::vector<std::string>& urls) {
        received.insert(received.end(), urls.begin(), urls.end());
    });
    ASSERT_TRUE(instance);
    fs::remove(path("started.txt"));
    ASSERT_TRUE(ws.open(url("vzhand://running")));
    Dispatch::RunLoop::main().runUntil([&] { return !received.empty(); }, 5);
    EXPECT_EQ(received, std::vector<std::string>{"vzhand://running"});
    EXPECT_FALSE(fs::exists(path("started.txt"))) << "nothing was started";
    EXPECT_EQ(ws.openedURLs().size(), 4u);
}

// F10 opens the application menu in the key window, as the desktop's menu key does; the item the
// user takes is performed.
class ApplicationMenuKey : public AppKitTest::AppKitTest {
protected:
    void TearDown() override {
        NSMenu::setChooser(nullptr);
        AppKitTest::TearDown();
    }
};

class MenuTarget : public Runtime::NSObject {
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("about:", &MenuTarget::about)};
    }
    VZ_OBJECT(MenuTarget, Runtime::NSObject)
public:
    int abouts = 0;
    void about(Runtime::NSObject*) { ++abouts; }
};

TEST_F(ApplicationMenuKey, F10OpensTheApplicationMenu) {
    auto& app = NSApplication::shared();
    auto target = Runtime::make<MenuTarget>();
    auto appMenu = NSMenu::make("App");
    auto about = appMenu->addItem("About App", Runtime::Selector("about:"), "");
    about->setTarget(target);
    appMenu->addItem("Quit App", Runtime::Selector("terminate:"), "q");
    auto main = NSMenu::make("Main Menu");
    auto appItem = NSMenuItem::make("App");
    appItem->setSubmenu(appMenu);
    main->addItem(appItem);
    app.setMainMenu(main);
    EXPECT_FALSE(app.showApplicationMenu()) << "no key window to open it in";

    auto window = NSWindow::make({0, 0, 300, 200});
    window->makeKeyAndOrderFront();
    std::vector<std::string> opened;
    NSMenu::setChooser([&](NSMenu& menu) {
        opened.push_back(menu.title());
        return menu.itemWithTitle("About App");
    });
    auto f10 = [&](ModifierFlags flags) {
        app.sendEvent(NSEvent::keyEvent(EventType::keyDown, {}, flags, 0, window, "\xEF\x9C\x8D", "\xEF\x9C\x8D", false, KeyCode::f10));
    };
    f10({});
    EXPECT_EQ(opened, std::vector<std::string>{"App"});
    EXPECT_EQ(target->abouts, 1);
    EXPECT_EQ(NSMenu::lastPopUp().view, window->contentView().get());
    f10(ModifierFlags::control());
    EXPECT_EQ(opened.size(), 1u) << "Control-F10 is not the menu key";

    NSMenu::setChooser(NSMenu::choosing("Quit App"));
    f10({});
    EXPECT_TRUE(app.isTerminated());
}

}  // namespace
