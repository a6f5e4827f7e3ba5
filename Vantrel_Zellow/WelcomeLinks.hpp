#pragma once
#include "Foundation/URL.hpp"

namespace Vantrel_Zellow {

// The welcome window's help page, made once from a fixed address.
const Foundation::URL& welcomeHelpURL();

}  // namespace Vantrel_Zellow
