#pragma once
#include <memory>

#include "Runtime/NSObject.hpp"

namespace AppKit {

// Posts a notification of the framework through the default notification centre.
void postNotification(const char* name, const std::shared_ptr<Runtime::NSObject>& object);

}  // namespace AppKit
