#pragma once
#include <optional>
#include <string>

#include "Foundation/Date.hpp"
#include "Foundation/URL.hpp"

// File-URL helpers.
namespace Orrindle {

// The path from `base` to `url`, both taken as standardised file URLs: ".." for each of
// base's components past the shared ones, then url's remaining components, joined with "/".
// Empty for equal URLs; absent unless both are file URLs.
std::optional<std::string> relativePath(const Foundation::URL& url, const Foundation::URL& base);
// `relativePath` resolved against `base` taken as a directory, so the result is the same
// place as `url` standardised; absent when there is no relative path.
std::optional<Foundation::URL> relative(const Foundation::URL& url, const Foundation::URL& base);
// The last path component without its final extension ("notes.txt" gives "notes",
// "v1.0.txt" gives "v1.0").
std::string fileName(const Foundation::URL& url);
// The decoded path without its leading "/".
std::string displayablePath(const Foundation::URL& url);
// Absent when the item's attributes cannot be read.
std::optional<Foundation::Date> lastModifiedFileDate(const Foundation::URL& url);

}  // namespace Orrindle
