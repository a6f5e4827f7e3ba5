#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace Runtime {

// An interned method name. Two selectors with the same text compare equal by pointer.
class Selector {
public:
    Selector() = default;
    Selector(const char* name) : Selector(std::string_view(name)) {}
    explicit Selector(std::string_view name);

    const std::string& name() const;
    bool isNull() const { return name_ == nullptr; }
    explicit operator bool() const { return name_ != nullptr; }

    friend bool operator==(Selector a, Selector b) { return a.name_ == b.name_; }
    friend bool operator!=(Selector a, Selector b) { return a.name_ != b.name_; }
    std::size_t hash() const { return std::hash<const void*>()(name_); }

private:
    const std::string* name_ = nullptr;
};

}  // namespace Runtime

template <>
struct std::hash<Runtime::Selector> {
    std::size_t operator()(Runtime::Selector s) const noexcept { return s.hash(); }
};
