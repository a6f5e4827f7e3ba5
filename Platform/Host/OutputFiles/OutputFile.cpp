#include "Host/OutputFiles/OutputFile.hpp"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
#include <random>
#include <vector>

namespace OutputFiles {

namespace {

OutputFile::CannotWrite cannotWrite(const std::string& path, const std::string& reason) {
    return OutputFile::CannotWrite("cannot write " + path + ": " + reason);
}

OutputFile::CannotWrite cannotWrite(const std::string& path, int error) { return cannotWrite(path, std::strerror(error)); }

// The signals whose default action ends the process and which a handler can catch.
const std::vector<int>& endingSignals() {
    static const std::vector<int> signals = [] {
        std::vector<int> s = {SIGHUP,  SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,  SIGUSR1, SIGSEGV,
                              SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGSYS};
#ifdef SIGSTKFLT
        s.push_back(SIGSTKFLT);
#endif
#ifdef SIGPWR
        s.push_back(SIGPWR);
#endif
        for (int r = SIGRTMIN; r <= SIGRTMAX; ++r) s.push_back(r);
        return s;
    }();
    return signals;
}

sigset_t endingSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : endingSignals()) sigaddset(&set, s);
    return set;
}

// Temporary files being written, which a terminating signal removes before it ends the process.
// Slots are claimed under the mutex and read lock-free by the handler.
class TemporaryFiles {
public:
    // Registers `path` and arms the handlers; returns the slot, or -1 when every slot is taken
    // (the write then goes on unguarded).
    int add(const std::string& path) {
        std::lock_guard lock(mutex_);
        for (int i = 0; i < slotCount; ++i) {
            Slot& s = slots_[i];
            if (s.used.load(std::memory_order_relaxed) || path.size() >= sizeof s.path) continue;
            std::memcpy(s.path, path.c_str(), path.size() + 1);
            s.used.store(true, std::memory_order_release);
            if (active_++ == 0) arm();
            return i;
        }
        return -1;
    }

    void remove(int slot) {
        if (slot < 0) return;
        std::lock_guard lock(mutex_);
        slots_[slot].used.store(false, std::memory_order_release);
        if (--active_ == 0) disarm();
    }

    static TemporaryFiles& shared() {
        static TemporaryFiles* files = new TemporaryFiles;  // reachable from the handler until exit
        return *files;
    }

private:
    static constexpr int slotCount = 16;
    struct Slot {
        std::atomic<bool> used{false};
        char path[PATH_MAX];
    };

    void arm() {
        struct sigaction action {};
        action.sa_sigaction = &TemporaryFiles::handle;
        // On the alternate stack where there is one: a stack overflow still cleans up.
        action.sa_flags = SA_SIGINFO | SA_RESTART | SA_ONSTACK;
        action.sa_mask = endingSignalSet();
        for (int s : endingSignals()) {
            sigaction(s, nullptr, &previous_[s]);
            // An ignored signal stays ignored: it ends nothing. Past a file-size limit, though,
            // the write must fail with EFBIG instead of the process ending, so that one is
            // always caught.
            if (previous_[s].sa_handler != SIG_IGN || s == SIGXFSZ) sigaction(s, &action, nullptr);
        }
    }

    void disarm() {
        for (int s : endingSignals()) sigaction(s, &previous_[s], nullptr);
    }

    static void handle(int signal, siginfo_t* info, void* context) {
        TemporaryFiles& self = shared();
        const struct sigaction& before = self.previous_[signal];
        // The kernel's signal for a file-size limit, which comes as if the process had sent it
        // with kill(): the write that hit the limit fails with EFBIG.
        if (signal == SIGXFSZ && (before.sa_handler == SIG_IGN || (info && info->si_code == SI_USER && info->si_pid == ::getpid())))
            return;
        const bool chained = (before.sa_flags & SA_SIGINFO) ? before.sa_sigaction != nullptr
                                                             : before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN;
        if (chained) {
            // The program handles the signal itself and goes on; the write ends as usual.
            if (before.sa_flags & SA_SIGINFO) before.sa_sigaction(signal, info, context);
            else before.sa_handler(signal);
            return;
        }
        const int saved = errno;
        for (Slot& s : self.slots_)
            if (s.used.load(std::memory_order_acquire)) ::unlink(s.path);
        sigaction(signal, &before, nullptr);
        ::raise(signal);  // delivered with the default action once the handler returns
        errno = saved;
    }

    std::mutex mutex_;
    int active_ = 0;
    Slot slots_[slotCount];
    struct sigaction previous_[NSIG] = {};
};

// Blocks the terminating signals while a temporary file is made or retired, so that it is
// never on disk without being registered.
class SignalsHeld {
public:
    SignalsHeld() {
        const sigset_t set = endingSignalSet();
        pthread_sigmask(SIG_BLOCK, &set, &before_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t before_;
};

// The file name `name` cut so that `suffixLength` more bytes still make a legal name, at a
// character boundary of UTF-8 text.
std::string shortenedName(const std::string& name, std::size_t limit, std::size_t suffixLength) {
    if (name.size() + suffixLength <= limit) return name;
    std::size_t keep = limit > suffixLength ? limit - suffixLength : 0;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    return name.substr(0, keep);
}

struct Temporary {
    std::string path;
    int slot = -1;
};

// A new empty file beside `target`, named after it, with the permissions a new file gets;
// nullopt with `error` set when the folder takes no new file.
std::optional<Temporary> tryCreateTemporary(const std::string& target, int& error) {
    const std::size_t slash = target.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const long nameMax = ::pathconf(directory.c_str(), _PC_NAME_MAX);
    const std::string suffix = ".partial-";
    constexpr std::size_t randomLength = 6;
    const std::string stem = (slash == std::string::npos ? "" : target.substr(0, slash + 1)) +
                             shortenedName(name, nameMax > 0 ? std::size_t(nameMax) : NAME_MAX, suffix.size() + randomLength) + suffix;

    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = stem;
        for (std::size_t i = 0; i < randomLength; ++i) candidate += letters[random() % (sizeof letters - 1)];
        SignalsHeld held;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return Temporary{candidate, TemporaryFiles::shared().add(candidate)};
        }
        if (errno != EEXIST) {
            error = errno;
            return std::nullopt;
        }
    }
    error = EEXIST;
    return std::nullopt;
}

// `shown` names the destination in messages.
Temporary createTemporary(const std::string& target, const std::string& shown) {
    int error = 0;
    if (auto made = tryCreateTemporary(target, error)) return *made;
    throw cannotWrite(shown, error);
}

// The file `fill` writes before it replaces `target`'s content: beside it, else (its folder
// takes no new file) in the system's folder for temporary files. `beside` says which.
Temporary createStaging(const std::string& target, const std::string& shown, bool& beside) {
    int error = 0;
    if (auto made = tryCreateTemporary(target, error)) {
        beside = true;
        return *made;
    }
    if (error != EACCES && error != EPERM) throw cannotWrite(shown, error);
    beside = false;
    const char* system = ::getenv("TMPDIR");
    const std::string folder = system && system[0] == '/' ? system : "/tmp";
    const std::size_t slash = target.rfind('/');
    return createTemporary(folder + "/" + (slash == std::string::npos ? target : target.substr(slash + 1)), shown);
}

void retire(const Temporary& temporary, bool keep) {
    SignalsHeld held;
    if (!keep) ::unlink(temporary.path.c_str());
    TemporaryFiles::shared().remove(temporary.slot);
}

void flushToDisk(const std::string& file, const std::string& shown) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw cannotWrite(shown, errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0) throw cannotWrite(shown, error);
}

// The new file takes the place of the old one as the old one was: its permissions, and its
// owner and group where the user may give them (a file root writes stays its owner's). False
// when the owner or group cannot be given: a rename would change them.
bool keepAttributes(const std::string& file, const struct stat& old, const std::string& shown) {
    struct stat now;
    if (::stat(file.c_str(), &now) != 0) throw cannotWrite(shown, errno);
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::chown(file.c_str(), old.st_uid, old.st_gid) != 0)
        return false;
    if (::chmod(file.c_str(), old.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO)) != 0) throw cannotWrite(shown, errno);
    return true;
}

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// Replaces what `fd` holds with the file `from`, as `cp` writes over a file. Where the file
// system can tell, room for it is made sure of first, so that a full disk leaves the old
// content; a failure after that leaves the file cut short at what was written.
void copyOver(int fd, const std::string& from, const std::string& shown) {
    Descriptor source{::open(from.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat info;
    if (source.fd < 0 || ::fstat(source.fd, &info) != 0) throw cannotWrite(shown, errno);
    if (info.st_size > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, info.st_size) != 0 &&
        (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
        throw cannotWrite(shown, errno);
    if (::ftruncate(fd, 0) != 0) throw cannotWrite(shown, errno);
    char buffer[1 << 16];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::read(source.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw cannotWrite(shown, errno);
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::pwrite(fd, buffer + done, std::size_t(n - done), offset);
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) throw cannotWrite(shown, errno);
            done += w;
            offset += w;
        }
    }
    if (::fsync(fd) != 0) throw cannotWrite(shown, errno);
}

// What the path names, once opened for writing as the system allows: nothing yet, a regular
// file (to be replaced at `target`, where a link leads) or something written in place.
struct Destination {
    enum class Kind { none, regular, inPlace } kind = Kind::none;
    std::string target;
    struct stat info {};
    Descriptor opened;
};

void openDestination(const std::string& path, Destination& d) {
    // Opening for writing neither creates nor truncates, and lets the system decide what the
    // user may write: permissions, a read-only mount, a link it will not follow.
    d.opened.fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (d.opened.fd < 0) {
        const int error = errno;
        struct stat link;
        if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            throw cannotWrite(path, "it is a symbolic link to nothing");
        struct stat info;
        if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) throw cannotWrite(path, "it is a socket");
        if (error != ENOENT) throw cannotWrite(path, error);
        d.target = path;
        return;
    }
    if (::fstat(d.opened.fd, &d.info) != 0) throw cannotWrite(path, errno);
    if (!S_ISREG(d.info.st_mode)) {
        d.kind = Destination::Kind::inPlace;
        return;
    }
    d.kind = Destination::Kind::regular;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) throw cannotWrite(path, errno);
    d.target = real;
    ::free(real);
}

OutputFile::CannotWrite appeared(const std::string& shown) { return cannotWrite(shown, "it appeared while being written"); }

// Gives the finished temporary the name `target`, where nothing was, without replacing what
// may have appeared there since. True when the temporary is gone (renamed), false when it
// still has its own name besides.
bool putInPlace(const Temporary& temporary, const std::string& target, const std::string& shown) {
    if (::renameat2(AT_FDCWD, temporary.path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno == EEXIST) throw appeared(shown);
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) throw cannotWrite(shown, errno);
    if (::link(temporary.path.c_str(), target.c_str()) == 0) return false;
    if (errno == EEXIST) throw appeared(shown);
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) throw cannotWrite(shown, errno);
    // A file system with neither: the name is taken as `cp` takes it, and written; a signal
    // meanwhile removes it as it would the temporary.
    Descriptor created;
    Temporary claimed;
    {
        SignalsHeld held;
        created.fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (created.fd < 0) throw errno == EEXIST ? appeared(shown) : cannotWrite(shown, errno);
        claimed = {target, TemporaryFiles::shared().add(target)};
    }
    try {
        copyOver(created.fd, temporary.path, shown);
    } catch (...) {
        retire(claimed, false);
        throw;
    }
    retire(claimed, true);
    return false;
}

}  // namespace

std::optional<std::string> OutputFile::refusedName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    if ((name.empty() && !path.empty()) || name == "." || name == "..")
        return cannotWrite(path, "the path names a folder, not a file").what();
    return std::nullopt;
}

void OutputFile::write(const std::string& path, const std::function<void(const std::string&)>& fill) {
    if (auto refused = refusedName(path)) throw CannotWrite(*refused);
    Destination d;
    openDestination(path, d);
    if (d.kind == Destination::Kind::inPlace) {
        // The same device or pipe again, not whatever the path names by now.
        const std::string again = "/proc/self/fd/" + std::to_string(d.opened.fd);
        fill(::access(again.c_str(), F_OK) == 0 ? again : path);
        return;
    }

    if (d.kind == Destination::Kind::none) {
        const Temporary temporary = createTemporary(d.target, path);
        bool gone = false;
        try {
            fill(temporary.path);
            flushToDisk(temporary.path, path);
            gone = putInPlace(temporary, d.target, path);
        } catch (...) {
            retire(temporary, false);
            throw;
        }
        retire(temporary, gone);
        return;
    }

    // A rename keeps the file whole, but not what `cp` keeps by writing over it: the content
    // other hard links share, a place in a folder that takes no new file or (sticky) lets only
    // the owner replace it, an owner or group the user cannot give. There the file is written
    // over once its new content is complete.
    bool beside = false;
    const Temporary temporary = createStaging(d.target, path, beside);
    bool renamed = false;
    try {
        fill(temporary.path);
        bool over = !beside || d.info.st_nlink > 1 || !keepAttributes(temporary.path, d.info, path);
        struct stat now;
        if (::stat(d.target.c_str(), &now) != 0 || now.st_dev != d.info.st_dev || now.st_ino != d.info.st_ino)
            throw cannotWrite(path, "it was replaced while being written");
        if (!over) {
            flushToDisk(temporary.path, path);
            renamed = ::rename(temporary.path.c_str(), d.target.c_str()) == 0;
            if (!renamed && errno != EPERM && errno != EACCES) throw cannotWrite(path, errno);
            over = !renamed;
        }
        if (over) copyOver(d.opened.fd, temporary.path, path);
    } catch (...) {
        retire(temporary, false);
        throw;
    }
    retire(temporary, renamed);
}

void OutputFile::writeText(const std::string& path, std::string_view text) {
    write(path, [&](const std::string& writePath) {
        const int fd = ::open(writePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) throw cannotWrite(path, errno);
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                const int error = errno;
                ::close(fd);
                throw cannotWrite(path, error);
            }
            done += std::size_t(n);
        }
        if (::close(fd) != 0) throw cannotWrite(path, errno);
    });
}

}  // namespace OutputFiles
