#include "Host/AudioHost/OutputFile.hpp"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <random>

#include "Host/AudioHost/BadInput.hpp"

namespace AudioHost {

namespace {

BadInput cannotWrite(const std::string& path, int error) {
    return BadInput("cannot write " + path + ": " + std::strerror(error));
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
    static constexpr int ended[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    struct Slot {
        std::atomic<bool> used{false};
        char path[PATH_MAX];
    };

    void arm() {
        struct sigaction action {};
        action.sa_sigaction = &TemporaryFiles::handle;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (int s : ended) sigaddset(&action.sa_mask, s);
        for (int s : ended) {
            sigaction(s, nullptr, &previous_[s]);
            // An ignored signal stays ignored: it ends nothing.
            if (previous_[s].sa_handler != SIG_IGN) sigaction(s, &action, nullptr);
        }
        // Past a file-size limit the write fails with EFBIG instead of killing the process.
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &previous_[SIGXFSZ]);
    }

    void disarm() {
        for (int s : ended) sigaction(s, &previous_[s], nullptr);
        sigaction(SIGXFSZ, &previous_[SIGXFSZ], nullptr);
    }

    static void handle(int signal, siginfo_t* info, void* context) {
        TemporaryFiles& self = shared();
        const struct sigaction& before = self.previous_[signal];
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
        sigset_t set;
        sigemptyset(&set);
        for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&set, s);
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

// A new empty file beside `path`, named after it, with the permissions a new file gets.
Temporary createTemporary(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const long nameMax = ::pathconf(directory.c_str(), _PC_NAME_MAX);
    const std::string suffix = ".partial-";
    constexpr std::size_t randomLength = 6;
    const std::string stem = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) +
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
            return {candidate, TemporaryFiles::shared().add(candidate)};
        }
        if (errno != EEXIST) throw cannotWrite(path, errno);
    }
    throw cannotWrite(path, EEXIST);
}

void retire(const Temporary& temporary, bool keep) {
    SignalsHeld held;
    if (!keep) ::unlink(temporary.path.c_str());
    TemporaryFiles::shared().remove(temporary.slot);
}

void flushToDisk(const std::string& file, const std::string& path) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw cannotWrite(path, errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0) throw cannotWrite(path, error);
}

}  // namespace

void OutputFile::write(const std::string& path, const std::function<void(const std::string&)>& fill) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) throw cannotWrite(path, EISDIR);

    const Temporary temporary = createTemporary(path);
    try {
        fill(temporary.path);
        flushToDisk(temporary.path, path);
        if (::rename(temporary.path.c_str(), path.c_str()) != 0) throw cannotWrite(path, errno);
    } catch (...) {
        retire(temporary, false);
        throw;
    }
    retire(temporary, true);
}

void OutputFile::writeText(const std::string& path, std::string_view text) {
    write(path, [&](const std::string& temporary) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
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

}  // namespace AudioHost
