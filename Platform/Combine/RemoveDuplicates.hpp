#pragma once
#include <memory>
#include <optional>

#include "Combine/Operator.hpp"

namespace Combine::Publishers {

// Leaves out each value that `isDuplicate` finds equal to the value delivered before it.
// The subscription passes straight through; a value left out is asked for again upstream, so
// the downstream still gets what it requested.
template <class Upstream, class Equal>
class RemoveDuplicates : public detail::Operator<RemoveDuplicates<Upstream, Equal>, Upstream, typename detail::Deref<Upstream>::Output> {
    using Base = detail::Operator<RemoveDuplicates, Upstream, typename detail::Deref<Upstream>::Output>;

public:
    using typename Base::Failure;
    using typename Base::Output;

    RemoveDuplicates(Upstream upstream, Equal isDuplicate) : Base(std::move(upstream)), isDuplicate_(std::move(isDuplicate)) {}

private:
    friend Base;
    class Inner final : public Subscriber<Output, Failure> {
    public:
        Inner(SubscriberPtr<Output, Failure> downstream, Equal isDuplicate)
            : downstream_(std::move(downstream)), isDuplicate_(std::move(isDuplicate)) {}
        void receive(std::shared_ptr<Subscription> subscription) override { downstream_->receive(std::move(subscription)); }
        Subscribers::Demand receive(Output input) override {
            if (last_ && isDuplicate_(*last_, input)) return Subscribers::Demand::max(1);
            last_ = input;
            return downstream_->receive(std::move(input));
        }
        void receive(Subscribers::Completion<Failure> completion) override { downstream_->receive(std::move(completion)); }

    private:
        SubscriberPtr<Output, Failure> downstream_;
        Equal isDuplicate_;
        std::optional<Output> last_;  // calls are serialised by the upstream
    };

    SubscriberPtr<Output, Failure> inner(SubscriberPtr<Output, Failure> s) const { return std::make_shared<Inner>(std::move(s), isDuplicate_); }

    Equal isDuplicate_;
};

}  // namespace Combine::Publishers
