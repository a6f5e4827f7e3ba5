#pragma once
#include <concepts>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "Combine/AnyCancellable.hpp"
#include "Combine/Scheduler.hpp"
#include "Combine/Subscriber.hpp"

namespace Combine {

// Anything that hands values to subscribers: a type with Output and Failure and a const
// receive(subscriber). Value publishers (operators) are copied into the operators built on
// them; reference publishers (subjects, a control's publisher) live in a shared_ptr and are
// shared.
template <class P>
concept Publisher = requires { typename P::Output; typename P::Failure; } &&
                    requires(const P& p, SubscriberPtr<typename P::Output, typename P::Failure> s) { p.receive(s); };

namespace detail {
template <class T> struct IsSharedPtr : std::false_type {};
template <class T> struct IsSharedPtr<std::shared_ptr<T>> : std::true_type {};

// What an operator keeps of its upstream.
template <class P>
auto retain(const P& publisher) {
    if constexpr (std::is_copy_constructible_v<P>)
        return publisher;
    else
        return std::const_pointer_cast<P>(std::static_pointer_cast<const P>(publisher.shared_from_this()));
}
template <class P>
using Retained = decltype(retain(std::declval<const P&>()));

template <class H>
const auto& deref(const H& handle) {
    if constexpr (IsSharedPtr<H>::value)
        return *handle;
    else
        return handle;
}
template <class H>
using Deref = std::remove_cvref_t<decltype(deref(std::declval<const H&>()))>;
}  // namespace detail

template <class Output, class Failure> class AnyPublisher;
namespace Publishers {
template <class Upstream, class Transform> class Map;
template <class Upstream, class Equal> class RemoveDuplicates;
template <class Upstream> class ReceiveOn;
}  // namespace Publishers

// The operators every publisher offers. `Self` derives from it.
template <class Self, class Output, class Failure>
class PublisherOperators {
public:
    template <class S>
        requires std::derived_from<S, Subscriber<Output, Failure>>
    void subscribe(std::shared_ptr<S> subscriber) const {
        self().receive(SubscriberPtr<Output, Failure>(std::move(subscriber)));
    }

    // Each value turned into another; also takes a member function pointer, the platform's
    // key path (the value read at the moment of each element).
    template <class Transform>
    auto map(Transform transform) const {
        return Publishers::Map<detail::Retained<Self>, Transform>(detail::retain(self()), std::move(transform));
    }

    // Values equal to the one before are left out.
    auto removeDuplicates() const
        requires std::equality_comparable<Output>
    {
        return removeDuplicates(std::equal_to<Output>());
    }
    template <class Equal>
    auto removeDuplicates(Equal isDuplicate) const {
        return Publishers::RemoveDuplicates<detail::Retained<Self>, Equal>(detail::retain(self()), std::move(isDuplicate));
    }

    // Values and the completion delivered through `scheduler`, in order; nothing is
    // delivered after the subscriber cancels.
    auto receiveOn(Scheduler scheduler) const {
        return Publishers::ReceiveOn<detail::Retained<Self>>(detail::retain(self()), std::move(scheduler));
    }

    AnyPublisher<Output, Failure> eraseToAnyPublisher() const { return AnyPublisher<Output, Failure>(self()); }

    // Subscribes with unlimited demand. The subscription lasts as long as the returned
    // AnyCancellable.
    [[nodiscard]] AnyCancellable sink(std::function<void(Subscribers::Completion<Failure>)> receiveCompletion,
                                      std::function<void(Output)> receiveValue) const;
    [[nodiscard]] AnyCancellable sink(std::function<void(Output)> receiveValue) const
        requires std::same_as<Failure, Never>
    {
        return sink(nullptr, std::move(receiveValue));
    }

private:
    const Self& self() const { return static_cast<const Self&>(*this); }
};

}  // namespace Combine

#include "Combine/AnyPublisher.hpp"
#include "Combine/Map.hpp"
#include "Combine/ReceiveOn.hpp"
#include "Combine/RemoveDuplicates.hpp"
#include "Combine/Sink.hpp"
