#pragma once
#include <functional>
#include <memory>
#include <type_traits>

#include "Combine/Operator.hpp"

namespace Combine::Publishers {

template <class Upstream, class Transform>
using MapOutput = std::remove_cvref_t<std::invoke_result_t<const Transform&, typename detail::Deref<Upstream>::Output>>;

// Each upstream value turned into another. The subscription passes straight through, so
// demand and cancellation reach the upstream unchanged.
template <class Upstream, class Transform>
class Map : public detail::Operator<Map<Upstream, Transform>, Upstream, MapOutput<Upstream, Transform>> {
    using Base = detail::Operator<Map, Upstream, MapOutput<Upstream, Transform>>;

public:
    using typename Base::Failure;
    using typename Base::Input;
    using typename Base::Output;

    Map(Upstream upstream, Transform transform) : Base(std::move(upstream)), transform_(std::move(transform)) {}

private:
    friend Base;
    class Inner final : public Subscriber<Input, Failure> {
    public:
        Inner(SubscriberPtr<Output, Failure> downstream, Transform transform)
            : downstream_(std::move(downstream)), transform_(std::move(transform)) {}
        void receive(std::shared_ptr<Subscription> subscription) override { downstream_->receive(std::move(subscription)); }
        Subscribers::Demand receive(Input input) override { return downstream_->receive(std::invoke(transform_, input)); }
        void receive(Subscribers::Completion<Failure> completion) override { downstream_->receive(std::move(completion)); }

    private:
        SubscriberPtr<Output, Failure> downstream_;
        Transform transform_;
    };
    SubscriberPtr<Input, Failure> inner(SubscriberPtr<Output, Failure> s) const { return std::make_shared<Inner>(std::move(s), transform_); }

    Transform transform_;
};

}  // namespace Combine::Publishers
