#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AuhostProcess.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/ExtensionUnitSource.hpp"
#include "Host/AudioHost/LoadableModule.hpp"

namespace {

namespace fs = std::filesystem;
using ExtensionTests::fileContents;
using ExtensionTests::runAuhost;

const fs::path builtAppex = fs::path(VZ_BINARY_DIR) / "Vantrel_Zellow.app/Contents/PlugIns/Vantrel_Zellow_Extension.appex";
const fs::path builtModule = builtAppex / "Contents/MacOS/Vantrel_Zellow_Extension.so";

// Bundles made by the tests, in a folder of their own.
class Auhost : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(VZ_BINARY_DIR) / "test-output" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    // A bundle with the built extension's Info.plist over `module`'s bytes.
    fs::path bundleWithModule(const std::string& name, const std::string& module) {
        const fs::path bundle = dir_ / name;
        fs::create_directories(bundle / "Contents/MacOS");
        fs::copy_file(builtAppex / "Contents/Info.plist", bundle / "Contents/Info.plist");
        std::ofstream(bundle / "Contents/MacOS/Vantrel_Zellow_Extension.so", std::ios::binary) << module;
        return bundle;
    }
    // A copy of the built extension inside an application of the test's own, whose Frameworks
    // are the built application's; in its Info.plist each `edits` text is replaced.
    fs::path hostedCopy(const std::string& name, const std::vector<std::pair<std::string, std::string>>& edits) {
        const fs::path contents = dir_ / "Host.app/Contents";
        fs::create_directories(contents / "PlugIns");
        if (!fs::exists(fs::symlink_status(contents / "Frameworks")))
            fs::create_directory_symlink(builtAppex.parent_path().parent_path() / "Frameworks", contents / "Frameworks");
        const fs::path bundle = contents / "PlugIns" / name;
        fs::copy(builtAppex, bundle, fs::copy_options::recursive);
        std::string info = fileContents(bundle / "Contents/Info.plist");
        for (const auto& [from, to] : edits) {
            const auto at = info.find(from);
            EXPECT_NE(at, std::string::npos) << from;
            if (at != std::string::npos) info.replace(at, from.size(), to);
        }
        std::ofstream(bundle / "Contents/Info.plist", std::ios::trunc) << info;
        return bundle;
    }
    fs::path dir_;
};

// auhost knows the effect only through its bundle: no library of the effect is linked in.
TEST_F(Auhost, LinksNoCodeOfTheEffect) {
    const std::string command = "ldd " + std::string(VZ_BINARY_DIR) + "/bin/auhost";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string libraries;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) libraries.append(buffer, n);
    ASSERT_EQ(::pclose(pipe), 0) << libraries;
    EXPECT_NE(libraries.find("libPlatformAudioToolbox.so"), std::string::npos) << libraries;
    for (const char* effect : {"libVantrelZellow", "libPellicot", "/Vantrel_Zellow_Extension/", "/Pellicot/", ".appex/"})
        EXPECT_EQ(libraries.find(effect), std::string::npos) << effect << " in\n" << libraries;
}

// A module cut short would crash the loader; it is refused before it is loaded.
TEST_F(Auhost, AModuleThatIsNotWholeIsRefusedBeforeLoading) {
    const std::string module = fileContents(builtModule);
    ASSERT_GT(module.size(), 10000u);
    struct Case {
        std::string bytes, says;
    } cases[] = {
        {module.substr(0, 40), "is not a shared object"},
        {module.substr(0, 2000), "is cut short"},
        {module.substr(0, module.size() / 2), "is cut short"},
        {module.substr(0, module.size() - 1), "is cut short"},
        {"#!/bin/sh\necho hello\n", "is not a shared object"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const fs::path bundle = bundleWithModule("Cut" + std::to_string(++n) + ".appex", c.bytes);
        SCOPED_TRACE(bundle.string());
        try {
            AudioHost::LoadableModule::check((bundle / "Contents/MacOS/Vantrel_Zellow_Extension.so").string(), bundle.string());
            ADD_FAILURE() << "accepted";
        } catch (const AudioHost::BadInput& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
        const auto run = runAuhost("--extension " + bundle.string() + " list");
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    EXPECT_NO_THROW(AudioHost::LoadableModule::check(builtModule.string(), builtAppex.string()));
}

// One bundle that cannot be hosted is reported on its own line; the others are still listed.
TEST_F(Auhost, ListReportsABrokenBundleAlone) {
    fs::create_directory_symlink(builtAppex, dir_ / "Good.appex");
    bundleWithModule("Broken.appex", "not a module");
    const auto run = runAuhost("--extension " + dir_.string() + " list");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("aumi vzlw Qrvn  Quorvane: Vantrel Zellow  (" + (dir_ / "Good.appex").string() + ")"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.err, "auhost: " + (dir_ / "Broken.appex").string() + ": its module " +
                           (dir_ / "Broken.appex/Contents/MacOS/Vantrel_Zellow_Extension.so").string() + " is not a shared object\n");
}

// An Info.plist nested without end reads as no property list: the bundle is no extension, and
// the host does not overflow its stack reading it.
TEST_F(Auhost, ADeeplyNestedInfoPlistIsNoExtension) {
    const fs::path bundle = dir_ / "Deep.appex";
    fs::create_directories(bundle / "Contents");
    {
        std::ofstream info(bundle / "Contents/Info.plist");
        info << "<plist>";
        for (int i = 0; i < 200000; ++i) info << "<array>";
    }
    const auto run = runAuhost("--extension " + bundle.string() + " list");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("not an Audio Unit extension"), std::string::npos) << run.err;
}

// A copy of the bundle loads the libraries it carries, not those of the bundle it was copied
// from: the copy's editor library, replaced here by one that cannot load, is the one tried.
TEST_F(Auhost, ACopiedBundleLoadsItsOwnLibraries) {
    const fs::path copy = dir_ / "Copy.app";
    fs::copy(builtAppex.parent_path().parent_path().parent_path(), copy, fs::copy_options::recursive);
    const fs::path appex = copy / "Contents/PlugIns/Vantrel_Zellow_Extension.appex";
    std::ofstream(appex / "Contents/MacOS/libVantrelZellowEditor.so", std::ios::trunc) << "not a library";
    const auto run = runAuhost("--extension " + appex.string() + " list");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find((appex / "Contents/MacOS/libVantrelZellowEditor.so").string()), std::string::npos) << run.err;
}

// Bundles whose files cannot be read as a bundle's are each refused at once, with the reason:
// a property list too large to be one is not read (a sparse file of 3 GiB here), one that does
// not parse says why, and a FIFO or a folder in a file's place is not waited on or loaded.
TEST_F(Auhost, UnreadableBundleFilesAreRefusedAtOnceWithTheReason) {
    const auto info = [&](const std::string& name) {
        fs::create_directories(dir_ / name / "Contents/MacOS");
        return dir_ / name / "Contents/Info.plist";
    };
    fs::copy_file(builtAppex / "Contents/Info.plist", info("Huge.appex"));
    fs::resize_file(info("Huge.appex"), std::uintmax_t(3) << 30);
    std::ofstream(info("Malformed.appex")) << "<plist><dict><key>NSExtension</key><dict></plist>";
    ASSERT_EQ(::mkfifo(info("FifoInfo.appex").c_str(), 0600), 0);
    fs::copy_file(builtAppex / "Contents/Info.plist", info("FifoModule.appex"));
    ASSERT_EQ(::mkfifo((dir_ / "FifoModule.appex/Contents/MacOS/Vantrel_Zellow_Extension.so").c_str(), 0600), 0);
    fs::copy_file(builtAppex / "Contents/Info.plist", info("FolderModule.appex"));
    fs::create_directory(dir_ / "FolderModule.appex/Contents/MacOS/Vantrel_Zellow_Extension.so");

    // Bounded, so that a host that waits on a FIFO fails instead of hanging.
    const std::string err = (dir_ / "err.txt").string();
    const int raw = std::system(("timeout 60 " + ExtensionTests::auhostCommand() + " --extension " + dir_.string() + " list >/dev/null 2>" + err).c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 2);
    const std::string said = fileContents(err);
    const std::string bad = "auhost: " + dir_.string() + "/";
    for (const std::string& expected :
         {bad + "FifoInfo.appex: not an Audio Unit extension: its Info.plist does not read (The file \"" + info("FifoInfo.appex").string() + "\" could not be read: it is a FIFO, not a regular file.)\n",
          bad + "FifoModule.appex: its module " + (dir_ / "FifoModule.appex/Contents/MacOS/Vantrel_Zellow_Extension.so").string() + " is not a file\n",
          bad + "FolderModule.appex: its module " + (dir_ / "FolderModule.appex/Contents/MacOS/Vantrel_Zellow_Extension.so").string() + " is not a file\n",
          bad + "Huge.appex: not an Audio Unit extension: its Info.plist does not read (The file \"" + info("Huge.appex").string() +
              "\" is too large to be a property list (3221225472 bytes; at most 4194304).)\n",
          bad + "Malformed.appex: not an Audio Unit extension: its Info.plist does not read (Not a property list: "})
        EXPECT_NE(said.find(expected), std::string::npos) << expected << "\nin\n" << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 5) << said;
}

// The module a bundle names is its own: a name that leads out of the MacOS folder, an absolute
// path or a link to a module elsewhere is refused, by the listing as by hosting, and nothing is
// loaded from there.
TEST_F(Auhost, AModuleOutsideItsBundleIsNeitherListedNorLoaded) {
    const std::string executable = "<string>Vantrel_Zellow_Extension.so</string>";
    const fs::path up = hostedCopy("Up.appex", {{executable, "<string>../Vantrel_Zellow_Extension.so</string>"}});
    fs::create_symlink(builtModule, up / "Contents/Vantrel_Zellow_Extension.so");
    const fs::path absolute = hostedCopy("Absolute.appex", {{executable, "<string>" + builtModule.string() + "</string>"}});
    const fs::path linked = hostedCopy("Linked.appex", {});
    const fs::path link = linked / "Contents/MacOS/Vantrel_Zellow_Extension.so";
    fs::remove(link);
    fs::create_symlink(builtModule, link);
    struct Case {
        fs::path bundle;
        std::string says;
    } cases[] = {
        {up, "auhost: " + up.string() + ": its executable \"../Vantrel_Zellow_Extension.so\" is no file name in the bundle's MacOS folder\n"},
        {absolute, "auhost: " + absolute.string() + ": its executable \"" + builtModule.string().substr(0, 40) +
                       "...\" is no file name in the bundle's MacOS folder\n"},
        {linked, "auhost: " + linked.string() + ": its module " + link.string() + " lies outside the bundle (at " +
                     fs::canonical(builtModule).string() + ")\n"},
    };
    for (const Case& c : cases) {
        for (const std::string command : {"list", "params"}) {
            SCOPED_TRACE(c.bundle.filename().string() + " " + command);
            const auto run = runAuhost("--extension " + c.bundle.string() + " " + command);
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, c.says);
        }
    }
}

// What a bundle says of itself is listed on its one line: a line break or another control
// character in the component's name or codes is shown escaped, so it can neither forge a line
// nor command the terminal (CSI, U+009B, as ESC [ does; ESC itself no property list carries).
TEST_F(Auhost, ListShowsTheControlCharactersOfABundleEscaped) {
    const fs::path bundle = hostedCopy("Forged.appex", {{"<string>Quorvane: Vantrel Zellow</string>",
                                                         "<string>Evil\nauhost: forged&#13;\tline \\x0A&#127;&#155;[2J</string>"},
                                                        {"<string>vzlw</string>", "<string>v\nlw</string>"}});
    const auto run = runAuhost("--extension " + bundle.string() + " list");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "aumi v\\x0Alw Qrvn  Evil\\x0Aauhost: forged\\x0D\\x09line \\x5Cx0A\\x7F\\xC2\\x9B[2J  (" + bundle.string() + ")\n");
}

// Of a folder's bundles the first that can be hosted is used: a broken one before it in the
// folder does not stop the command.
TEST_F(Auhost, AFolderOfBundlesHostsTheGoodOneBesideABrokenOne) {
    bundleWithModule("Broken.appex", "not a module");
    fs::create_directory_symlink(builtAppex, dir_ / "Good.appex");
    const auto run = runAuhost("--extension " + dir_.string() + " params");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("delay"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
}

// The effect delays notes past the events it passes on at once: the list it renders is still
// in time order, so it renders again.
TEST_F(Auhost, ADelayedEventListRendersAgain) {
    std::ofstream(dir_ / "in.txt") << "0 90 3C 40\n10 B0 07 7F\n";
    const std::string in = (dir_ / "in.txt").string(), out = (dir_ / "out.txt").string();
    auto run = runAuhost("render --set delay=20 " + in + " " + out);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileContents(out), "10 B0 07 7F\n882 90 3C 40\n");
    run = runAuhost("render " + out + " " + (dir_ / "again.txt").string());
    EXPECT_EQ(run.status, 0) << run.err;
}

// --help and -h with any command print the usage on standard output and succeed, before
// anything else is looked at: the effect, the options, the files.
TEST_F(Auhost, EveryCommandPrintsItsUsageForHelp) {
    for (const std::string command : {"--help", "-h", "help", "edit --help", "edit -h", "edit --play missing.mid --size 1 -h",
                                      "render --help", "render -h", "render in.txt --help", "params --help", "presets -h",
                                      "list --help", "--extension /no/such.appex edit --help", "--extension --help"}) {
        const auto run = runAuhost(command);
        EXPECT_EQ(run.status, 0) << command << ": " << run.err;
        EXPECT_EQ(run.out.rfind("usage: auhost render", 0), 0u) << command;
        EXPECT_NE(run.out.find("edit options:"), std::string::npos) << command;
        EXPECT_EQ(run.err, "") << command;
    }
    // Without a command the usage is the error.
    const auto none = runAuhost("--extension " + builtAppex.string());
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err.rfind("usage: auhost render", 0), 0u) << none.err;
}

// What a command prints is part of its work: a full or closed standard output fails it.
TEST_F(Auhost, AFullOrClosedStandardOutputFailsTheCommand) {
    const std::string song = std::string(VZ_SOURCE_DIR) + "/examples/demo.mid";
    const std::string out = (dir_ / "out.mid").string();
    const std::vector<std::string> commands = {"--help", "list", "render " + song + " " + out};
    for (const std::string stdoutTo : {">/dev/full", ">&-"})
        for (const std::string& command : commands) {
            SCOPED_TRACE(command + " " + stdoutTo);
            const auto run = runAuhost(command, stdoutTo);
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.err.rfind("auhost: cannot write to standard output: ", 0), 0u) << run.err;
        }
}

}  // namespace
