#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <thread>

#include <spawn.h>

#include "AppKit/ApplicationInstance.hpp"
#include "AppKit/DesktopEntry.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSMenuItem.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "AppKitTestSupport.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/Strings.hpp"
#include "TestSupport/Eventually.hpp"
#include "TestSupport/ScratchDirectory.hpp"

extern char** environ;

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

std::string programOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    for (auto& dir : Foundation::split(path ? path : "/usr/bin:/bin", ':'))
        if (!dir.empty() && ::access((dir + "/" + name).c_str(), X_OK) == 0) return dir + "/" + name;
    return {};
}

// Runs a program and waits for it; its exit status.
int run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A percent sign in the program's path is no field code: the entry starts the program itself
// with the URL, as the desktop's own launcher reads it (gio, when installed) and as ours does.
TEST_F(DesktopTest, AProgramWhosePathHoldsPercentSignsIsStartedAsItself) {
    auto b = bundle("<key>CFBundleIdentifier</key><string>org.example.percent</string>"
                    "<key>CFBundleURLTypes</key><array><dict><key>CFBundleURLSchemes</key>"
                    "<array><string>zz</string></array></dict></array>");
    const std::string gio = programOnPath("gio");
    const std::string url = "zz://open?a=%41&b=%u";
    for (const std::string folder : {"pct%u", "50%% off %c%i%U", "odd $x \"q\" `b` \\ 100%"}) {
        SCOPED_TRACE(folder);
        const std::string program = path(folder + "/run.sh"), out = path("started.txt");
        fs::create_directories(path(folder));
        std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" << out << "'\n";
        ::chmod(program.c_str(), 0755);
        auto e = DesktopEntry::forBundle(*b, program);
        ASSERT_TRUE(e);
        std::string error;
        ASSERT_TRUE(e->install(&error)) << error;
        EXPECT_EQ(DesktopEntry::read(e->path)->commandLine(url),
                  (std::vector<std::string>{"sh", "-c", "exec \"$0\" \"$@\"", program, url}));
        const std::string expected = program + "\n" + url + "\n";
        std::vector<std::vector<std::string>> launchers{DesktopEntry::read(e->path)->commandLine(url)};
        if (!gio.empty()) launchers.push_back({gio, "launch", e->path, url});
        for (auto& launcher : launchers) {
            SCOPED_TRACE(launcher[0]);
            fs::remove(out);
            EXPECT_EQ(run(launcher), 0);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (read("started.txt") != expected && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            EXPECT_EQ(read("started.txt"), expected);
        }
    }
    if (gio.empty()) GTEST_SKIP() << "the desktop's launcher (gio, of libglib2.0-bin) is not installed";
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
        {"\"/opt/pct%%u/run\" \"a%ub\" %u", {"/opt/pct%u/run", "ax:yb", "x:y"}},
    };
    for (const auto& c : cases) {
        DesktopEntry e;
        e.name = "Name";
        e.icon = "/i.png";
        e.exec = c.exec;
        EXPECT_EQ(e.commandLine("x:y"), c.args) << c.exec;
    }
}

// Runs `body` on a thread of its own; whether it ended within five seconds. One left waiting on
// a FIFO among `fifos` is let go then (each opened for reading and writing a while), so that
// such a fault fails its test instead of hanging it.
bool endsPromptly(const std::function<void()>& body, const std::vector<std::string>& fifos) {
    auto done = std::async(std::launch::async, body);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return true;
    struct sigaction ignore {}, before {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &before);
    while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        std::vector<int> opened;
        for (auto& f : fifos)
            if (struct stat s {}; ::stat(f.c_str(), &s) == 0 && S_ISFIFO(s.st_mode)) opened.push_back(::open(f.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
        done.wait_for(std::chrono::milliseconds(200));
        for (int fd : opened)
            if (fd >= 0) ::close(fd);
        done.wait_for(std::chrono::milliseconds(200));
    }
    ::sigaction(SIGPIPE, &before, nullptr);
    return false;
}

// The entry is written whole through whatever its path holds, as the programs write their
// outputs: nothing planted beside it is followed or waited on, a link to it stays a link to the
// rewritten file, and anything but a regular file there is refused at once.
TEST_F(DesktopTest, TheEntryIsWrittenWholeWhateverItsPathHolds) {
    auto e = DesktopEntry::forBundle(*bundle("<key>CFBundleIdentifier</key><string>org.example.planted</string>"
                                             "<key>CFBundleURLTypes</key><array><dict><key>CFBundleURLSchemes</key>"
                                             "<array><string>zz</string></array></dict></array>"),
                                     path("run"));
    ASSERT_TRUE(e);
    const std::string apps = path("data/applications"), entry = apps + "/" + e->id, beside = entry + ".new";
    const std::string victim = path("victim.txt"), kept = path("dotfiles/entry.desktop"), pipe = path("dotfiles/pipe");
    const std::string old = "[Desktop Entry]\nType=Application\nName=Old\nExec=old\n";
    enum class After { written, linkKept, leftAlone };
    struct Case {
        const char* what;
        std::function<void()> plant;
        std::string error;  // none: installed
        After after;
    } cases[] = {
        {"a link beside the entry", [&] { fs::create_symlink(victim, beside); }, "", After::written},
        {"a FIFO beside the entry", [&] { ::mkfifo(beside.c_str(), 0600); }, "", After::written},
        {"a link at the entry", [&] { fs::create_symlink(kept, entry); }, "", After::linkKept},
        {"an old entry", [&] { std::ofstream(entry) << old; }, "", After::written},
        {"a FIFO at the entry", [&] { ::mkfifo(entry.c_str(), 0600); }, "cannot write " + entry + ": it is not a regular file",
         After::leftAlone},
        {"a link at the entry to a FIFO",
         [&] {
             ::mkfifo(pipe.c_str(), 0600);
             fs::create_symlink(pipe, entry);
         },
         "cannot write " + entry + ": it is not a regular file", After::leftAlone},
        {"a folder at the entry", [&] { fs::create_directory(entry); }, "cannot write " + entry + ": it is not a regular file",
         After::leftAlone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(apps);
        fs::remove_all(path("dotfiles"));
        fs::create_directories(apps);
        fs::create_directories(path("dotfiles"));
        write("victim.txt", "precious\n");
        write("dotfiles/entry.desktop", old);
        c.plant();
        const auto planted = fs::symlink_status(entry).type();
        DesktopEntry installing = *e;
        bool installed = false;
        std::string error;
        ASSERT_TRUE(endsPromptly([&] { installed = installing.install(&error); }, {entry, beside}));
        EXPECT_EQ(installed, c.error.empty());
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(read("victim.txt"), "precious\n") << "a link beside the entry was followed";
        switch (c.after) {
        case After::written:
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(entry)));
            EXPECT_EQ(read("data/applications/" + e->id), e->text());
            break;
        case After::linkKept:
            EXPECT_TRUE(fs::is_symlink(entry));
            EXPECT_EQ(read("dotfiles/entry.desktop"), e->text());
            break;
        case After::leftAlone: EXPECT_EQ(fs::symlink_status(entry).type(), planted); break;
        }
        if (installed) {
            EXPECT_EQ(installing.path, entry);
        }
        for (const auto& f : fs::directory_iterator(apps))
            EXPECT_TRUE(f.path() == entry || f.path() == beside) << f.path() << " was left behind";
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

sockaddr_un socketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), std::min(path.size() + 1, sizeof address.sun_path - 1));
    return address;
}

// A client of the instance's socket that says exactly what a test gives it.
class RawClient {
public:
    explicit RawClient(const std::string& path) {
        const sockaddr_un address = socketAddress(path);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        connected_ = ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawClient() { ::close(fd_); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool connected() const { return connected_; }
    bool send(const std::string& text) { return ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL) == ssize_t(text.size()); }
    void endSending() { ::shutdown(fd_, SHUT_WR); }
    // What comes within `seconds`, up to `bytes` or until the other side closes.
    std::string reply(std::size_t bytes, double seconds) {
        std::string text;
        const auto end = after(seconds);
        char buffer[256];
        while (text.size() < bytes && wait(end)) {
            const ssize_t n = ::recv(fd_, buffer, std::min(sizeof buffer, bytes - text.size()), 0);
            if (n <= 0) break;
            text.append(buffer, std::size_t(n));
        }
        return text;
    }
    // True once the other side has closed, within `seconds`.
    bool hungUp(double seconds) {
        const auto end = after(seconds);
        char c;
        while (wait(end))
            if (::recv(fd_, &c, 1, 0) <= 0) return true;
        return false;
    }

private:
    static std::chrono::steady_clock::time_point after(double seconds) {
        return std::chrono::steady_clock::now() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
    }
    bool wait(std::chrono::steady_clock::time_point end) const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        pollfd p{fd_, POLLIN, 0};
        return left > 0 && ::poll(&p, 1, int(left)) > 0;
    }
    int fd_ = -1;
    bool connected_ = false;
};

// Sends a byte every 0.2 s until the other side hangs up (or twenty seconds pass).
class DrippingClient {
public:
    explicit DrippingClient(const std::string& path) : client_(path) {
        thread_ = std::thread([this] {
            for (int i = 0; i < 100 && !stop_; ++i) {
                if (!client_.send("z")) {
                    hungUp_ = true;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
            dripping_ = false;
        });
    }
    ~DrippingClient() {
        stop_ = true;
        thread_.join();
    }
    bool connected() const { return client_.connected(); }
    bool hungUp() const { return hungUp_; }
    bool dripping() const { return dripping_; }

private:
    RawClient client_;
    std::atomic<bool> stop_{false}, hungUp_{false}, dripping_{true};
    std::thread thread_;
};

// A listener of the test's own where the instance would listen (-1 when it cannot be made).
int listenAt(const sockaddr_un& address, int backlog) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 && ::listen(fd, backlog) == 0) return fd;
    ::close(fd);
    return -1;
}

bool isRoot() { return ::geteuid() == 0; }

// Runs `body` in a child process and gives its exit status. The parent has threads, so the
// child makes plain system calls only.
template <class Body>
int inChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::syscall(SYS_exit_group, body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

constexpr long nobody = 65534;
bool becomeNobody() {
    return ::syscall(SYS_setgroups, 0, nullptr) == 0 && ::syscall(SYS_setresgid, nobody, nobody, nobody) == 0 &&
           ::syscall(SYS_setresuid, nobody, nobody, nobody) == 0;
}

class HandOffTest : public DesktopTest {
protected:
    const std::string id = "org.example.handoff";
    std::vector<std::vector<std::string>> received;
    std::unique_ptr<ApplicationInstance> instance;

    void claim() {
        std::string error;
        instance = ApplicationInstance::claim(id, [this](const std::vector<std::string>& urls) { received.push_back(urls); }, &error);
        ASSERT_TRUE(instance) << error;
    }
    void waitForReceived(std::size_t count) {
        Dispatch::RunLoop::main().runUntil([&] { return received.size() >= count; }, 10);
        Dispatch::RunLoop::main().runUntilIdle();
    }
    // An exchange as a start makes it: the message, then "go" once the answer came, or the
    // connection closed (a start that ended or gave up). The instance's answer.
    std::string exchange(const std::string& message, bool confirm) {
        RawClient client(ApplicationInstance::socketPath(id));
        EXPECT_TRUE(client.connected());
        client.send(message);
        if (!confirm && message.back() != '\n') client.endSending();
        const std::string answer = client.reply(3, 10);
        if (answer == "ok\n") confirm ? (void)client.send("go\n") : client.endSending();
        EXPECT_TRUE(client.hungUp(10)) << "the instance ends every exchange";
        return answer;
    }
};

// Starts are served at once however many clients stay silent or drip their bytes; those are
// hung up on after the deadline without being acted on, and one still dripping does not keep
// the instance from ending.
TEST_F(HandOffTest, EveryStartIsServedAtOnceAndNoClientHoldsTheInstance) {
    claim();
    const std::string socket = ApplicationInstance::socketPath(id);
    std::vector<std::unique_ptr<RawClient>> silent;
    for (int i = 0; i < 5; ++i) silent.push_back(std::make_unique<RawClient>(socket));
    DrippingClient dripping(socket);
    ASSERT_TRUE(dripping.connected());

    std::string error;
    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://a"}, &error), ApplicationInstance::HandOff::delivered) << error;
    EXPECT_EQ(ApplicationInstance::handOff(id, {}, &error), ApplicationInstance::HandOff::delivered) << error;
    waitForReceived(2);
    EXPECT_EQ(received, (std::vector<std::vector<std::string>>{{"zz://a"}, {}}));

    for (auto& client : silent) EXPECT_TRUE(client->hungUp(ApplicationInstance::messageDeadlineSeconds + 5));
    EXPECT_TRUE(Dispatch::RunLoop::main().runUntil([&] { return dripping.hungUp(); }, ApplicationInstance::messageDeadlineSeconds + 5))
        << "the deadline is for the whole message";
    Dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(received.size(), 2u) << "a client that said nothing whole asked for nothing";

    DrippingClient another(socket);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    instance.reset();
    EXPECT_TRUE(another.dripping()) << "the instance ended while the client still dripped";
    EXPECT_TRUE(Dispatch::RunLoop::main().runUntil([&] { return another.hungUp(); }, 5));
    EXPECT_FALSE(fs::exists(socket));
}

// Only a whole message of at most 64 KiB, confirmed by its start, of the user's own processes
// is acted on; the start refuses to send more.
TEST_F(HandOffTest, TheInstanceActsOnlyOnAWholeConfirmedMessage) {
    claim();
    const std::size_t most = ApplicationInstance::maximumMessage;
    const std::string longest = "zz://" + std::string(most - 7, 'a');  // with its line break and the empty line
    struct Case {
        const char* what;
        std::string message;
        bool confirm;
        std::string answer;
    } cases[] = {
        {"the longest message", longest + "\n\n", true, "ok\n"},
        {"one byte more", longest + "a\n\n", true, ""},
        {"far more", std::string(3 * most, 'b') + "\n\n", true, ""},
        {"cut short by the start's end", "zz://cut\nzz://sh", false, ""},
        {"left unfinished", "zz://cut\n", true, ""},
        {"not confirmed", "zz://unconfirmed\n\n", false, "ok\n"},
        {"more after the end", "zz://x\n\nzz://y\n", true, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(exchange(c.message, c.confirm), c.answer) << c.what;
    {
        RawClient wrong(ApplicationInstance::socketPath(id));
        wrong.send("zz://wrong\n\n");
        EXPECT_EQ(wrong.reply(3, 10), "ok\n");
        wrong.send("no\n");
        EXPECT_TRUE(wrong.hungUp(10)) << "a wrong confirmation";
    }
    std::string error;
    EXPECT_EQ(ApplicationInstance::handOff(id, {longest + "a"}, &error), ApplicationInstance::HandOff::failed);
    EXPECT_EQ(error, "the URLs are too long to hand over (more than 64 KiB)");
    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://last"}, &error), ApplicationInstance::HandOff::delivered) << error;
    waitForReceived(2);
    EXPECT_EQ(received, (std::vector<std::vector<std::string>>{{longest}, {"zz://last"}}));
}

// Another user's process never hands anything over, even where it can reach the socket.
TEST_F(HandOffTest, TheInstanceRefusesAnotherUsersProcess) {
    if (!isRoot()) GTEST_SKIP() << "acting as another user needs root";
    claim();
    const std::string socket = ApplicationInstance::socketPath(id);
    for (const std::string& folder : {path(""), path("runtime")}) ::chmod(folder.c_str(), 0711);
    ::chmod(socket.c_str(), 0666);
    const sockaddr_un address = socketAddress(socket);
    const int answered = inChild([&] {
        if (!becomeNobody()) return 100;
        const int fd = int(::syscall(SYS_socket, AF_UNIX, SOCK_STREAM, 0));
        if (::syscall(SYS_connect, fd, &address, sizeof address) != 0) return 101;
        const char message[] = "zz://intruder\n\n";
        ::syscall(SYS_sendto, fd, message, sizeof message - 1, MSG_NOSIGNAL, nullptr, 0);
        char reply[3] = {};
        const long n = ::syscall(SYS_recvfrom, fd, reply, sizeof reply, 0, nullptr, nullptr);  // the instance closes it
        if (n == 3 && reply[0] == 'o') ::syscall(SYS_sendto, fd, "go\n", 3, MSG_NOSIGNAL, nullptr, 0);
        return n > 0 ? 1 : 0;
    });
    EXPECT_EQ(answered, 0) << "hung up on without an answer";
    ::chmod(path("runtime").c_str(), 0700);
    std::string error;
    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://own"}, &error), ApplicationInstance::HandOff::delivered) << error;
    waitForReceived(1);
    EXPECT_EQ(received, std::vector<std::vector<std::string>>{{"zz://own"}});
}

// A start sends nothing where another user could listen: a runtime folder not the user's alone,
// or a socket whose listener is another user's (the start then fails rather than report the
// URLs delivered).
TEST_F(HandOffTest, AStartTalksOnlyToTheUsersOwnInstance) {
    const std::string socket = ApplicationInstance::socketPath(id);
    const sockaddr_un address = socketAddress(socket);
    const int listener = listenAt(address, 8);
    ASSERT_GE(listener, 0);
    auto connected = [&] {
        pollfd p{listener, POLLIN, 0};
        return ::poll(&p, 1, 0) > 0;
    };
    for (const mode_t mode : {0777, 0770, 0750, 0707, 0701}) {
        ::chmod(path("runtime").c_str(), mode);
        EXPECT_EQ(ApplicationInstance::runtimeDirectory(), "") << std::oct << mode;
        EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://x"}), ApplicationInstance::HandOff::noInstance) << std::oct << mode;
        std::string error;
        EXPECT_FALSE(ApplicationInstance::claim(id, [](const std::vector<std::string>&) {}, &error));
        EXPECT_NE(error.find("no private runtime directory"), std::string::npos) << error;
    }
    ::chmod(path("runtime").c_str(), 0700);
    if (isRoot()) {
        ASSERT_EQ(::chown(path("runtime").c_str(), nobody, nobody), 0);
        EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://x"}), ApplicationInstance::HandOff::noInstance) << "another user's folder";
        ASSERT_EQ(::chown(path("runtime").c_str(), 0, 0), 0);
    }
    EXPECT_FALSE(connected()) << "no start reached the listener";
    ::close(listener);
    fs::remove(socket);

    if (!isRoot()) GTEST_SKIP() << "a listener of another user needs root";
    // Another user's process listening at the instance's place (made there as root, then
    // listening as nobody): it answers as an instance would.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const int heard = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(::bind(heard, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    auto child = std::async(std::launch::async, [&] {
        return inChild([&] {
            if (!becomeNobody() || ::syscall(SYS_listen, heard, 8) != 0) return 100;
            ::syscall(SYS_write, ready[1], "r", 1);
            const int fd = int(::syscall(SYS_accept4, heard, nullptr, nullptr, 0));
            char buffer[64];
            const long n = ::syscall(SYS_recvfrom, fd, buffer, sizeof buffer, 0, nullptr, nullptr);
            ::syscall(SYS_sendto, fd, "ok\n", 3, MSG_NOSIGNAL, nullptr, 0);
            return n > 0 ? 1 : 0;
        });
    });
    char r;
    ASSERT_EQ(::read(ready[0], &r, 1), 1);
    std::string error;
    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://secret"}, &error), ApplicationInstance::HandOff::failed);
    EXPECT_EQ(error, "the socket " + socket + " is not the user's own instance");
    EXPECT_EQ(child.get(), 0) << "the URL was never sent";
    for (int fd : {ready[0], ready[1], heard}) ::close(fd);
}

// A start gives up on an instance that takes no connection or never answers, within its
// deadline, instead of waiting for it; what it sent unconfirmed is left as a message the
// instance drops.
TEST_F(HandOffTest, AStartGivesUpOnAnInstanceThatDoesNotAnswer) {
    const sockaddr_un address = socketAddress(ApplicationInstance::socketPath(id));
    const int listener = listenAt(address, 1);
    ASSERT_GE(listener, 0);
    auto start = [&](std::vector<std::string> urls) {
        return std::async(std::launch::async, [this, urls] {
            std::string error;
            const auto result = ApplicationInstance::handOff(id, urls, &error);
            return std::make_pair(result, error);
        });
    };
    const auto patience = std::chrono::duration<double>(ApplicationInstance::handOffDeadlineSeconds + 10);

    auto stalled = start({"zz://late"});
    ASSERT_EQ(stalled.wait_for(patience), std::future_status::ready);
    EXPECT_EQ(stalled.get(), std::make_pair(ApplicationInstance::HandOff::failed, std::string("the running instance did not answer in time")));
    const int late = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    ASSERT_GE(late, 0);
    std::string sent;
    char buffer[64];
    for (ssize_t n; (n = ::recv(late, buffer, sizeof buffer, 0)) > 0;) sent.append(buffer, std::size_t(n));
    EXPECT_EQ(sent, "zz://late\n\n") << "no confirmation follows";
    ::close(late);

    // A full queue: connecting would wait for ever.
    std::vector<int> queued;
    for (int i = 0; i < 64; ++i) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            break;
        }
        queued.push_back(fd);
    }
    auto blocked = start({"zz://blocked"});
    const bool ended = blocked.wait_for(patience) == std::future_status::ready;
    ::close(listener);  // lets a start that waits go
    ASSERT_TRUE(ended);
    EXPECT_EQ(blocked.get(), std::make_pair(ApplicationInstance::HandOff::failed, std::string("the running instance does not answer")));
    for (int fd : queued) ::close(fd);
}

// An instance that ends while a start hands over hangs up before it answers: nothing was
// delivered, so the start claims the application itself once that one is gone, URLs and all.
// The instance here is a stand-in that holds the claim as one does.
TEST_F(HandOffTest, AStartThatAnEndingInstanceHangsUpOnRunsInItsPlace) {
    const std::string lock = path("runtime/" + id + ".lock"), socket = ApplicationInstance::socketPath(id);
    const int held = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(held, F_OFD_SETLK, &whole), 0);
    const int listener = listenAt(socketAddress(socket), 8);
    ASSERT_GE(listener, 0);
    auto start = std::async(std::launch::async, [this] {
        return ApplicationInstance::start(id, {"zz://kept"}, [this](const std::vector<std::string>& urls) { received.push_back(urls); });
    });
    const int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    ASSERT_GE(connection, 0);
    char buffer[64];
    EXPECT_GT(::recv(connection, buffer, sizeof buffer, 0), 0) << "the start sent its URLs";
    // Ending: the claim and the socket go first, the start's connection last.
    ::close(held);
    ::close(listener);
    ::unlink(socket.c_str());
    ::close(connection);
    ASSERT_EQ(start.wait_for(std::chrono::duration<double>(ApplicationInstance::handOffDeadlineSeconds + 5)), std::future_status::ready);
    auto started = start.get();
    EXPECT_EQ(started.outcome, ApplicationInstance::Start::Outcome::running) << started.error;
    EXPECT_EQ(ApplicationInstance::runningProcess(id), ::getpid());
    EXPECT_EQ(ApplicationInstance::handOff(id, {"zz://later"}), ApplicationInstance::HandOff::delivered);
    waitForReceived(1);
    EXPECT_EQ(received, std::vector<std::vector<std::string>>{{"zz://later"}});
}

// A lock file that is no plain file of its own is refused with the reason, and left as it is
// with what it leads to; nothing waits on it, and a start runs alone, saying why.
TEST_F(HandOffTest, ALockThatIsNoPlainFileOfItsOwnIsRefusedAndLeftAlone) {
    const std::string lock = path("runtime/" + id + ".lock"), victim = path("victim.txt");
    const std::string link = lock + " is a symbolic link, not a lock file";
    struct Case {
        const char* what;
        std::function<void()> plant;
        std::string error;
    } cases[] = {
        {"a link to a file", [&] { fs::create_symlink(victim, lock); }, link},
        {"a link to nothing", [&] { fs::create_symlink(path("made-through-the-link"), lock); }, link},
        {"another name of a file", [&] { fs::create_hard_link(victim, lock); }, lock + " has other names (hard links), not a lock file"},
        {"a FIFO", [&] { ::mkfifo(lock.c_str(), 0600); }, lock + " is not a regular file, not a lock file"},
        {"a folder", [&] { fs::create_directory(lock); }, "cannot open " + lock + ": Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(lock);
        write("victim.txt", "precious\n");
        c.plant();
        bool claimed = true;
        std::string error;
        pid_t running = -1;
        auto handOff = ApplicationInstance::HandOff::failed;
        ApplicationInstance::Start start;
        ASSERT_TRUE(endsPromptly(
            [&] {
                claimed = ApplicationInstance::claim(id, [](const std::vector<std::string>&) {}, &error) != nullptr;
                running = ApplicationInstance::runningProcess(id);
                handOff = ApplicationInstance::handOff(id, {"zz://a"});
                start = ApplicationInstance::start(id, {"zz://a"}, [](const std::vector<std::string>&) {});
            },
            {lock}));
        EXPECT_FALSE(claimed);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(running, 0);
        EXPECT_EQ(handOff, ApplicationInstance::HandOff::noInstance);
        EXPECT_EQ(start.outcome, ApplicationInstance::Start::Outcome::alone);
        EXPECT_EQ(start.error, c.error);
        EXPECT_EQ(read("victim.txt"), "precious\n");
        EXPECT_FALSE(exists("made-through-the-link"));
    }
}

// How much one start may hand over is the hand-off's limit alone: a first start takes URLs of
// any length, and a start that finds the instance running is refused them with the reason.
TEST_F(HandOffTest, OnlyAHandOffLimitsTheURLsLength) {
    const std::vector<std::string> urls{"zz://" + std::string(40 * 1024, 'a'), "zz://" + std::string(40 * 1024, 'b')};
    std::string error;
    EXPECT_EQ(ApplicationInstance::handOff(id, urls, &error), ApplicationInstance::HandOff::noInstance) << error;
    auto first = ApplicationInstance::start(id, urls, [this](const std::vector<std::string>& u) { received.push_back(u); });
    ASSERT_EQ(first.outcome, ApplicationInstance::Start::Outcome::running) << first.error;
    auto second = ApplicationInstance::start(id, urls, [](const std::vector<std::string>&) {});
    EXPECT_EQ(second.outcome, ApplicationInstance::Start::Outcome::failed);
    EXPECT_EQ(second.error, "the URLs are too long to hand over (more than 64 KiB)");
    EXPECT_FALSE(second.instance);
    auto third = ApplicationInstance::start(id, {"zz://short"}, [](const std::vector<std::string>&) {});
    EXPECT_EQ(third.outcome, ApplicationInstance::Start::Outcome::handedOver) << third.error;
    waitForReceived(1);
    EXPECT_EQ(received, std::vector<std::vector<std::string>>{{"zz://short"}});
}

// One start in a process of its own (the probe program, which starts as the application does),
// let go with the others of its round when their gate, its standard input, closes.
class ProbeStart {
public:
    ProbeStart(const std::string& identifier, const std::string& url, int gate, const std::string& stem)
        : out_(stem + ".out"), err_(stem + ".err") {
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, gate, STDIN_FILENO);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> args{VZ_INSTANCE_PROBE, identifier, url};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&files);
    }
    ~ProbeStart() {
        if (running()) end();
    }
    ProbeStart(const ProbeStart&) = delete;
    ProbeStart& operator=(const ProbeStart&) = delete;

    pid_t pid() const { return pid_; }
    bool running() {
        int raw = 0;
        if (!exited_ && pid_ > 0 && ::waitpid(pid_, &raw, WNOHANG) == pid_) {
            exited_ = true;
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        }
        return pid_ > 0 && !exited_;
    }
    int status() const { return status_; }  // once it ended; -1 for a signal
    // Ends it as a crash would: what it leaves behind is the next round's to clear.
    void end() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        exited_ = true;
    }
    std::string out() const { return contents(out_); }
    std::string err() const { return contents(err_); }

private:
    static std::string contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = -2;
    std::string out_, err_;
};

// However the starts fall, of many at once exactly one becomes the running instance and every
// other ends having handed its URL to it; round after round, each beginning where the last
// instance died and left its socket behind.
TEST_F(HandOffTest, ManyStartsAtOnceLeaveExactlyOneRunningAndEveryOtherHandsOver) {
    constexpr int rounds = 10, starts = 8;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        int gate[2];
        ASSERT_EQ(::pipe2(gate, O_CLOEXEC), 0);
        std::vector<std::unique_ptr<ProbeStart>> all;
        for (int i = 0; i < starts; ++i)
            all.push_back(std::make_unique<ProbeStart>(id, "zz://start-" + std::to_string(i), gate[0],
                                                       path("start-" + std::to_string(round) + "-" + std::to_string(i))));
        ::close(gate[0]);
        ::close(gate[1]);
        auto stillRunning = [&] {
            std::vector<ProbeStart*> left;
            for (auto& s : all)
                if (s->running()) left.push_back(s.get());
            return left;
        };
        EXPECT_TRUE(TestSupport::eventually([&] { return stillRunning().size() <= 1; }, 10));
        const auto left = stillRunning();
        ASSERT_EQ(left.size(), 1u) << "copies running at once";
        ProbeStart& instance = *left.front();
        EXPECT_EQ(ApplicationInstance::runningProcess(id), instance.pid());
        std::vector<std::string> expected{"running"};
        for (int i = 0; i < starts; ++i) {
            ProbeStart& s = *all[std::size_t(i)];
            if (&s == &instance) continue;
            EXPECT_EQ(s.status(), 0) << s.err();
            EXPECT_EQ(s.out(), "handed over\n");
            EXPECT_EQ(s.err(), "");
            expected.push_back("received zz://start-" + std::to_string(i));
        }
        std::sort(expected.begin(), expected.end());
        auto lines = [&] {
            auto said = Foundation::split(instance.out(), '\n');
            if (!said.empty() && said.back().empty()) said.pop_back();
            std::sort(said.begin(), said.end());
            return said;
        };
        EXPECT_TRUE(TestSupport::eventually([&] { return lines().size() >= expected.size(); }, 5));
        EXPECT_EQ(lines(), expected) << "what the running instance was handed";
        instance.end();
    }
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
