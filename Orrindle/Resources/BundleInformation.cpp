#include "Orrindle/Resources/BundleInformation.hpp"

namespace Orrindle::BundleInformation {

namespace {
std::optional<std::string> text(const Foundation::PropertyList* entry) {
    const std::string* s = entry ? entry->string() : nullptr;
    return s ? std::optional<std::string>(*s) : std::nullopt;
}
std::optional<std::string> rawEntry(const Foundation::Bundle& bundle, const char* key) {
    const auto& info = bundle.infoDictionary();
    auto found = info.find(key);
    return text(found == info.end() ? nullptr : &found->second);
}
}  // namespace

std::optional<std::string> teamIdentifierPrefix(const Foundation::Bundle& bundle) {
    return text(bundle.objectForInfoDictionaryKey("TeamIdentifierPrefix"));
}
std::optional<std::string> displayName(const Foundation::Bundle& bundle) { return rawEntry(bundle, "CFBundleDisplayName"); }
std::optional<std::string> name(const Foundation::Bundle& bundle) { return rawEntry(bundle, Foundation::kCFBundleNameKey); }
std::optional<std::string> shortVersion(const Foundation::Bundle& bundle) {
    return rawEntry(bundle, "CFBundleShortVersionString");
}
std::optional<std::string> version(const Foundation::Bundle& bundle) { return rawEntry(bundle, Foundation::kCFBundleVersionKey); }

}  // namespace Orrindle::BundleInformation
