#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/OutputFile.hpp"
#include "HostFixture.hpp"

using AudioHost::OutputFile;

namespace {

// Runs `body` in a child process and returns its wait status.
template <class Body>
int inChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

}  // namespace

class OutputFileTest : public AudioHostTests::HostFixture {};

TEST_F(OutputFileTest, NamesUpToTheFileSystemsLimitAreWritten) {
    for (std::size_t length : {std::size_t(240), std::size_t(249), std::size_t(255)}) {
        const std::string name = std::string(length - 4, 'n') + ".txt";
        OutputFile::writeText(path(name), "whole\n");
        EXPECT_EQ(read(name), "whole\n") << length;
        std::filesystem::remove(path(name));
    }
    // Cut at a character boundary: the temporary name of a long UTF-8 name is still UTF-8.
    std::string accented;
    while (accented.size() < 250) accented += "\xC3\xA9";  // é
    OutputFile::writeText(path(accented), "x");
    EXPECT_EQ(files(), std::vector<std::string>{accented});
    std::filesystem::remove(path(accented));

    try {
        OutputFile::writeText(path(std::string(256, 'n')), "x");
        ADD_FAILURE() << "a name longer than the file system allows was accepted";
    } catch (const AudioHost::BadInput& e) {
        EXPECT_NE(std::string(e.what()).find("File name too long"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(files().empty());
}

TEST_F(OutputFileTest, ANewFileGetsTheUsualPermissions) {
    const mode_t mask = ::umask(022);
    OutputFile::writeText(path("out.txt"), "x");
    ::umask(mask);
    EXPECT_EQ(std::filesystem::status(path("out.txt")).permissions(),
              std::filesystem::perms(0644));
}

// A signal that ends the process in the middle of a write removes the temporary file; the
// destination keeps what it held.
TEST_F(OutputFileTest, ASignalDuringTheWriteLeavesNothingPartial) {
    write("out.mid", "precious");
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(signal);
        const int status = inChild([&] {
            ::signal(SIGQUIT, SIG_DFL);
            struct rlimit noCore {0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            OutputFile::write(path("out.mid"), [&](const std::string& temporary) {
                std::ofstream(temporary) << "half a file";
                ::raise(signal);
            });
        });
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(files(), std::vector<std::string>{"out.mid"});
        EXPECT_EQ(read("out.mid"), "precious");
    }
}

// A program that handles the signal itself keeps its handler, which is called; the write ends
// as it would have, and the program's disposition is back afterwards.
TEST_F(OutputFileTest, TheProgramsOwnSignalHandlingIsKept) {
    static volatile sig_atomic_t seen = 0;
    const int status = inChild([&] {
        ::signal(SIGTERM, [](int) { seen = 1; });
        OutputFile::write(path("out.txt"), [&](const std::string& temporary) {
            std::ofstream(temporary) << "whole";
            ::raise(SIGTERM);
        });
        struct sigaction now {};
        ::sigaction(SIGTERM, nullptr, &now);
        const bool restored = now.sa_handler != SIG_DFL && !(now.sa_flags & SA_SIGINFO);
        ::_exit(seen && restored ? 7 : 8);
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_EQ(read("out.txt"), "whole");
}

// Past the process's file-size limit the write is an error, reported and cleaned up.
TEST_F(OutputFileTest, AFileSizeLimitIsAWriteError) {
    const int status = inChild([&] {
        struct rlimit limit {1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            OutputFile::writeText(path("big.txt"), std::string(5000, 'x'));
        } catch (const AudioHost::BadInput& e) {
            ::_exit(std::string(e.what()) == "cannot write " + path("big.txt") + ": File too large" ? 3 : 4);
        }
        ::_exit(5);
    });
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_TRUE(files().empty());
}
