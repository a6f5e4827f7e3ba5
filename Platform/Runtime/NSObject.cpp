#include "Runtime/NSObject.hpp"

#include <algorithm>
#include <map>
#include <mutex>
#include <shared_mutex>

#include "Runtime/Associations.hpp"

namespace Runtime {

ClassInfo::ClassInfo(std::string name, const ClassInfo* superclass,
                     std::vector<std::pair<Selector, Action>> actions)
    : name_(std::move(name)), super_(superclass) {
    for (auto& [selector, fn] : actions) actions_.insert_or_assign(selector, std::move(fn));
}

namespace {
// Categories may add methods while others look them up.
std::shared_mutex& methodsMutex() {
    static std::shared_mutex m;
    return m;
}
}  // namespace

void addMethod(const ClassInfo& cls, Selector selector, ClassInfo::Action action) {
    std::unique_lock lock(methodsMutex());
    const_cast<ClassInfo&>(cls).actions_.insert_or_assign(selector, std::move(action));
}

const ClassInfo::Action* ClassInfo::findAction(Selector selector) const {
    std::shared_lock lock(methodsMutex());
    for (const ClassInfo* c = this; c; c = c->super_) {
        if (auto it = c->actions_.find(selector); it != c->actions_.end()) return &it->second;
    }
    return nullptr;
}

bool ClassInfo::isSubclassOf(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->super_)
        if (c == &other) return true;
    return false;
}

// Associated objects go with their owner; the owner is already gone for them (weak
// references to it read null).
NSObject::NSObject() = default;
NSObject::~NSObject() { removeAssociatedObjects(*this); }

const ClassInfo& NSObject::staticClassInfo() {
    static const ClassInfo info("NSObject", nullptr);
    return info;
}

bool NSObject::respondsTo(Selector selector) const { return classInfo().findAction(selector) != nullptr; }

bool NSObject::perform(Selector selector, NSObject* sender) {
    const ClassInfo::Action* a = classInfo().findAction(selector);
    if (!a) return false;
    (*a)(*this, sender);
    return true;
}

struct ClassRegistry::Impl {
    mutable std::mutex mutex;
    std::map<std::string, Factory> factories;
};

ClassRegistry& ClassRegistry::shared() {
    static ClassRegistry registry;
    return registry;
}

ClassRegistry::Impl& ClassRegistry::impl() const {
    static Impl i;
    return i;
}

void ClassRegistry::registerClass(const std::string& name, Factory factory) {
    std::lock_guard lock(impl().mutex);
    impl().factories.insert_or_assign(name, std::move(factory));
}

bool ClassRegistry::contains(const std::string& name) const {
    std::lock_guard lock(impl().mutex);
    return impl().factories.count(name) != 0;
}

std::shared_ptr<NSObject> ClassRegistry::create(const std::string& name) const {
    Factory f;
    {
        std::lock_guard lock(impl().mutex);
        auto it = impl().factories.find(name);
        if (it == impl().factories.end()) return nullptr;
        f = it->second;
    }
    return f();
}

std::vector<std::string> ClassRegistry::classNames() const {
    std::lock_guard lock(impl().mutex);
    std::vector<std::string> names;
    for (auto& [n, f] : impl().factories) names.push_back(n);
    return names;
}

}  // namespace Runtime
