#include <gtest/gtest.h>

#include <grp.h>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <iostream>
#include <thread>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/MidiFile.hpp"
#include "Host/AudioHost/OutputFile.hpp"
#include "HostFixture.hpp"

using AudioHost::OutputFile;

namespace {

constexpr uid_t nobody = 65534;
constexpr gid_t nogroup = 65534;

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

class OutputFileTest : public AudioHostTests::HostFixture {
protected:
    // The scratch folder open to "nobody", with a folder for temporary files anyone may use.
    std::string openToEveryone() {
        std::filesystem::permissions(dir_, std::filesystem::perms(0755));
        const std::string temporaries = path("tmp");
        std::filesystem::create_directory(temporaries);
        std::filesystem::permissions(temporaries, std::filesystem::perms(01777));
        return temporaries;
    }
};

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
// destination keeps what it held. Every signal whose default action ends the process and that
// a handler can catch, but those a sanitizer handles itself (a fault is its to report).
TEST_F(OutputFileTest, EveryEndingSignalDuringTheWriteLeavesNothingPartial) {
    write("out.mid", "precious");
    std::vector<int> signals = {SIGHUP,  SIGINT,    SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,   SIGUSR1,
                                SIGSEGV, SIGUSR2,   SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ,   SIGVTALRM, SIGPROF,
                                SIGIO,   SIGSYS,    SIGPWR,  SIGSTKFLT, SIGRTMIN, SIGRTMIN + 1, SIGRTMAX};
    for (int signal : signals) {
        SCOPED_TRACE(strsignal(signal));
        struct sigaction now {};
        ::sigaction(signal, nullptr, &now);
        if ((now.sa_flags & SA_SIGINFO) || (now.sa_handler != SIG_DFL && now.sa_handler != SIG_IGN)) {
            std::cout << "[ SKIPPED  ] " << strsignal(signal) << ": the sanitizer handles it\n";
            continue;
        }
        const int status = inChild([&] {
            ::signal(signal, SIG_DFL);  // as a program starts, whatever the test's runner ignores
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

namespace {

enum class Kind { missing, regular, link, fifo, device, directory, socket };

Kind kindOf(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) return Kind::missing;
    if (S_ISLNK(info.st_mode)) return Kind::link;
    if (S_ISFIFO(info.st_mode)) return Kind::fifo;
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return Kind::device;
    if (S_ISDIR(info.st_mode)) return Kind::directory;
    if (S_ISSOCK(info.st_mode)) return Kind::socket;
    return Kind::regular;
}

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

}  // namespace

// What the output path names decides how it is written: a regular file is replaced whole and
// keeps its permissions, a link keeps leading where it led and that file is replaced, a device
// or FIFO is written through, and what cannot be written is refused with nothing changed.
TEST_F(OutputFileTest, EachKindOfDestinationIsWrittenAsCpWouldWriteIt) {
    const std::string fresh = "new\n";
    struct Case {
        const char* name;
        std::function<std::string()> make;  // makes the destination, returns its path
        const char* fails;                  // the end of the message, or nullptr
        Kind staysA;
        std::function<void(const std::string&)> check;
    };
    const Case cases[] = {
        {"no file yet", [&] { return path("none.txt"); }, nullptr, Kind::regular,
         [&](const std::string& p) { EXPECT_EQ(modeOf(p), 0644u); }},
        {"a private file keeps its mode",
         [&] {
             write("private.txt", "old");
             ::chmod(path("private.txt").c_str(), 0600);
             return path("private.txt");
         },
         nullptr, Kind::regular, [&](const std::string& p) { EXPECT_EQ(modeOf(p), 0600u); }},
        {"a group-writable executable keeps its mode",
         [&] {
             write("tool.txt", "old");
             ::chmod(path("tool.txt").c_str(), 0775);
             return path("tool.txt");
         },
         nullptr, Kind::regular, [&](const std::string& p) { EXPECT_EQ(modeOf(p), 0775u); }},
        {"a link to a file replaces the file",
         [&] {
             write("target.txt", "old");
             ::chmod(path("target.txt").c_str(), 0640);
             std::filesystem::create_symlink("target.txt", path("link.txt"));
             return path("link.txt");
         },
         nullptr, Kind::link,
         [&](const std::string& p) {
             EXPECT_EQ(std::filesystem::read_symlink(p), "target.txt");
             EXPECT_EQ(read("target.txt"), fresh);
             EXPECT_EQ(modeOf(path("target.txt")), 0640u);
         }},
        {"a link to a link to a file in another folder",
         [&] {
             std::filesystem::create_directory(path("elsewhere"));
             write("elsewhere/far.txt", "old");
             std::filesystem::create_symlink(path("elsewhere/far.txt"), path("near.txt"));
             std::filesystem::create_symlink("near.txt", path("nearer.txt"));
             return path("nearer.txt");
         },
         nullptr, Kind::link,
         [&](const std::string&) {
             EXPECT_EQ(read("elsewhere/far.txt"), fresh);
             EXPECT_EQ(kindOf(path("near.txt")), Kind::link);
             EXPECT_EQ(std::filesystem::directory_iterator(path("elsewhere"))->path().filename(), "far.txt");
         }},
        {"a link to nothing", [&] {
             std::filesystem::create_symlink("nowhere.txt", path("dangling.txt"));
             return path("dangling.txt");
         },
         ": it is a symbolic link to nothing", Kind::link, [&](const std::string&) { EXPECT_FALSE(exists("nowhere.txt")); }},
        {"a path ending in a slash", [&] { return path("slash.txt/"); }, ": the path names a folder, not a file", Kind::missing,
         nullptr},
        {"a path ending in \"..\"", [&] { return path("up/.."); }, ": the path names a folder, not a file", Kind::missing,
         nullptr},
        {"/dev/null takes the bytes", [] { return std::string("/dev/null"); }, nullptr, Kind::device, nullptr},
        {"a link to /dev/null",
         [&] {
             std::filesystem::create_symlink("/dev/null", path("null.txt"));
             return path("null.txt");
         },
         nullptr, Kind::link, nullptr},
        {"/dev/full fails the write", [] { return std::string("/dev/full"); }, ": No space left on device", Kind::device, nullptr},
        {"a directory",
         [&] {
             std::filesystem::create_directory(path("folder.txt"));
             return path("folder.txt");
         },
         ": Is a directory", Kind::directory, nullptr},
        {"a socket",
         [&] {
             const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             const std::string p = path("socket.txt");
             std::snprintf(address.sun_path, sizeof address.sun_path, "%s", p.c_str());
             EXPECT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
             ::close(s);
             return p;
         },
         ": it is a socket", Kind::socket, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = c.make();
        const auto before = files();
        try {
            OutputFile::writeText(target, fresh);
            EXPECT_EQ(c.fails, nullptr) << "accepted";
        } catch (const AudioHost::BadInput& e) {
            const std::string message = e.what();
            ASSERT_NE(c.fails, nullptr) << message;
            EXPECT_EQ(message, "cannot write " + target + c.fails);
            EXPECT_EQ(files(), before) << "something was left";
        }
        EXPECT_EQ(kindOf(target), c.staysA);
        if (!c.fails && std::filesystem::is_regular_file(target)) {
            EXPECT_EQ(contentsOf(target), fresh);
        }
        if (c.check) c.check(target);
        for (const auto& name : files()) EXPECT_EQ(name.find(".partial-"), std::string::npos) << name;
    }
}

// A FIFO with a reader gets the bytes through it and stays a FIFO; so does a rendered MIDI file
// whose track is longer than what the writer gathers before it writes (a pipe cannot seek back
// to the track's length).
TEST_F(OutputFileTest, AFifoIsWrittenThrough) {
    const std::string fifo = path("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] { got = read("pipe.txt"); });
    OutputFile::writeText(fifo, "through the pipe\n");
    reader.join();
    EXPECT_EQ(got, "through the pipe\n");
    EXPECT_EQ(kindOf(fifo), Kind::fifo);

    AudioHost::MidiSong song;
    song.ticksPerQuarterNote = 96;
    song.tracks.resize(2);
    for (int i = 0; i < 40000; ++i) song.tracks[i % 2].add(i, std::vector<std::uint8_t>{std::uint8_t(i % 2 ? 0x80 : 0x90), 0x3C, 0x40});
    AudioHost::MidiFile::write(song, path("in.mid"));
    ASSERT_GT(std::filesystem::file_size(path("in.mid")), 100000u);
    ASSERT_EQ(::mkfifo(path("pipe.mid").c_str(), 0600), 0);
    std::thread midiReader([&] { got = read("pipe.mid"); });
    EXPECT_EQ(auhost({"render", path("in.mid"), path("pipe.mid")}), 0) << err();
    midiReader.join();
    write("through.mid", got);
    const AudioHost::MidiSong back = AudioHost::MidiFile::read(path("through.mid"));
    ASSERT_EQ(back.tracks.size(), 2u);
    EXPECT_EQ(back.tracks[0].size(), song.tracks[0].size());
    EXPECT_EQ(back.tracks[1].size(), song.tracks[1].size());
    EXPECT_EQ(kindOf(path("pipe.mid")), Kind::fifo);
}

// A file the user may not write is refused as `cp` refuses it ("Permission denied"); nothing
// changes. Root may write it, as with `cp`, so as root the check runs as the unprivileged user
// "nobody" in a child process.
TEST_F(OutputFileTest, AFileTheUserMayNotWriteIsRefused) {
    const bool root = ::geteuid() == 0;
    std::filesystem::permissions(dir_, std::filesystem::perms(0755));
    write("readonly.txt", "keep");
    ::chmod(path("readonly.txt").c_str(), 0444);
    if (root) {
        ::chown(path("readonly.txt").c_str(), nobody, nobody);
        // As root, `cp` writes over a read-only file; so does the writer.
        OutputFile::writeText(path("readonly.txt"), "root's\n");
        EXPECT_EQ(read("readonly.txt"), "root's\n");
        EXPECT_EQ(modeOf(path("readonly.txt")), 0444u);
        struct stat info {};
        ::stat(path("readonly.txt").c_str(), &info);
        EXPECT_EQ(info.st_uid, nobody) << "the file keeps its owner";
        write("readonly.txt", "keep");
        ::chmod(path("readonly.txt").c_str(), 0444);
        ::chown(path("readonly.txt").c_str(), nobody, nobody);
    }
    const int status = inChild([&] {
        if (root && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) ::_exit(10);
        try {
            OutputFile::writeText(path("readonly.txt"), "replaced\n");
            ::_exit(1);
        } catch (const AudioHost::BadInput& e) {
            ::_exit(std::string(e.what()) == "cannot write " + path("readonly.txt") + ": Permission denied" ? 0 : 2);
        }
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: written, 2: another message, 10: could not become nobody";
    EXPECT_EQ(read("readonly.txt"), "keep");
    EXPECT_EQ(files(), (std::vector<std::string>{"readonly.txt"}));
}

namespace {

struct Identity {
    uid_t uid;
    gid_t gid;
};

Identity identityOf(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return {info.st_uid, info.st_gid};
}

ino_t inodeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_ino;
}

// Runs `body` in a child process, as "nobody" when `unprivileged` (with no supplementary group,
// so root's groups do not come along), with TMPDIR at `temporaries`; what it threw, or "".
std::string inChildAs(bool unprivileged, const std::string& temporaries, const std::function<void()>& body) {
    int pipe[2];
    if (::pipe(pipe) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        std::string message;
        if (unprivileged && (::setgroups(0, nullptr) != 0 || ::setresgid(nogroup, nogroup, nogroup) != 0 ||
                             ::setresuid(nobody, nobody, nobody) != 0))
            message = "could not become nobody";
        ::setenv("TMPDIR", temporaries.c_str(), 1);
        if (message.empty()) {
            try {
                body();
            } catch (const std::exception& e) {
                message = e.what();
            }
        }
        (void)!::write(pipe[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(pipe[1]);
    std::string message;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) message.append(buffer, std::size_t(n));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? message : "the child ended with status " + std::to_string(status);
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// Where a rename would lose what `cp` keeps, the file is written over as `cp` writes it: the
// content its other hard links share, a place in a folder the user may not change (or, sticky,
// may not replace another's file in), an owner or group the user cannot give. Elsewhere the
// file is still replaced whole by a rename. Cases as "nobody" run only where the test may
// become that user (as root, as CI runs).
TEST_F(OutputFileTest, WhatARenameWouldLoseIsKeptByWritingOver) {
    const bool root = ::geteuid() == 0;
    const std::string temporaries = openToEveryone();
    const std::string fresh = "new\n";
    struct Case {
        const char* name;
        bool asNobody;
        bool linked;  // a second hard link to the file
        mode_t folderMode;
        Identity folderOwner;  // where the test may give files away (as root)
        mode_t fileMode;
        Identity fileOwner;
        bool writtenOver;  // else replaced by a rename
    };
    const Identity rootUser{0, 0}, nobodyUser{nobody, nogroup}, nobodyInRootsGroup{nobody, 0};
    const Case cases[] = {
        {"a file with a second hard link", false, true, 0755, rootUser, 0644, rootUser, true},
        {"a writable file in a folder the user may not write", true, false, 0555, rootUser, 0666, nobodyUser, true},
        {"another's writable file in a sticky folder anyone may write", true, false, 01777, rootUser, 0666, rootUser, true},
        {"another's writable file in a folder anyone may write", true, false, 0777, rootUser, 0666, rootUser, true},
        {"the user's own file, of a group the user is not in", true, false, 0755, nobodyUser, 0664, nobodyInRootsGroup, true},
        {"the user's own file in the user's own folder", true, false, 0755, nobodyUser, 0640, nobodyUser, false},
        {"the user's own file in a sticky folder anyone may write", true, false, 01777, rootUser, 0640, nobodyUser, false},
        {"another's file, written by root", false, false, 0755, rootUser, 0640, nobodyUser, false},
        {"the user's own file", false, false, 0755, rootUser, 0600, rootUser, false},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!root && (c.asNobody || c.fileOwner.uid != 0 || c.folderOwner.uid != 0)) {
            std::cout << "[ SKIPPED  ] " << c.name << ": only root may set up files of other users\n";
            continue;
        }
        const std::string name = "case" + std::to_string(index++);
        const std::string folder = path(name), file = folder + "/out.txt", link = path(name + "-link.txt");
        std::filesystem::create_directory(folder);
        write(name + "/out.txt", "old content\n");
        ::chmod(file.c_str(), c.fileMode);
        if (root) ::chown(file.c_str(), c.fileOwner.uid, c.fileOwner.gid);
        if (c.linked) {
            ASSERT_EQ(::link(file.c_str(), link.c_str()), 0);
        }
        if (root) ::chown(folder.c_str(), c.folderOwner.uid, c.folderOwner.gid);
        ::chmod(folder.c_str(), c.folderMode);
        const ino_t inode = inodeOf(file);
        const Identity owner = identityOf(file);

        EXPECT_EQ(inChildAs(c.asNobody, temporaries, [&] { OutputFile::writeText(file, fresh); }), "");
        EXPECT_EQ(contentsOf(file), fresh);
        EXPECT_EQ(inodeOf(file) == inode, c.writtenOver) << (c.writtenOver ? "replaced" : "written over");
        EXPECT_EQ(modeOf(file), c.fileMode);
        EXPECT_EQ(identityOf(file).uid, owner.uid);
        EXPECT_EQ(identityOf(file).gid, owner.gid);
        if (c.linked) {
            EXPECT_EQ(contentsOf(link), fresh);
        }
        ::chmod(folder.c_str(), 0755);
        EXPECT_EQ(namesIn(folder), std::vector<std::string>{"out.txt"});
        EXPECT_EQ(namesIn(temporaries), std::vector<std::string>{});
    }
}

// Written over, the file keeps its old content until the new is complete: a write that fails
// on the way, whether its temporary is beside the file or (the folder being closed) elsewhere,
// leaves the file as it was.
TEST_F(OutputFileTest, AFailedWriteOverLeavesTheFileAsItWas) {
    const bool root = ::geteuid() == 0;
    const std::string temporaries = openToEveryone();
    write("linked.txt", "old");
    ASSERT_EQ(::link(path("linked.txt").c_str(), path("other.txt").c_str()), 0);
    std::filesystem::create_directory(path("closed"));
    write("closed/out.txt", "old");
    ::chmod(path("closed/out.txt").c_str(), 0666);
    ::chmod(path("closed").c_str(), 0555);
    struct Case {
        const char* name;
        std::string file;
        bool asNobody;
        std::function<void(const std::string&)> fill;
        std::string fails;
    };
    const Case cases[] = {
        {"a hard link, the content failing", path("linked.txt"), false,
         [](const std::string& p) {
             std::ofstream(p) << "half";
             throw std::runtime_error("render failed");
         },
         "render failed"},
        {"a closed folder, the content failing", path("closed/out.txt"), true,
         [](const std::string& p) {
             std::ofstream(p) << "half";
             throw std::runtime_error("render failed");
         },
         "render failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.asNobody && !root) {
            std::cout << "[ SKIPPED  ] " << c.name << ": only root may become another user\n";
            continue;
        }
        EXPECT_EQ(inChildAs(c.asNobody, temporaries, [&] { OutputFile::write(c.file, c.fill); }), c.fails);
        EXPECT_EQ(contentsOf(c.file), "old");
        EXPECT_EQ(namesIn(temporaries), std::vector<std::string>{});
    }
    EXPECT_EQ(read("other.txt"), "old");
    ::chmod(path("closed").c_str(), 0755);
    EXPECT_EQ(namesIn(path("closed")), std::vector<std::string>{"out.txt"});
    EXPECT_EQ(files(), (std::vector<std::string>{"closed", "linked.txt", "other.txt", "tmp"}));
}

// A new file is put in place only where nothing is yet: what appears at its name while it is
// being written stays as it is, and the write says so.
TEST_F(OutputFileTest, ANewFileReplacesNothingThatAppearsMeanwhile) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> appear;
        Kind staysA;
    };
    const Case cases[] = {
        {"a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, Kind::fifo},
        {"a regular file", [](const std::string& p) { std::ofstream(p) << "someone else's"; }, Kind::regular},
        {"a symbolic link", [](const std::string& p) { std::filesystem::create_symlink("elsewhere.txt", p); }, Kind::link},
        {"a directory", [](const std::string& p) { std::filesystem::create_directory(p); }, Kind::directory},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = path("new" + std::to_string(index++) + ".txt");
        try {
            OutputFile::write(target, [&](const std::string& temporary) {
                std::ofstream(temporary) << "whole";
                c.appear(target);
            });
            ADD_FAILURE() << "written";
        } catch (const AudioHost::BadInput& e) {
            EXPECT_EQ(std::string(e.what()), "cannot write " + target + ": it appeared while being written");
        }
        EXPECT_EQ(kindOf(target), c.staysA);
        if (c.staysA == Kind::regular) {
            EXPECT_EQ(contentsOf(target), "someone else's");
        }
    }
    for (const auto& name : files()) EXPECT_EQ(name.find(".partial-"), std::string::npos) << name;
}
