#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "AppProgram.hpp"
#include "AppTestSupport.hpp"
#include "TestSupport/ScratchDirectory.hpp"

namespace {

namespace fs = std::filesystem;
using AppTest::AppProgram;

const fs::path buildTree = fs::weakly_canonical(VZ_BINARY_DIR);
const fs::path builtApp = buildTree / "Vantrel_Zellow.app";
const std::string auhost = (buildTree / "bin/auhost").string();
const std::string extensionInside = "Contents/PlugIns/Vantrel_Zellow_Extension.appex";

bool isInside(const fs::path& path, const fs::path& folder) {
    const auto relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != "..";
}

bool isElf(const fs::path& file) {
    char magic[4] = {};
    std::ifstream(file, std::ios::binary).read(magic, 4);
    return std::string(magic, 4) == "\x7F" "ELF";
}

std::string commandOutput(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    if (!pipe) return out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

// The run paths an object's dynamic section names (RUNPATH or RPATH).
std::vector<std::string> runPaths(const fs::path& object) {
    std::vector<std::string> paths;
    std::istringstream lines(commandOutput("readelf -d '" + object.string() + "' 2>/dev/null"));
    for (std::string line; std::getline(lines, line);) {
        if (line.find("(RUNPATH)") == std::string::npos && line.find("(RPATH)") == std::string::npos) continue;
        const auto open = line.find('['), close = line.rfind(']');
        if (open == std::string::npos || close == std::string::npos) continue;
        std::istringstream list(line.substr(open + 1, close - open - 1));
        for (std::string entry; std::getline(list, entry, ':');) paths.push_back(entry);
    }
    return paths;
}

// A bundle copied to a folder of the test's own, outside the build tree, with every library of
// the build tree planted beside it where a run path leading out of the bundle would find one.
class SelfContainedBundle : public TestSupport::ScratchDirectoryTest {
protected:
    void SetUp() override {
        TestSupport::ScratchDirectoryTest::SetUp();
        ASSERT_FALSE(isInside(dir_, buildTree));
        copy_ = dir_ / "Vantrel_Zellow.app";
        fs::copy(builtApp, copy_, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
        // Where run paths leading out of the bundle would find them: as the build tree holds
        // them, relative to the folder that holds the bundle, and each straight beside it.
        for (auto it = fs::recursive_directory_iterator(buildTree); it != fs::recursive_directory_iterator(); ++it) {
            const fs::path& file = it->path();
            if (it->is_directory() && file.filename() == "test-output") it.disable_recursion_pending();
            if (!it->is_regular_file() || file.extension() != ".so") continue;
            plant(file, dir_ / file.filename());
            if (!isInside(file, builtApp)) plant(file, dir_ / fs::relative(file, buildTree));
        }
        fs::create_directories(dir_ / "home");
    }

    static void plant(const fs::path& library, const fs::path& at) {
        fs::create_directories(at.parent_path());
        if (!fs::exists(fs::symlink_status(at))) fs::create_symlink(library, at);
    }

    // Runs `program arguments...` with no library path and the dynamic loader's log on; the
    // exit status, and in `loaded` the path of every object it started.
    int run(const std::string& program, const std::vector<std::string>& arguments, std::vector<fs::path>& loaded) {
        static int serial = 0;
        const fs::path log = dir_ / ("ld-" + std::to_string(++serial));
        fs::create_directories(log);
        std::vector<std::pair<std::string, std::string>> environment = {
            {"LD_LIBRARY_PATH", ""}, {"LD_PRELOAD", ""},       {"LD_DEBUG", "libs"},
            {"LD_DEBUG_OUTPUT", (log / "ld").string()},           {"DISPLAY", ""},
            {"WAYLAND_DISPLAY", ""}, {"HOME", (dir_ / "home").string()},
            {"XDG_DATA_HOME", (dir_ / "home").string()},          {"XDG_CONFIG_HOME", (dir_ / "home").string()},
            {"XDG_RUNTIME_DIR", (dir_ / "home").string()},        {"VZ_UPDATE_FEED_REDIRECT", "http://127.0.0.1:9/feed.xml"}};
        for (auto& e : AppTest::sanitizerEnvironment()) environment.push_back(e);
        AppProgram process(program, arguments, dir_.string(), environment);
        const int status = process.wait(120);
        out_ = process.out();
        err_ = process.err();
        loaded.clear();
        for (const auto& file : fs::directory_iterator(log)) {
            std::istringstream lines(AppProgram::contents(file.path().string()));
            for (std::string line; std::getline(lines, line);)
                if (const auto at = line.find("calling init: "); at != std::string::npos)
                    loaded.push_back(fs::path(line.substr(at + 14)).lexically_normal());
        }
        return status;
    }

    // Nothing loaded from beside the copy or from the build tree, save what `allowed` names.
    void expectNothingFromOutside(const std::vector<fs::path>& loaded, const std::set<fs::path>& allowed = {}) {
        bool fromTheCopy = false;
        for (const fs::path& p : loaded) {
            fromTheCopy = fromTheCopy || (isInside(p, copy_) && p.filename() == "libPellicot.so");
            if (isInside(p, copy_) || allowed.count(p)) continue;
            EXPECT_FALSE(isInside(p, dir_)) << p << " was planted beside the bundle";
            EXPECT_FALSE(isInside(p, buildTree)) << p << " is in the build tree";
        }
        EXPECT_TRUE(fromTheCopy) << "the kit's library did not come from the copy";
    }

    fs::path copy_;
    std::string out_, err_;
};

// Every run path of every program and library in the bundle is relative to it and stays inside.
TEST_F(SelfContainedBundle, EveryRunPathStaysInsideTheBundle) {
    int objects = 0;
    for (const auto& e : fs::recursive_directory_iterator(copy_)) {
        if (!e.is_regular_file() || !isElf(e.path())) continue;
        ++objects;
        for (const std::string& entry : runPaths(e.path())) {
            SCOPED_TRACE(e.path().string() + ": " + entry);
            ASSERT_EQ(entry.rfind("$ORIGIN", 0), 0u);
            EXPECT_TRUE(isInside(e.path().parent_path() / ("." + entry.substr(7)), copy_));
        }
    }
    EXPECT_GE(objects, 10) << "the programs, the module and the libraries";
    EXPECT_TRUE(fs::exists(copy_ / "Contents/Frameworks/libPellicot.so"));
    EXPECT_TRUE(fs::exists(copy_ / "Contents/Frameworks/libPlatformFoundation.so"));
}

// The copy runs with nothing of the build tree: the application writes its picture, and auhost
// lists and renders through the copy's extension, which loads the libraries the copy carries
// (auhost's own libraries, which the extension shares, come from where auhost was built).
TEST_F(SelfContainedBundle, ACopyRunsWithNothingFromTheBuildTreeOrBesideIt) {
    std::vector<fs::path> loaded;
    const std::string picture = (dir_ / "app.png").string();
    ASSERT_EQ(run((copy_ / "Contents/MacOS/Vantrel_Zellow").string(), {"--snapshot", picture}, loaded), 0) << err_;
    EXPECT_TRUE(fs::file_size(picture) > 1000) << out_;
    expectNothingFromOutside(loaded);

    ASSERT_EQ(run(auhost, {"--help"}, loaded), 0) << err_;
    const std::set<fs::path> auhostsOwn(loaded.begin(), loaded.end());

    const std::string extension = (copy_ / extensionInside).string();
    ASSERT_EQ(run(auhost, {"--extension", extension, "list"}, loaded), 0) << err_;
    EXPECT_NE(out_.find(extension), std::string::npos) << out_;
    expectNothingFromOutside(loaded, auhostsOwn);

    std::ofstream(dir_ / "in.txt") << "0 90 3C 40\n100 80 3C 00\n";
    ASSERT_EQ(run(auhost, {"--extension", extension, "render", "--set", "delay=20", (dir_ / "in.txt").string(),
                           (dir_ / "out.txt").string()},
                  loaded),
              0)
        << err_;
    EXPECT_NE(AppProgram::contents((dir_ / "out.txt").string()).find(" 90 3C 40"), std::string::npos);
    expectNothingFromOutside(loaded, auhostsOwn);
}

// An extension copied on its own would take its libraries from beside the folder that holds
// it (its run path leads out of it, to where the application's Frameworks are): it is refused
// before its module is loaded, and nothing is loaded from there or from it.
TEST_F(SelfContainedBundle, ALoneExtensionLoadsNothingFromBesideIt) {
    const fs::path lone = dir_ / "lone" / "Vantrel_Zellow_Extension.appex";
    fs::create_directories(lone.parent_path());
    fs::copy(copy_ / extensionInside, lone, fs::copy_options::recursive);
    for (const auto& library : fs::directory_iterator(copy_ / "Contents/Frameworks"))
        plant(library.path(), dir_ / "Frameworks" / library.path().filename());
    std::vector<fs::path> loaded;
    for (const std::string command : {"list", "params"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(run(auhost, {"--extension", lone.string(), command}, loaded), 2) << err_;
        EXPECT_EQ(err_, "auhost: " + lone.string() +
                            ": not inside an application's Contents/PlugIns folder: on its own an extension would load its "
                            "libraries from outside itself\n");
        EXPECT_FALSE(loaded.empty()) << "the loader's log";
        for (const fs::path& p : loaded) {
            EXPECT_FALSE(isInside(p, dir_ / "Frameworks")) << p << " was planted beside the extension";
            EXPECT_FALSE(isInside(p, lone)) << p << " is the lone extension's";
        }
    }
}

}  // namespace
