#include "AppKit/PostNotification.hpp"

#include "Foundation/NotificationCenter.hpp"

namespace AppKit {

void postNotification(const char* name, const std::shared_ptr<Runtime::NSObject>& object) {
    Foundation::NotificationCenter::defaultCenter().post(name, object.get());
}

}  // namespace AppKit
