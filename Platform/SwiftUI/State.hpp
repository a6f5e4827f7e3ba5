#pragma once
#include <concepts>
#include <functional>
#include <memory>
#include <typeindex>
#include <utility>

#include "Observation/Observation.hpp"

namespace SwiftUI {

class ViewNode;

namespace detail {
// One state slot of a node. Writing a different value makes the node evaluate again.
class SlotBase {
public:
    virtual ~SlotBase() = default;
    void invalidateOwner() const;
    std::weak_ptr<ViewNode> owner;
};
template <class T>
class Slot final : public SlotBase {
public:
    explicit Slot(T v) : value(std::move(v)) {}
    T value;
};
// While the graph instantiates a view: the next slot of the node, made from `make` when
// the node has none of this type at that position. Null outside instantiation.
std::shared_ptr<SlotBase> takeSlot(std::type_index type, const std::function<std::shared_ptr<SlotBase>()>& make);
bool isBinding();
}  // namespace detail

// A two-way connection to a value stored elsewhere.
template <class T>
class Binding {
public:
    Binding(std::function<T()> get, std::function<void(T)> set) : get_(std::move(get)), set_(std::move(set)) {}
    static Binding constant(T value) {
        return Binding([value] { return value; }, [](T) {});
    }
    // An observed property of an observable object (the object is kept alive).
    template <class O>
    static Binding property(std::shared_ptr<O> object, Observation::Observed<T> O::*member) {
        return Binding([object, member] { return ((*object).*member).get(); },
                       [object, member](T v) { ((*object).*member).set(std::move(v)); });
    }
    template <class O>
    static Binding property(std::shared_ptr<O> object, T O::*member) {
        return Binding([object, member] { return (*object).*member; },
                       [object, member](T v) { (*object).*member = std::move(v); });
    }

    T get() const { return get_(); }
    void set(T value) const { set_(std::move(value)); }
    T operator()() const { return get(); }
    const Binding& operator=(T value) const {
        set(std::move(value));
        return *this;
    }

private:
    std::function<T()> get_;
    std::function<void(T)> set_;
};

// View state (@State). Declared as a member of a view with its initial value; the graph binds
// it to the node's slot when it installs the view, so the value survives re-evaluation of
// the view and is reset when the view leaves the tree. Reads and writes work through any
// copy of the view (closures may capture the view by value).
template <class T>
class State {
public:
    State() : State(T{}) {}
    State(T initial) : slot_(std::make_shared<detail::Slot<T>>(std::move(initial))) {}
    State(const State& other) { bindFrom(other); }
    State(State&& other) { bindFrom(other); }
    State& operator=(const State& other) {
        slot_ = other.slot_;
        return *this;
    }

    const T& get() const { return slot_->value; }
    const T& operator()() const { return get(); }
    operator const T&() const { return get(); }
    const T* operator->() const { return &slot_->value; }

    // Non-mutating, like the platform's: a view's body (const) may write its state.
    void set(T value) const {
        if constexpr (std::equality_comparable<T>) {
            if (slot_->value == value) return;
        }
        slot_->value = std::move(value);
        slot_->invalidateOwner();
    }
    const State& operator=(T value) const {
        set(std::move(value));
        return *this;
    }
    // On a non-const state a value is still a write, never a rebinding through State(T).
    State& operator=(T value) {
        set(std::move(value));
        return *this;
    }

    // The projected value ($state).
    Binding<T> binding() const {
        auto slot = slot_;
        return Binding<T>([slot] { return slot->value; },
                          [slot](T v) {
                              if constexpr (std::equality_comparable<T>) {
                                  if (slot->value == v) return;
                              }
                              slot->value = std::move(v);
                              slot->invalidateOwner();
                          });
    }

private:
    void bindFrom(const State& other) {
        if (detail::isBinding()) {
            auto initial = other.slot_->value;
            slot_ = std::static_pointer_cast<detail::Slot<T>>(detail::takeSlot(
                typeid(detail::Slot<T>), [&] { return std::make_shared<detail::Slot<T>>(initial); }));
        } else {
            slot_ = other.slot_;
        }
    }
    std::shared_ptr<detail::Slot<T>> slot_;
};

// Focus state (@FocusState): state that a `.focused(binding)` modifier keeps in step with
// the keyboard focus. Setting it to true focuses the field once it exists; the field losing
// the focus sets it to false.
template <class T = bool>
class FocusState : public State<T> {
public:
    FocusState() : State<T>(T{}) {}
    using State<T>::operator=;
};

}  // namespace SwiftUI
