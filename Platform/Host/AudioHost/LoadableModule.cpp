#include "Host/AudioHost/LoadableModule.hpp"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "Host/AudioHost/BadInput.hpp"

namespace AudioHost {

namespace {

#if defined(__x86_64__)
constexpr int hostMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr int hostMachine = EM_AARCH64;
#else
constexpr int hostMachine = EM_NONE;
#endif

using Header = ElfW(Ehdr);
using ProgramHeader = ElfW(Phdr);

bool within(std::uint64_t offset, std::uint64_t length, std::uint64_t size) { return offset <= size && length <= size - offset; }

}  // namespace

void LoadableModule::check(const std::string& path, const std::string& shown) {
    auto bad = [&](const std::string& why) { return BadInput(shown + ": its module " + path + " " + why); };
    // Without waiting for a writer: a FIFO in the module's place is refused below, not read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) throw bad(std::string("cannot be read (") + std::strerror(errno) + ")");
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) throw bad("is not a file");
    const std::uint64_t size = std::uint64_t(info.st_size);

    Header h;
    if (::pread(fd, &h, sizeof h, 0) != ssize_t(sizeof h) || std::memcmp(h.e_ident, ELFMAG, SELFMAG) != 0)
        throw bad("is not a shared object");
    const bool native = h.e_ident[EI_CLASS] == (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32) &&
                        h.e_ident[EI_DATA] == (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB) &&
                        h.e_machine == hostMachine;
    if (!native) throw bad("is built for another kind of machine");
    if (h.e_type != ET_DYN) throw bad("is not a shared object");

    const auto cutShort = [&] { return bad("is cut short (" + std::to_string(size) + " bytes)"); };
    if (h.e_phentsize != sizeof(ProgramHeader) || !within(h.e_phoff, std::uint64_t(h.e_phnum) * sizeof(ProgramHeader), size))
        throw cutShort();
    if (h.e_shnum && !within(h.e_shoff, std::uint64_t(h.e_shnum) * h.e_shentsize, size)) throw cutShort();
    std::vector<ProgramHeader> segments(h.e_phnum);
    const auto bytes = ssize_t(segments.size() * sizeof(ProgramHeader));
    if (::pread(fd, segments.data(), std::size_t(bytes), off_t(h.e_phoff)) != bytes) throw cutShort();
    for (const ProgramHeader& p : segments)
        if (p.p_type != PT_NULL && !within(p.p_offset, p.p_filesz, size)) throw cutShort();
}

void LoadableModule::load(const std::string& path, const std::string& shown) {
    check(path, shown);
    if (!::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        const char* why = ::dlerror();
        throw BadInput(shown + ": cannot load its module (" + (why ? why : "unknown reason") + ")");
    }
}

}  // namespace AudioHost
