#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AppProgram.hpp"
#include "AppTestSupport.hpp"
#include "TestSupport/ScratchDirectory.hpp"

namespace {

namespace fs = std::filesystem;
using AppTest::AppProgram;

const std::string auhost = std::string(VZ_BINARY_DIR) + "/bin/auhost";
const std::string appex = AppTest::appBundle + "/Contents/PlugIns/Vantrel_Zellow_Extension.appex";

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// The three programs' outputs (auhost's render and editor picture, the application's picture)
// on each kind of destination: a link leads on to the file replaced, which keeps its mode; a
// device is written through, and a failed write there fails the program; a file the user may
// not write is refused, as `cp` refuses it.
class ProgramOutput : public TestSupport::ScratchDirectoryTest {
protected:
    struct Result {
        int status;
        std::string err;
    };

    // Writes `output` with program `which` (0 render, 1 edit --snapshot, 2 the application's
    // --snapshot).
    Result writeWith(int which, const std::string& output) {
        std::vector<std::string> arguments;
        std::string program = auhost;
        if (which == 0) arguments = {"--extension", appex, "render", write("in.txt", "0 90 3C 40\n10 80 3C 00\n"), output};
        if (which == 1) arguments = {"--extension", appex, "edit", "--snapshot", output};
        if (which == 2) {
            program = AppTest::appExecutable;
            arguments = {"--snapshot", output};
        }
        std::vector<std::pair<std::string, std::string>> environment = {
            {"DISPLAY", ""},         {"WAYLAND_DISPLAY", ""}, {"XDG_DATA_HOME", path("home")}, {"XDG_CONFIG_HOME", path("home")},
            {"XDG_RUNTIME_DIR", path("home")}, {"VZ_UPDATE_FEED_REDIRECT", "http://127.0.0.1:9/feed.xml"}};
        for (auto& e : AppTest::sanitizerEnvironment()) environment.push_back(e);
        fs::create_directories(path("home"));
        AppProgram run(program, arguments, path("home"), environment);
        const int status = run.wait(120);
        return {status, run.err()};
    }
};

TEST_F(ProgramOutput, EachProgramWritesEachKindOfDestinationAsCpWould) {
    const char* programs[] = {"render", "edit --snapshot", "the application's --snapshot"};
    for (int which = 0; which < 3; ++which) {
        SCOPED_TRACE(programs[which]);
        const std::string suffix = which == 0 ? ".txt" : ".png";
        const fs::path folder = dir_ / std::to_string(which);
        fs::create_directory(folder);

        // Through a link to a private file: the file is replaced, keeps its mode, the link stays.
        const fs::path target = folder / ("private" + suffix), link = folder / ("link" + suffix);
        std::ofstream(target) << "old";
        fs::permissions(target, fs::perms(0600));
        fs::create_symlink(target.filename(), link);
        Result r = writeWith(which, link.string());
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_GT(fs::file_size(target), 3u);
        EXPECT_EQ(modeOf(target), 0600u);

        // A device: /dev/null takes it all, /dev/full fails the write.
        const fs::path null = folder / ("null" + suffix), full = folder / ("full" + suffix);
        fs::create_symlink("/dev/null", null);
        fs::create_symlink("/dev/full", full);
        r = writeWith(which, null.string());
        EXPECT_EQ(r.status, 0) << r.err;
        r = writeWith(which, full.string());
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_NE(r.err.find("cannot write " + full.string() + ": "), std::string::npos) << r.err;
        struct stat device {};
        ASSERT_EQ(::stat("/dev/full", &device), 0);
        EXPECT_TRUE(S_ISCHR(device.st_mode)) << "/dev/full was replaced";

        // A read-only file, which root may write as `cp` would (the writer's own test checks that).
        if (::geteuid() != 0) {
            const fs::path locked = folder / ("locked" + suffix);
            std::ofstream(locked) << "keep";
            fs::permissions(locked, fs::perms(0444));
            r = writeWith(which, locked.string());
            EXPECT_EQ(r.status, 2) << r.err;
            EXPECT_NE(r.err.find("cannot write " + locked.string() + ": Permission denied"), std::string::npos) << r.err;
            EXPECT_EQ(AppProgram::contents(locked.string()), "keep");
        }
        for (const auto& e : fs::directory_iterator(folder))
            EXPECT_EQ(e.path().filename().string().find(".partial-"), std::string::npos) << e.path();
    }
}

// A picture's path that names a folder is refused before anything is made for it, by the
// editor and by the application (which makes the folders a picture's path leads through).
TEST_F(ProgramOutput, ASnapshotPathNamingAFolderIsRefusedBeforeAnythingIsMade) {
    const char* programs[] = {"render", "edit --snapshot", "the application's --snapshot"};
    for (int which : {1, 2}) {
        for (const char* name : {"out.png/", "sub/out.png/", "out.png/."}) {
            SCOPED_TRACE(std::string(programs[which]) + " " + name);
            const fs::path folder = dir_ / ("refused" + std::to_string(which));
            fs::create_directories(folder);
            const std::string output = (folder / name).string();
            const Result r = writeWith(which, output);
            EXPECT_EQ(r.status, 2) << r.err;
            EXPECT_NE(r.err.find("cannot write " + output + ": the path names a folder, not a file"), std::string::npos) << r.err;
            EXPECT_TRUE(fs::is_empty(folder)) << "something was made";
        }
    }
}

}  // namespace
