#pragma once
#include <memory>

#include "Combine/CombineIdentifier.hpp"
#include "Combine/Completion.hpp"
#include "Combine/Demand.hpp"
#include "Combine/Subscription.hpp"

namespace Combine {

// The receiving end of a stream. A publisher calls it in this order: receive(subscription)
// once, then receive(input) at most as often as the subscriber asked for, then at most one
// receive(completion); the calls never overlap. The demand that receive(input) returns adds
// to the outstanding demand.
template <class Input, class Failure = Never>
class Subscriber {
public:
    using InputType = Input;
    using FailureType = Failure;

    virtual ~Subscriber() = default;
    virtual void receive(std::shared_ptr<Subscription> subscription) = 0;
    virtual Subscribers::Demand receive(Input input) = 0;
    virtual void receive(Subscribers::Completion<Failure> completion) = 0;
    virtual CombineIdentifier combineIdentifier() const { return CombineIdentifier(this); }
};

template <class Input, class Failure = Never>
using SubscriberPtr = std::shared_ptr<Subscriber<Input, Failure>>;

}  // namespace Combine
