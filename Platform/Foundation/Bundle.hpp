#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "Foundation/PropertyList.hpp"
#include "Foundation/StringsTable.hpp"
#include "Foundation/URL.hpp"
#include "Runtime/NSObject.hpp"

namespace Foundation {

// Core Foundation's names of two information-dictionary keys.
inline constexpr const char* kCFBundleNameKey = "CFBundleName";
inline constexpr const char* kCFBundleVersionKey = "CFBundleVersion";

// A directory on disk that holds code and resources. Two layouts:
//   with Contents/ (X.app, X.appex):  Contents/Info.plist, Contents/MacOS/<executable>,
//                                     Contents/Resources/, Contents/PlugIns/
//   flat (Pellicot_Pellicot.bundle):  Info.plist, <executable>, Resources/, PlugIns/
// Contents/ wins when present. A directory with neither Contents/ nor Info.plist is a bare
// bundle (a build directory): it is its own resource directory.
//
// Bundles are shared and cached per directory, and read their Info.plist once, when first
// opened; a missing or unreadable Info.plist gives an empty dictionary. Tables and property
// lists larger than PropertyList::largestFile are not read.
//
// Localized text comes from <resources>/<localization>.lproj/<table>.strings, searched in this
// order: the current locale's identifier ("de_DE"), its language ("de"), the bundle's
// CFBundleDevelopmentRegion, "en", "Base", then <resources>/<table>.strings. The first table
// that has the key answers.
class Bundle : public Runtime::NSObject {
    VZ_OBJECT(Bundle, Runtime::NSObject)

public:
    // nullptr unless the URL names an existing directory.
    static std::shared_ptr<Bundle> withURL(const URL& url);
    static std::shared_ptr<Bundle> withPath(std::string_view path);

    // The bundle of the running program: the one set by setMain, else the bundle that holds
    // the executable (X.app for X.app/Contents/MacOS/x, else the executable's directory).
    static std::shared_ptr<Bundle> main();
    // For tests and hosts; nullptr goes back to the executable's bundle.
    static void setMain(std::shared_ptr<Bundle> bundle);

    // The bundle that holds the code at `codeAddress` (a function or object of the calling
    // module): for a module inside Y.appex/Contents/MacOS/ that is Y.appex, else the module's
    // directory. nullptr when the address is in no loaded module.
    static std::shared_ptr<Bundle> forAddress(const void* codeAddress);
    // The same rule for a code file's path.
    static std::shared_ptr<Bundle> forCodeFile(std::string_view path);

    const URL& bundleURL() const { return bundleURL_; }
    // Absent when the bundle has no resource directory.
    const std::optional<URL>& resourceURL() const { return resourceURL_; }
    // From CFBundleExecutable; absent without that key.
    std::optional<URL> executableURL() const;
    URL builtInPlugInsURL() const;

    // The raw dictionary, without localizations.
    const PropertyList::Dictionary& infoDictionary() const { return info_; }
    // Why an Info.plist there read as an empty dictionary (what was wrong with the file or its
    // contents); absent when it read or there is none.
    const std::optional<std::string>& infoDictionaryProblem() const { return infoProblem_; }
    // The localized value from the InfoPlist tables when one has the key, else the raw entry.
    const PropertyList* objectForInfoDictionaryKey(std::string_view key) const;
    // CFBundleIdentifier when it is a string.
    std::optional<std::string> bundleIdentifier() const;

    // The file or directory `name`.`extension` (or `name` alone for an empty extension) in
    // the resource directory or its `subdirectory`; absent when it does not exist.
    std::optional<URL> urlForResource(std::string_view name, std::string_view extension,
                                      std::string_view subdirectory = {}) const;
    // The text for `key` in `table` (empty: "Localizable"); when no table has it, `value`
    // when not empty, else `key`.
    std::string localizedString(std::string_view key, std::string_view value, std::string_view table = {}) const;

protected:
    explicit Bundle(const std::string& directory);

private:
    URL bundleURL_;
    std::string contentsPath_;  // the directory that holds Info.plist, MacOS/, Resources/
    bool hasContents_ = false;
    std::optional<URL> resourceURL_;
    PropertyList::Dictionary info_;
    std::optional<std::string> infoProblem_;

    std::optional<std::string> localizedValue(std::string_view table, std::string_view key) const;
    mutable std::mutex localizationMutex_;
    mutable std::map<std::string, std::optional<StringsTable::Entries>> tables_;  // by file path
    mutable std::map<std::string, PropertyList> localizedInfo_;  // never erased: handed out by address
};

}  // namespace Foundation
