#pragma once
#include <memory>
#include <utility>

#include "Combine/Combine.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

namespace detail {
// Runs the work now when on the main thread, else queues it on the main queue (in call order).
template <class Work>
void onMainThread(Work&& work) {
    if (Runtime::isMainThread())
        work();
    else
        Dispatch::DispatchQueue::main().async(std::forward<Work>(work));
}
}  // namespace detail

namespace Publishers {

// Hands every signal to the subscriber on the main thread: at once when it arrives there,
// queued on the main queue when it arrives elsewhere. The upstream is asked for everything;
// the subscriber's own demand is passed up but does not hold values back. Nothing reaches the
// subscriber after a cancel or after the completion.
template <class Upstream>
class ReceiveOnMainThread
    : public Combine::PublisherOperators<ReceiveOnMainThread<Upstream>, typename Combine::detail::Deref<Upstream>::Output,
                                         typename Combine::detail::Deref<Upstream>::Failure> {
public:
    using Output = typename Combine::detail::Deref<Upstream>::Output;
    using Failure = typename Combine::detail::Deref<Upstream>::Failure;

    explicit ReceiveOnMainThread(Upstream upstream) : upstream_(std::move(upstream)) {}

    void receive(Combine::SubscriberPtr<Output, Failure> subscriber) const {
        Combine::detail::deref(upstream_).receive(std::make_shared<Inner>(std::move(subscriber)));
    }

    // The upstream's subscriber and the downstream's subscription at once. Its state is
    // touched only on the main thread.
    class Inner final : public Combine::Subscriber<Output, Failure>,
                        public Combine::Subscription,
                        public std::enable_shared_from_this<Inner> {
    public:
        explicit Inner(Combine::SubscriberPtr<Output, Failure> downstream) : downstream_(std::move(downstream)) {}

        void receive(std::shared_ptr<Combine::Subscription> subscription) override {
            detail::onMainThread([self = this->shared_from_this(), subscription = std::move(subscription)]() mutable {
                self->subscription_ = std::move(subscription);
                if (self->downstream_) self->downstream_->receive(std::static_pointer_cast<Combine::Subscription>(self));
            });
        }

        Combine::Subscribers::Demand receive(Output input) override {
            detail::onMainThread([self = this->shared_from_this(), input = std::move(input)]() mutable {
                if (self->subscription_ && self->downstream_) self->downstream_->receive(std::move(input));
            });
            return Combine::Subscribers::Demand::unlimited();
        }

        void receive(Combine::Subscribers::Completion<Failure> completion) override {
            detail::onMainThread([self = this->shared_from_this(), completion = std::move(completion)]() mutable {
                if (!self->subscription_) return;
                // The subscription stays (a late cancel still reaches it); the subscriber is done.
                if (auto downstream = std::exchange(self->downstream_, nullptr)) downstream->receive(std::move(completion));
            });
        }

        void request(Combine::Subscribers::Demand demand) override {
            detail::onMainThread([self = this->shared_from_this(), demand] {
                if (self->subscription_) self->subscription_->request(demand);
            });
        }

        void cancel() override {
            detail::onMainThread([self = this->shared_from_this()] {
                if (auto s = std::exchange(self->subscription_, nullptr)) s->cancel();
                self->downstream_.reset();
            });
        }

        Combine::CombineIdentifier combineIdentifier() const override { return Combine::CombineIdentifier(this); }

    private:
        Combine::SubscriberPtr<Output, Failure> downstream_;
        std::shared_ptr<Combine::Subscription> subscription_;
    };

private:
    Upstream upstream_;
};

}  // namespace Publishers

// The operator: `receiveOnMainThread(publisher)`.
template <Combine::Publisher P>
auto receiveOnMainThread(const P& publisher) {
    return Publishers::ReceiveOnMainThread<Combine::detail::Retained<P>>(Combine::detail::retain(publisher));
}
template <class P>
auto receiveOnMainThread(const std::shared_ptr<P>& publisher) {
    return receiveOnMainThread(*publisher);
}

}  // namespace Orrindle
