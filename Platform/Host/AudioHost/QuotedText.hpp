#pragma once
#include "Foundation/QuotedText.hpp"

namespace AudioHost {

using Foundation::escapedText;
using Foundation::quotedText;

}  // namespace AudioHost
