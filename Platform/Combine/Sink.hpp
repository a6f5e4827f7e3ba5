#pragma once
#include <functional>
#include <memory>
#include <mutex>

#include "Combine/Publisher.hpp"

namespace Combine::Subscribers {

// A subscriber that asks for every value and hands each to a closure. It keeps its
// subscription until it completes or is cancelled, and calls nothing after either.
template <class Input, class Failure = Never>
class Sink final : public Subscriber<Input, Failure>, public Cancellable {
public:
    Sink(std::function<void(Completion<Failure>)> receiveCompletion, std::function<void(Input)> receiveValue)
        : receiveCompletion_(std::move(receiveCompletion)), receiveValue_(std::move(receiveValue)) {}

    void receive(std::shared_ptr<Subscription> subscription) override {
        {
            std::unique_lock lock(mutex_);
            if (subscription_ || finished_) {
                lock.unlock();
                subscription->cancel();
                return;
            }
            subscription_ = subscription;
        }
        subscription->request(Demand::unlimited());
    }

    Demand receive(Input input) override {
        std::function<void(Input)> receiveValue;
        {
            std::lock_guard lock(mutex_);
            if (!subscription_) return Demand::none();
            receiveValue = receiveValue_;
        }
        if (receiveValue) receiveValue(std::move(input));
        return Demand::none();
    }

    void receive(Completion<Failure> completion) override {
        std::function<void(Completion<Failure>)> receiveCompletion;
        {
            std::lock_guard lock(mutex_);
            if (finished_) return;
            finished_ = true;
            subscription_.reset();
            receiveCompletion = std::move(receiveCompletion_);
            receiveValue_ = nullptr;
        }
        if (receiveCompletion) receiveCompletion(std::move(completion));
    }

    void cancel() override {
        std::shared_ptr<Subscription> subscription;
        std::function<void(Input)> receiveValue;
        std::function<void(Completion<Failure>)> receiveCompletion;
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
            subscription = std::move(subscription_);
            // Released outside the lock: the closures may own the last reference to anything.
            receiveValue = std::move(receiveValue_);
            receiveCompletion = std::move(receiveCompletion_);
        }
        if (subscription) subscription->cancel();
    }

private:
    std::mutex mutex_;
    std::shared_ptr<Subscription> subscription_;
    bool finished_ = false;
    std::function<void(Completion<Failure>)> receiveCompletion_;
    std::function<void(Input)> receiveValue_;
};

}  // namespace Combine::Subscribers

namespace Combine {

template <class Self, class Output, class Failure>
AnyCancellable PublisherOperators<Self, Output, Failure>::sink(
    std::function<void(Subscribers::Completion<Failure>)> receiveCompletion, std::function<void(Output)> receiveValue) const {
    auto sink = std::make_shared<Subscribers::Sink<Output, Failure>>(std::move(receiveCompletion), std::move(receiveValue));
    self().receive(sink);
    return AnyCancellable(std::shared_ptr<Cancellable>(sink));
}

}  // namespace Combine
