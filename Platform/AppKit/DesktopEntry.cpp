#include "AppKit/DesktopEntry.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "Foundation/Bundle.hpp"
#include "Foundation/NSError.hpp"
#include "Foundation/ResourceFile.hpp"
#include "Foundation/Strings.hpp"
#include "Host/OutputFiles/OutputFile.hpp"

namespace fs = std::filesystem;

namespace AppKit {

namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string home() {
    std::string h = env("HOME");
    return h.empty() ? "/" : h;
}

std::vector<std::string> pathList(const std::string& value, const std::string& fallback) {
    std::vector<std::string> dirs;
    for (auto& d : Foundation::split(value.empty() ? fallback : value, ':'))
        if (!d.empty() && d[0] == '/') dirs.push_back(d);  // relative entries are not honoured
    return dirs;
}

// A regular file's text; absent when the path names none, or something else (a FIFO there
// would hold its reader up), or one far larger than a desktop file can be.
std::optional<std::string> readFile(const std::string& path) {
    try {
        const auto data = Foundation::ResourceFile::readIfPresent(path, "a desktop file");
        if (!data) return std::nullopt;
        return std::string(data->begin(), data->end());
    } catch (const Foundation::NSError&) {
        return std::nullopt;
    }
}

// The key-value pairs of one group of a desktop file (keys with a locale left out).
std::vector<std::pair<std::string, std::string>> group(const std::string& text, const std::string& name) {
    std::vector<std::pair<std::string, std::string>> pairs;
    bool inside = false;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inside = line == "[" + name + "]";
            continue;
        }
        const auto eq = line.find('=');
        if (!inside || eq == std::string::npos) continue;
        std::string key = Foundation::trimmingWhitespaceAndNewlines(line.substr(0, eq));
        if (key.find('[') != std::string::npos) continue;
        pairs.emplace_back(key, Foundation::trimmingWhitespaceAndNewlines(line.substr(eq + 1)));
    }
    return pairs;
}

// The escapes of a string value: \s \n \t \r \\.
std::string unescaped(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char c = value[++i];
        out += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return out;
}

std::string escaped(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

// An Exec argument in double quotes, with the characters the quoting reserves escaped, and a
// percent sign doubled: the desktop expands field codes inside quotes too.
std::string quotedArgument(const std::string& arg) {
    std::string out = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        else if (c == '%') out += '%';
        out += c;
    }
    return out + "\"";
}

std::vector<std::string> listValue(const std::string& value) {
    std::vector<std::string> items;
    for (auto& item : Foundation::split(value, ';'))
        if (auto t = Foundation::trimmingWhitespaceAndNewlines(item); !t.empty()) items.push_back(t);
    return items;
}

std::string infoString(const Foundation::Bundle& bundle, const char* key) {
    const Foundation::PropertyList* v = bundle.objectForInfoDictionaryKey(key);
    return v && v->string() ? *v->string() : std::string();
}

}  // namespace

std::string DesktopEntry::dataHome() {
    std::string d = env("XDG_DATA_HOME");
    return !d.empty() && d[0] == '/' ? d : home() + "/.local/share";
}

std::vector<std::string> DesktopEntry::dataDirectories() {
    std::vector<std::string> dirs{dataHome()};
    for (auto& d : pathList(env("XDG_DATA_DIRS"), "/usr/local/share:/usr/share")) dirs.push_back(d);
    return dirs;
}

std::vector<std::string> DesktopEntry::configDirectories() {
    std::string h = env("XDG_CONFIG_HOME");
    std::vector<std::string> dirs{!h.empty() && h[0] == '/' ? h : home() + "/.config"};
    for (auto& d : pathList(env("XDG_CONFIG_DIRS"), "/etc/xdg")) dirs.push_back(d);
    return dirs;
}

std::optional<DesktopEntry> DesktopEntry::read(const std::string& path) {
    const auto text = readFile(path);
    if (!text) return std::nullopt;
    DesktopEntry e;
    e.path = path;
    e.id = fs::path(path).filename().string();
    bool application = false, hidden = false;
    for (auto& [key, value] : group(*text, "Desktop Entry")) {
        if (key == "Type") application = value == "Application";
        else if (key == "Name") e.name = unescaped(value);
        else if (key == "Exec") e.exec = unescaped(value);
        else if (key == "Icon") e.icon = unescaped(value);
        else if (key == "MimeType") e.mimeTypes = listValue(value);
        else if (key == "Hidden") hidden = value == "true";
    }
    if (!application || hidden || e.exec.empty()) return std::nullopt;
    return e;
}

std::optional<DesktopEntry> DesktopEntry::handlerForScheme(const std::string& scheme) {
    const std::string type = "x-scheme-handler/" + Foundation::lowercased(scheme);
    auto installed = [](const std::string& id) -> std::optional<DesktopEntry> {
        if (id.find('/') != std::string::npos) return std::nullopt;
        for (auto& dir : dataDirectories())
            if (auto e = read(dir + "/applications/" + id)) return e;
        return std::nullopt;
    };
    std::vector<std::string> lists;
    for (auto& d : configDirectories()) lists.push_back(d + "/mimeapps.list");
    for (auto& d : dataDirectories()) lists.push_back(d + "/applications/mimeapps.list");
    for (auto& list : lists)
        for (auto& [key, value] : group(readFile(list).value_or(""), "Default Applications"))
            if (key == type)
                for (auto& id : listValue(value))
                    if (auto e = installed(id)) return e;
    for (auto& dir : dataDirectories()) {
        std::error_code ec;
        std::vector<std::string> files;
        for (const auto& f : fs::directory_iterator(dir + "/applications", ec))
            if (f.path().extension() == ".desktop") files.push_back(f.path().string());
        std::sort(files.begin(), files.end());
        for (auto& f : files)
            if (auto e = read(f); e && std::find(e->mimeTypes.begin(), e->mimeTypes.end(), type) != e->mimeTypes.end())
                return e;
    }
    return std::nullopt;
}

std::optional<DesktopEntry> DesktopEntry::forBundle(const Foundation::Bundle& bundle, const std::string& executable) {
    auto identifier = bundle.bundleIdentifier();
    if (!identifier || identifier->empty()) return std::nullopt;
    DesktopEntry e;
    e.id = *identifier + ".desktop";
    e.name = infoString(bundle, "CFBundleDisplayName");
    if (e.name.empty()) e.name = infoString(bundle, "CFBundleName");
    if (e.name.empty()) e.name = *identifier;
    // GLib looks for the program before it expands field codes, so it would look for "%%" in
    // the path; such a program is started by the shell, which gets the path as an argument.
    e.exec = executable.find('%') == std::string::npos
                 ? quotedArgument(executable) + " %u"
                 : "sh -c " + quotedArgument("exec \"$0\" \"$@\"") + " " + quotedArgument(executable) + " %u";
    if (auto* types = bundle.objectForInfoDictionaryKey("CFBundleURLTypes"); types && types->array())
        for (auto& type : *types->array())
            if (auto* schemes = type.find("CFBundleURLSchemes"); schemes && schemes->array())
                for (auto& scheme : *schemes->array())
                    if (scheme.string() && !scheme.string()->empty())
                        e.mimeTypes.push_back("x-scheme-handler/" + Foundation::lowercased(*scheme.string()));
    const std::string iconName = infoString(bundle, "CFBundleIconName");
    if (!iconName.empty())
        for (const char* suffix : {"@2x.png", ".png"})
            if (auto url = bundle.urlForResource(iconName + suffix, "", "Assets")) {
                e.icon = url->path();
                break;
            }
    return e;
}

std::string DesktopEntry::applicationIdentifier() const {
    const std::string suffix = ".desktop";
    return id.size() > suffix.size() && id.compare(id.size() - suffix.size(), suffix.size(), suffix) == 0
               ? id.substr(0, id.size() - suffix.size())
               : id;
}

std::vector<std::string> DesktopEntry::commandLine(const std::string& url) const {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false, quoted = false;
    auto finish = [&] {
        if (inArgument) args.push_back(current);
        current.clear();
        inArgument = false;
    };
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        // Field codes are expanded after the quoting is undone, so inside quotes too.
        if (c == '%' && i + 1 < exec.size()) {
            const char code = exec[++i];
            if (code == '%') current += '%', inArgument = true;
            else if (code == 'u' || code == 'U') current += url, inArgument = true;
            else if (code == 'c') current += name, inArgument = true;
            else if (code == 'i' && !icon.empty() && !quoted) {
                finish();
                args.push_back("--icon");
                args.push_back(icon);
            }
        } else if (quoted) {
            if (c == '\\' && i + 1 < exec.size()) current += exec[++i];
            else if (c == '"') quoted = false;
            else current += c;
        } else if (c == ' ' || c == '\t') {
            finish();
        } else if (c == '"') {
            quoted = inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    finish();
    return args;
}

std::string DesktopEntry::text() const {
    std::string t = "[Desktop Entry]\nType=Application\nVersion=1.5\nName=" + escaped(name) + "\nExec=" + escaped(exec) + "\n";
    if (!icon.empty()) t += "Icon=" + escaped(icon) + "\n";
    if (!mimeTypes.empty()) {
        t += "MimeType=";
        for (auto& m : mimeTypes) t += m + ";";
        t += "\n";
    }
    return t + "Terminal=false\nStartupNotify=true\nCategories=AudioVideo;Audio;\n";
}

bool DesktopEntry::install(std::string* error) {
    const std::string dir = dataHome() + "/applications";
    const std::string target = dir + "/" + id;
    const std::string contents = text();
    struct stat s {};
    if (::stat(target.c_str(), &s) == 0) {
        // The start would wait on a FIFO there until something reads it.
        if (!S_ISREG(s.st_mode)) {
            if (error) *error = "cannot write " + target + ": it is not a regular file";
            return false;
        }
        if (readFile(target) == contents) {
            path = target;
            return true;
        }
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    // Whole or not at all, so the desktop never reads half an entry; a link there stays one.
    try {
        OutputFiles::OutputFile::writeText(target, contents);
    } catch (const OutputFiles::OutputFile::CannotWrite& e) {
        if (error) *error = e.what();
        return false;
    }
    path = target;
    return true;
}

}  // namespace AppKit
