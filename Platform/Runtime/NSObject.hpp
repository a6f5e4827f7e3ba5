#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Runtime/Selector.hpp"

namespace Runtime {

class NSObject;
class AssociationTable;
class Associations;

// What the object runtime knows of one class: its name, its superclass and the action
// methods it answers by selector. Looked up along the class chain.
class ClassInfo {
public:
    using Action = std::function<void(NSObject& receiver, NSObject* sender)>;

    ClassInfo(std::string name, const ClassInfo* superclass,
              std::vector<std::pair<Selector, Action>> actions = {});

    const std::string& name() const { return name_; }
    const ClassInfo* superclass() const { return super_; }
    const Action* findAction(Selector selector) const;  // this class first, then its ancestors
    bool isSubclassOf(const ClassInfo& other) const;   // true for the class itself

private:
    std::string name_;
    const ClassInfo* super_;
    std::unordered_map<Selector, Action> actions_;
    friend void addMethod(const ClassInfo&, Selector, Action);
};

// A category: gives an existing class (and its subclasses) one more action method, as a
// library's extension of a platform class does. Replaces a method of the same selector.
void addMethod(const ClassInfo& cls, Selector selector, ClassInfo::Action action);

// Binds a member function `void T::m(NSObject* sender)` (or `void T::m()`) as an action.
template <class T>
std::pair<Selector, ClassInfo::Action> action(const char* selector, void (T::*method)(NSObject*)) {
    return {Selector(selector), [method](NSObject& r, NSObject* s) { (static_cast<T&>(r).*method)(s); }};
}
template <class T>
std::pair<Selector, ClassInfo::Action> action(const char* selector, void (T::*method)()) {
    return {Selector(selector), [method](NSObject& r, NSObject*) { (static_cast<T&>(r).*method)(); }};
}

// Declares the runtime class of a type. A class that answers actions defines
//   static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();
// before the macro; otherwise it inherits its superclass's list, which changes nothing.
#define VZ_OBJECT(Type, Super)                                                                  \
public:                                                                                         \
    static const ::Runtime::ClassInfo& staticClassInfo() {                                      \
        static const ::Runtime::ClassInfo info(#Type, &Super::staticClassInfo(), Type::classActions()); \
        return info;                                                                            \
    }                                                                                           \
    const ::Runtime::ClassInfo& classInfo() const override { return staticClassInfo(); }        \
                                                                                                \
private:

// The root of every reference type that the platform creates by name or targets by
// selector. Objects live in std::shared_ptr (see make) and refer to each other weakly
// wherever the platform holds a reference weakly or unretained.
class NSObject : public std::enable_shared_from_this<NSObject> {
public:
    virtual ~NSObject();

    static const ClassInfo& staticClassInfo();
    virtual const ClassInfo& classInfo() const { return staticClassInfo(); }
    static std::vector<std::pair<Selector, ClassInfo::Action>> classActions() { return {}; }

    const std::string& className() const { return classInfo().name(); }
    bool isKindOf(const ClassInfo& cls) const { return classInfo().isSubclassOf(cls); }

    bool respondsTo(Selector selector) const;
    // Runs the action; false when the class chain has no method for the selector.
    bool perform(Selector selector, NSObject* sender = nullptr);

    // The second phase of creation: runs once, after construction, with the object already
    // owned by a shared_ptr, so that overrides of derived classes are reached.
    virtual void didInit() {}

    template <class T = NSObject>
    std::shared_ptr<T> sharedAs() { return std::dynamic_pointer_cast<T>(shared_from_this()); }

protected:
    NSObject();
    NSObject(const NSObject&) = delete;
    NSObject& operator=(const NSObject&) = delete;

private:
    friend class Associations;
    std::shared_ptr<AssociationTable> associations_;  // see Runtime/Associations.hpp
};

// Two-phase creation: constructs T, then calls its virtual initialiser.
template <class T, class... Args>
std::shared_ptr<T> make(Args&&... args) {
    struct Made : T {
        explicit Made(Args&&... a) : T(std::forward<Args>(a)...) {}
    };
    std::shared_ptr<T> object = std::make_shared<Made>(std::forward<Args>(args)...);
    object->didInit();
    return object;
}

// Creates objects by class name, as the system does for an extension's principal class.
class ClassRegistry {
public:
    using Factory = std::function<std::shared_ptr<NSObject>()>;

    static ClassRegistry& shared();

    void registerClass(const std::string& name, Factory factory);
    template <class T>
    void registerClass() {
        registerClass(T::staticClassInfo().name(), [] { return std::static_pointer_cast<NSObject>(make<T>()); });
    }
    bool contains(const std::string& name) const;
    std::shared_ptr<NSObject> create(const std::string& name) const;  // nullptr for an unknown name
    std::vector<std::string> classNames() const;

private:
    ClassRegistry() = default;
    struct Impl;
    Impl& impl() const;
};

}  // namespace Runtime
