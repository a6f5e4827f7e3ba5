#include "Foundation/Bundle.hpp"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>

#include "Foundation/Locale.hpp"
#include "Foundation/NSError.hpp"

namespace Foundation {
namespace fs = std::filesystem;
namespace {

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool pathExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// One spelling per directory, so "a/b/", "a/./b" and a symbolic link share one bundle.
std::string canonicalDirectory(std::string_view path) {
    std::error_code error;
    fs::path canonical = fs::canonical(fs::path(path), error);
    if (error) canonical = fs::absolute(fs::path(path), error).lexically_normal();
    std::string text = canonical.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<Bundle>> bundles;
    std::shared_ptr<Bundle> mainOverride;
};

Registry& registry() {
    static Registry* instance = new Registry;  // bundles outlive every static destructor
    return *instance;
}

std::string executablePath() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.string();
}

struct Made : Bundle {
    explicit Made(const std::string& directory) : Bundle(directory) {}
};

}  // namespace

Bundle::Bundle(const std::string& directory) : bundleURL_(URL::fileURLWithPath(directory, true)) {
    const fs::path root(directory);
    const bool hasContents = isDirectory(root / "Contents");
    const fs::path contents = hasContents ? root / "Contents" : root;
    contentsPath_ = contents.string();
    hasContents_ = hasContents;
    const fs::path infoPath = contents / "Info.plist";
    const bool hasInfo = pathExists(infoPath);
    if (isDirectory(contents / "Resources")) resourceURL_ = URL::fileURLWithPath((contents / "Resources").string(), true);
    else if (!hasContents && !hasInfo) resourceURL_ = bundleURL_;
    if (hasInfo) {
        // An unreadable Info.plist reads as an empty one; why is kept for the host to say.
        try {
            const PropertyList info = PropertyList::fromFile(URL::fileURLWithPath(infoPath.string(), false));
            if (const auto* dictionary = info.dictionary()) info_ = *dictionary;
            else infoProblem_ = "Not a property list of a dictionary";
        } catch (const NSError& error) {
            infoProblem_ = error.localizedDescription();
        }
    }
}

std::shared_ptr<Bundle> Bundle::withPath(std::string_view path) {
    if (path.empty() || !isDirectory(fs::path(path))) return nullptr;
    const std::string key = canonicalDirectory(path);
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto& slot = r.bundles[key];
    if (!slot) {
        slot = std::make_shared<Made>(key);
        slot->didInit();
    }
    return slot;
}

std::shared_ptr<Bundle> Bundle::withURL(const URL& url) {
    if (!url.isFileURL()) return nullptr;
    return withPath(url.path());
}

std::shared_ptr<Bundle> Bundle::forCodeFile(std::string_view path) {
    const fs::path directory = fs::path(path).parent_path();
    if (directory.filename() == "MacOS" && directory.parent_path().filename() == "Contents") {
        if (auto bundle = withPath(directory.parent_path().parent_path().string())) return bundle;
    }
    return withPath(directory.empty() ? std::string(".") : directory.string());
}

std::shared_ptr<Bundle> Bundle::main() {
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        if (r.mainOverride) return r.mainOverride;
    }
    static const std::shared_ptr<Bundle> executableBundle = [] {
        const std::string exe = executablePath();
        auto bundle = exe.empty() ? nullptr : forCodeFile(exe);
        return bundle ? bundle : withPath(".");
    }();
    return executableBundle;
}

void Bundle::setMain(std::shared_ptr<Bundle> bundle) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.mainOverride = std::move(bundle);
}

std::shared_ptr<Bundle> Bundle::forAddress(const void* codeAddress) {
    Dl_info info{};
    if (!codeAddress || dladdr(codeAddress, &info) == 0 || !info.dli_fname) return nullptr;
    std::string path = info.dli_fname;
    // The main program may be reported by the name it was started with.
    if (path.empty() || path.find('/') == std::string::npos || !pathExists(path)) path = executablePath();
    return forCodeFile(path);
}

std::optional<URL> Bundle::executableURL() const {
    const PropertyList* name = objectForInfoDictionaryKey("CFBundleExecutable");
    if (!name || !name->string() || name->string()->empty()) return std::nullopt;
    const fs::path contents(contentsPath_);
    const fs::path file = hasContents_ ? contents / "MacOS" / *name->string() : contents / *name->string();
    return URL::fileURLWithPath(file.string(), false);
}

URL Bundle::builtInPlugInsURL() const { return URL::fileURLWithPath((fs::path(contentsPath_) / "PlugIns").string(), true); }

std::optional<std::string> Bundle::localizedValue(std::string_view table, std::string_view key) const {
    if (!resourceURL_) return std::nullopt;
    const fs::path resources(resourceURL_->path());
    const Locale locale = Locale::current();
    std::vector<std::string> folders{locale.identifier(), locale.languageCode()};
    if (const auto region = info_.find("CFBundleDevelopmentRegion"); region != info_.end() && region->second.string())
        folders.push_back(*region->second.string());
    folders.insert(folders.end(), {"en", "Base"});

    const std::string file = std::string(table) + ".strings";
    std::vector<fs::path> candidates;
    for (const auto& folder : folders)
        if (!folder.empty()) candidates.push_back(resources / (folder + ".lproj") / file);
    candidates.push_back(resources / file);

    std::lock_guard lock(localizationMutex_);
    for (const auto& path : candidates) {
        auto [slot, inserted] = tables_.try_emplace(path.string());
        if (inserted) {
            if (auto bytes = contentsOfFile(path.string(), PropertyList::largestFile)) {
                try {
                    slot->second = StringsTable::parse(*bytes);
                } catch (const NSError&) {
                    // A broken table is skipped, like a missing one.
                }
            }
        }
        if (slot->second) {
            if (const auto it = slot->second->find(key); it != slot->second->end()) return it->second;
        }
    }
    return std::nullopt;
}

const PropertyList* Bundle::objectForInfoDictionaryKey(std::string_view key) const {
    if (auto localized = localizedValue("InfoPlist", key)) {
        std::lock_guard lock(localizationMutex_);
        const std::string slot = std::string(key) + '\0' + *localized;
        return &localizedInfo_.try_emplace(slot, PropertyList(*localized)).first->second;
    }
    const auto it = info_.find(key);
    return it == info_.end() ? nullptr : &it->second;
}

std::optional<std::string> Bundle::bundleIdentifier() const {
    const PropertyList* id = objectForInfoDictionaryKey("CFBundleIdentifier");
    return id && id->string() ? std::optional<std::string>(*id->string()) : std::nullopt;
}

std::optional<URL> Bundle::urlForResource(std::string_view name, std::string_view extension,
                                          std::string_view subdirectory) const {
    if (!resourceURL_ || name.empty()) return std::nullopt;
    fs::path path(resourceURL_->path());
    if (!subdirectory.empty()) path /= fs::path(subdirectory);
    std::string file(name);
    if (!extension.empty()) {
        if (extension.front() != '.') file.push_back('.');
        file += extension;
    }
    path /= file;
    if (!pathExists(path)) return std::nullopt;
    return URL::fileURLWithPath(path.string());
}

std::string Bundle::localizedString(std::string_view key, std::string_view value, std::string_view table) const {
    if (auto localized = localizedValue(table.empty() ? "Localizable" : table, key)) return *localized;
    return std::string(value.empty() ? key : value);
}

}  // namespace Foundation
