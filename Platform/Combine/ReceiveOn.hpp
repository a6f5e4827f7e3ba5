#pragma once
#include <memory>
#include <mutex>

#include "Combine/Operator.hpp"

namespace Combine::Publishers {

// Delivers values and the completion through a scheduler. The subscription itself arrives
// at once, on the subscribing thread. Once the subscriber cancels, or after the completion,
// whatever is still queued is dropped.
template <class Upstream>
class ReceiveOn : public detail::Operator<ReceiveOn<Upstream>, Upstream, typename detail::Deref<Upstream>::Output> {
    using Base = detail::Operator<ReceiveOn, Upstream, typename detail::Deref<Upstream>::Output>;

public:
    using typename Base::Failure;
    using typename Base::Output;

    ReceiveOn(Upstream upstream, Scheduler scheduler) : Base(std::move(upstream)), scheduler_(std::move(scheduler)) {}

private:
    friend Base;
    class Inner final : public Subscriber<Output, Failure>, public Subscription, public std::enable_shared_from_this<Inner> {
    public:
        Inner(SubscriberPtr<Output, Failure> downstream, Scheduler scheduler)
            : downstream_(std::move(downstream)), scheduler_(std::move(scheduler)) {}

        void receive(std::shared_ptr<Subscription> subscription) override {
            SubscriberPtr<Output, Failure> downstream;
            {
                std::unique_lock lock(mutex_);
                if (upstream_ || !downstream_) {
                    lock.unlock();
                    subscription->cancel();
                    return;
                }
                upstream_ = subscription;
                downstream = downstream_;
            }
            downstream->receive(this->shared_from_this());
        }

        Subscribers::Demand receive(Output input) override {
            scheduler_.schedule([self = this->shared_from_this(), input = std::move(input)]() mutable {
                auto downstream = self->current();
                if (!downstream) return;
                Subscribers::Demand more = downstream->receive(std::move(input));
                if (more > 0) self->request(more);
            });
            return Subscribers::Demand::none();
        }

        void receive(Subscribers::Completion<Failure> completion) override {
            scheduler_.schedule([self = this->shared_from_this(), completion = std::move(completion)]() mutable {
                SubscriberPtr<Output, Failure> downstream;
                {
                    std::lock_guard lock(self->mutex_);
                    downstream = std::move(self->downstream_);
                    self->upstream_.reset();
                }
                if (downstream) downstream->receive(std::move(completion));
            });
        }

        void request(Subscribers::Demand demand) override {
            std::shared_ptr<Subscription> upstream;
            {
                std::lock_guard lock(mutex_);
                upstream = upstream_;
            }
            if (upstream) upstream->request(demand);
        }

        void cancel() override {
            std::shared_ptr<Subscription> upstream;
            SubscriberPtr<Output, Failure> downstream;
            {
                std::lock_guard lock(mutex_);
                upstream = std::move(upstream_);
                downstream = std::move(downstream_);
            }
            if (upstream) upstream->cancel();
        }

        CombineIdentifier combineIdentifier() const override { return CombineIdentifier(this); }

    private:
        SubscriberPtr<Output, Failure> current() {
            std::lock_guard lock(mutex_);
            return downstream_;
        }

        std::mutex mutex_;
        SubscriberPtr<Output, Failure> downstream_;
        std::shared_ptr<Subscription> upstream_;
        Scheduler scheduler_;
    };

    SubscriberPtr<Output, Failure> inner(SubscriberPtr<Output, Failure> s) const { return std::make_shared<Inner>(std::move(s), scheduler_); }

    Scheduler scheduler_;
};

}  // namespace Combine::Publishers
