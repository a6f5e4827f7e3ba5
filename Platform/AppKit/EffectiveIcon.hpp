#pragma once
#include <any>
#include <functional>

#include "Foundation/URL.hpp"

namespace AppKit {

// A URL's effective-icon resource value (the platform's NSURLEffectiveIconKey): an NSImage for
// a file that exists (a document icon with 16, 32, 128 and 256-point representations), or
// empty when there is none. Throws Foundation::NSError when the resource values cannot be read
// (not a file URL, or nothing at its path). Tests may install their own provider (null restores
// the platform's).
std::any effectiveIcon(const Foundation::URL& url);
using EffectiveIconProvider = std::function<std::any(const Foundation::URL& url)>;
void setEffectiveIconProvider(EffectiveIconProvider provider);

}  // namespace AppKit
