#pragma once
#include <any>
#include <map>
#include <string>

#include "Runtime/NSObject.hpp"

namespace Foundation {

// One posted notification. It is an object so that selector-based observers receive it as
// their action's sender, and a copyable value for everyone else.
class Notification : public Runtime::NSObject {
    VZ_OBJECT(Notification, Runtime::NSObject)

public:
    using UserInfo = std::map<std::string, std::any>;

    Notification(std::string name, Runtime::NSObject* object = nullptr, UserInfo userInfo = {})
        : name(std::move(name)), object(object), userInfo(std::move(userInfo)) {}
    Notification(const Notification& other) : Runtime::NSObject(), name(other.name), object(other.object), userInfo(other.userInfo) {}
    Notification& operator=(const Notification& other) {
        name = other.name;
        object = other.object;
        userInfo = other.userInfo;
        return *this;
    }

    std::string name;
    // The sender, not owned: valid while the notification is being delivered.
    Runtime::NSObject* object;
    UserInfo userInfo;
};

}  // namespace Foundation
