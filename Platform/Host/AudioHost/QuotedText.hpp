#pragma once
#include "Foundation/QuotedText.hpp"

namespace AudioHost {

using Foundation::quotedText;

}  // namespace AudioHost
