#pragma once
#include <optional>
#include <string>

#include "Foundation/Bundle.hpp"

// Well-known entries of a bundle's information property list: each the entry's text when the
// bundle has it as a string, none when it is missing or of another kind (a number is no
// version text). Read afresh every time.
namespace Orrindle::BundleInformation {

// "TeamIdentifierPrefix", preferring a localized value.
std::optional<std::string> teamIdentifierPrefix(const Foundation::Bundle& bundle);
// The raw dictionary's entries (no localization): "CFBundleDisplayName", "CFBundleName",
// "CFBundleShortVersionString" and "CFBundleVersion".
std::optional<std::string> displayName(const Foundation::Bundle& bundle);
std::optional<std::string> name(const Foundation::Bundle& bundle);
std::optional<std::string> shortVersion(const Foundation::Bundle& bundle);
std::optional<std::string> version(const Foundation::Bundle& bundle);

}  // namespace Orrindle::BundleInformation
