#pragma once
#include <cstdint>
#include <functional>

namespace Combine {

// Identifies a subscriber or subscription: an object's address, or a fresh process-wide
// number.
class CombineIdentifier {
public:
    CombineIdentifier();
    explicit CombineIdentifier(const void* object) : value_(reinterpret_cast<std::uintptr_t>(object)), isObject_(true) {}

    friend bool operator==(const CombineIdentifier&, const CombineIdentifier&) = default;
    std::size_t hash() const { return std::hash<std::uintptr_t>()(value_) ^ (isObject_ ? 0x9e3779b9u : 0u); }

private:
    std::uintptr_t value_;
    bool isObject_;
};

}  // namespace Combine

template <>
struct std::hash<Combine::CombineIdentifier> {
    std::size_t operator()(const Combine::CombineIdentifier& id) const noexcept { return id.hash(); }
};
