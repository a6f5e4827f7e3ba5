#include "AppKit/PostNotification.hpp"

namespace AppKit {

void postNotification(const char* name, const std::shared_ptr<Runtime::NSObject>& object) {
    (void)name;
    (void)object;
}

}  // namespace AppKit
