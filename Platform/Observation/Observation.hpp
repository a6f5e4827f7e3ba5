#pragma once
#include <concepts>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace Observation {

// Observation in the manner of the platform's: reads of observed properties inside
// withObservationTracking are recorded; the first later write that changes one of them
// calls onChange once (the subscription then ends). A write of an equal value notifies
// nobody.

class Tracking;

// Identity of one observed property (the address of its storage).
using PropertyId = const void*;

namespace detail {
void recordAccess(PropertyId property);
void notifyChange(PropertyId property);
void forget(PropertyId property);
}  // namespace detail

// A handle that ends the subscription when cancelled or destroyed.
class ObservationToken {
public:
    ObservationToken() = default;
    explicit ObservationToken(std::shared_ptr<void> state) : state_(std::move(state)) {}
    ObservationToken(ObservationToken&&) = default;
    ObservationToken& operator=(ObservationToken&&) = default;
    ~ObservationToken() { cancel(); }
    void cancel();
    bool isActive() const;

private:
    std::shared_ptr<void> state_;
};

// Runs `apply`, recording the observed properties it reads; `onChange` runs once, on the
// thread of the first changing write to any of them, after the write.
[[nodiscard]] ObservationToken withObservationTracking(const std::function<void()>& apply,
                                                       std::function<void()> onChange);

// Records reads without subscribing: the set of properties `apply` read, for a caller
// that subscribes later (the view graph subscribes per node).
class AccessList {
public:
    void add(PropertyId p);
    bool contains(PropertyId p) const;
    std::size_t size() const { return ids_.size(); }
    const std::vector<PropertyId>& ids() const { return ids_; }

private:
    std::vector<PropertyId> ids_;
};
AccessList recordAccesses(const std::function<void()>& apply);
[[nodiscard]] ObservationToken subscribe(const AccessList& accesses, std::function<void()> onChange);

// The equality a property's writes are compared with: == where the type has one; values
// without == always count as different.
struct ValueEquality {
    template <class T>
    bool operator()(const T& a, const T& b) const {
        if constexpr (std::equality_comparable<T>)
            return a == b;
        else
            return false;
    }
};

// One observed stored property. Reads register with the current tracking scope; writes of a
// value that `Equal` finds different notify.
template <class T, class Equal = ValueEquality>
class Observed {
public:
    Observed() = default;
    explicit Observed(T initial) : value_(std::move(initial)) {}
    Observed(const Observed&) = delete;
    Observed& operator=(const Observed&) = delete;
    ~Observed() { detail::forget(this); }

    const T& get() const {
        detail::recordAccess(this);
        return value_;
    }
    // Reads without registering (for code that must not subscribe, such as the writer).
    const T& peek() const { return value_; }

    // An equal value is stored too (it may differ in what Equal ignores), but notifies nobody.
    void set(T newValue) {
        const bool same = Equal{}(value_, newValue);
        value_ = std::move(newValue);
        if (!same) detail::notifyChange(this);
    }

    operator const T&() const { return get(); }
    Observed& operator=(T newValue) {
        set(std::move(newValue));
        return *this;
    }
    PropertyId id() const { return this; }

private:
    T value_{};
};

}  // namespace Observation
