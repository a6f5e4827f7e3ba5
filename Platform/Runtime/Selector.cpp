#include "Runtime/Selector.hpp"

#include <mutex>
#include <unordered_set>

namespace Runtime {

namespace {
std::mutex& tableMutex() {
    static std::mutex m;
    return m;
}
std::unordered_set<std::string>& table() {
    static std::unordered_set<std::string> t;
    return t;
}
const std::string& emptyName() {
    static const std::string e;
    return e;
}
}  // namespace

Selector::Selector(std::string_view name) {
    std::lock_guard lock(tableMutex());
    name_ = &*table().emplace(name).first;  // node-based: addresses are stable
}

const std::string& Selector::name() const { return name_ ? *name_ : emptyName(); }

}  // namespace Runtime
