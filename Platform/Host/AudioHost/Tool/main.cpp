#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "AppKit/NSWorkspace.hpp"
#include "Foundation/MissingOptionValue.hpp"
#include "Foundation/URLSession.hpp"
#include "Host/AudioHost/AudioHostCommand.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/ExitStatus.hpp"
#include "Host/AudioHost/ExtensionUnitSource.hpp"
#include "Host/AudioHost/FileDescriptorStream.hpp"
#include "Host/AudioHost/QuotedText.hpp"
#include "Host/AudioHost/Editor/EditCommand.hpp"

namespace fs = std::filesystem;

namespace {

// A closed standard descriptor would be taken by the next file opened, and what the host prints
// would land in that file. An unwritable placeholder keeps the slot, so printing fails instead.
void holdStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int placeholder = ::open("/dev/null", O_RDONLY);
            if (placeholder >= 0 && placeholder != fd) {
                ::dup2(placeholder, fd);
                ::close(placeholder);
            }
        }
}

// The built application's plug-ins: auhost lives in <build>/bin, the application in <build>.
fs::path builtPlugIns() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return exe.parent_path().parent_path() / "Vantrel_Zellow.app" / "Contents" / "PlugIns";
}

// The extension bundles a path names: an .appex itself, or the ones in a folder.
std::vector<fs::path> extensionsAt(const fs::path& path) {
    if (path.extension() == ".appex") return {path};
    auto found = AudioHost::ExtensionUnitSource::findExtensions(path);
    if (found.empty()) throw AudioHost::BadInput(path.string() + ": no extension bundle (.appex) there");
    return found;
}

std::string codeText(std::uint32_t c) {
    return AudioHost::escapedText(std::string{char(c >> 24), char(c >> 16 & 0xFF), char(c >> 8 & 0xFF), char(c & 0xFF)});
}

// Each bundle on a line of its own; one that cannot be hosted is reported alone, and the
// command then fails. What the bundle says of itself is escaped: a line break in it would
// forge a line.
int list(const std::vector<fs::path>& bundles, std::ostream& out, std::ostream& err) {
    int status = AudioHost::ExitStatus::success;
    for (const auto& bundle : bundles) {
        try {
            AudioHost::ExtensionUnitSource source(bundle);
            const auto d = source.componentDescription();
            out << codeText(d.componentType) << ' ' << codeText(d.componentSubType) << ' ' << codeText(d.componentManufacturer)
                << "  " << AudioHost::escapedText(source.name()) << "  (" << AudioHost::escapedText(bundle.string()) << ")\n";
        } catch (const AudioHost::BadInput& error) {
            AudioHost::ExitStatus::report(err, error.what());
            status = AudioHost::ExitStatus::badInput;
        }
    }
    return status;
}

int run(std::vector<std::string> arguments, std::ostream& out, std::ostream& err) {
    // Asked for on any command, the usage needs no effect and no valid rest.
    if (!arguments.empty() && AudioHost::AudioHostCommand::asksForUsage(arguments))
        return AudioHost::AudioHostCommand::showUsage(arguments, out, err);
    // --extension PATH, anywhere: the bundle (or folder of bundles) to host.
    fs::path where = builtPlugIns();
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--extension") continue;
        if (auto missing = Foundation::missingOptionValue(arguments, i)) throw AudioHost::BadInput(*missing);
        where = arguments[i + 1];
        arguments.erase(arguments.begin() + long(i), arguments.begin() + long(i) + 2);
        break;
    }
    if (AudioHost::AudioHostCommand::asksForUsage(arguments)) return AudioHost::AudioHostCommand::showUsage(arguments, out, err);
    const auto bundles = extensionsAt(where);
    if (arguments[0] == "list") {
        if (arguments.size() > 1) throw AudioHost::BadInput("list takes no arguments");
        return list(bundles, out, err);
    }
    const auto source = AudioHost::ExtensionUnitSource::firstHostable(bundles);
    if (arguments[0] == "edit") {
        // A person uses the editor: its links open the browser, its update link the application.
        AppKit::NSWorkspace::shared().setOpensLinksExternally(true);
        return AudioHost::runEdit(*source, std::vector<std::string>(arguments.begin() + 1, arguments.end()), out, err);
    }
    return AudioHost::AudioHostCommand(*source, out, err).execute(arguments);
}

}  // namespace

int main(int argc, char** argv) {
    holdStandardDescriptors();
    AudioHost::FileDescriptorStream out(STDOUT_FILENO), err(STDERR_FILENO);
    // The host touches no network: whatever an effect tries to load fails at once.
    Foundation::URLSession::setOffline(true);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return AudioHost::ExitStatus::of([&] { return run(arguments, out, err); }, out, err);
}
