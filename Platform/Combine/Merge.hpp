#pragma once
#include <memory>
#include <mutex>

#include "Combine/Publisher.hpp"

namespace Combine::Publishers {

// The values of two publishers of one type, in the order they arrive. Both upstreams are asked
// for everything; the subscriber's own demand is passed on to neither, so it should ask for
// all (as sink does). It finishes when both have finished and fails with the first failure;
// a cancel reaches both upstreams, and nothing is delivered after it.
template <class A, class B>
class Merge : public PublisherOperators<Merge<A, B>, typename detail::Deref<A>::Output, typename detail::Deref<A>::Failure> {
public:
    using Output = typename detail::Deref<A>::Output;
    using Failure = typename detail::Deref<A>::Failure;
    static_assert(std::same_as<Output, typename detail::Deref<B>::Output>);
    static_assert(std::same_as<Failure, typename detail::Deref<B>::Failure>);

    Merge(A a, B b) : a_(std::move(a)), b_(std::move(b)) {}

    void receive(SubscriberPtr<Output, Failure> subscriber) const {
        auto shared = std::make_shared<Shared>(std::move(subscriber));
        shared->downstream->receive(std::static_pointer_cast<Subscription>(shared));
        detail::deref(a_).receive(std::make_shared<Side>(shared, 0));
        detail::deref(b_).receive(std::make_shared<Side>(shared, 1));
    }

private:
    // The subscription the subscriber holds; it owns the two upstream subscriptions.
    struct Shared final : Subscription {
        explicit Shared(SubscriberPtr<Output, Failure> d) : downstream(std::move(d)) {}
        void request(Subscribers::Demand) override {}
        void cancel() override {
            std::shared_ptr<Subscription> a, b;
            {
                std::lock_guard lock(mutex);
                cancelled = true;
                a = std::move(upstream[0]);
                b = std::move(upstream[1]);
                downstream.reset();
            }
            if (a) a->cancel();
            if (b) b->cancel();
        }
        SubscriberPtr<Output, Failure> current() {
            std::lock_guard lock(mutex);
            return downstream;
        }

        std::recursive_mutex delivery;  // one call at a time into the subscriber
        std::mutex mutex;
        SubscriberPtr<Output, Failure> downstream;
        std::shared_ptr<Subscription> upstream[2];
        bool cancelled = false;
        int finished = 0;
    };

    struct Side final : Subscriber<Output, Failure> {
        Side(std::shared_ptr<Shared> s, int i) : shared(std::move(s)), index(i) {}
        void receive(std::shared_ptr<Subscription> subscription) override {
            bool keep = false;
            {
                std::lock_guard lock(shared->mutex);
                keep = !shared->cancelled && !shared->upstream[index];
                if (keep) shared->upstream[index] = subscription;
            }
            if (keep)
                subscription->request(Subscribers::Demand::unlimited());
            else
                subscription->cancel();
        }
        Subscribers::Demand receive(Output input) override {
            std::lock_guard delivery(shared->delivery);
            if (auto d = shared->current()) d->receive(std::move(input));
            return Subscribers::Demand::none();
        }
        void receive(Subscribers::Completion<Failure> completion) override {
            std::lock_guard delivery(shared->delivery);
            SubscriberPtr<Output, Failure> d;
            {
                std::lock_guard lock(shared->mutex);
                if (!shared->downstream) return;
                if (completion.isFinished() && ++shared->finished < 2) return;
                d = std::move(shared->downstream);
            }
            d->receive(std::move(completion));
        }
        std::shared_ptr<Shared> shared;
        int index;
    };

    A a_;
    B b_;
};

}  // namespace Combine::Publishers

namespace Combine {

// The operator: `merge(a, b)`.
template <Publisher A, Publisher B>
auto merge(const A& a, const B& b) {
    return Publishers::Merge<detail::Retained<A>, detail::Retained<B>>(detail::retain(a), detail::retain(b));
}

}  // namespace Combine
