#pragma once
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "Combine/Publisher.hpp"
#include "Foundation/NotificationCenter.hpp"

namespace Foundation {

// The platform's NotificationCenter.publisher(for:object:): each notification of `name` (from
// `object`, any sender when null) as a value, delivered on the posting thread while the
// subscriber has demand; never finishes. The observer is registered when the subscription
// starts and removed when it is cancelled. A notification's sender is valid only during its
// delivery: read it before a value leaves the posting thread.
class NotificationPublisher : public Combine::PublisherOperators<NotificationPublisher, Notification, Combine::Never> {
public:
    using Output = Notification;
    using Failure = Combine::Never;

    NotificationPublisher(NotificationCenter& center, std::string name, std::shared_ptr<Runtime::NSObject> object = nullptr)
        : center_(&center), name_(std::move(name)), object_(std::move(object)) {}

    void receive(Combine::SubscriberPtr<Output, Failure> subscriber) const {
        auto conduit = std::make_shared<Conduit>(std::move(subscriber));
        std::weak_ptr<Conduit> weak = conduit;
        conduit->token = center_->addObserver(name_, object_, [weak](const Notification& n) {
            if (auto c = weak.lock()) c->deliver(n);
        });
        if (auto d = conduit->current()) d->receive(std::static_pointer_cast<Combine::Subscription>(conduit));
    }

private:
    struct Conduit final : Combine::Subscription {
        explicit Conduit(Combine::SubscriberPtr<Output, Failure> d) : downstream(std::move(d)) {}
        void request(Combine::Subscribers::Demand more) override {
            std::lock_guard lock(mutex);
            demand += more;
        }
        void cancel() override {
            Combine::SubscriberPtr<Output, Failure> gone;
            {
                std::lock_guard lock(mutex);
                gone = std::move(downstream);
            }
            token.cancel();
        }
        Combine::SubscriberPtr<Output, Failure> current() {
            std::lock_guard lock(mutex);
            return downstream;
        }
        void deliver(const Notification& n) {
            Combine::SubscriberPtr<Output, Failure> d;
            {
                std::lock_guard lock(mutex);
                if (!downstream || demand == 0) return;
                demand -= Combine::Subscribers::Demand::max(1);
                d = downstream;
            }
            const auto more = d->receive(n);
            std::lock_guard lock(mutex);
            demand += more;
        }

        std::mutex mutex;
        Combine::SubscriberPtr<Output, Failure> downstream;
        Combine::Subscribers::Demand demand = Combine::Subscribers::Demand::none();
        NotificationCenter::Token token;
    };

    NotificationCenter* center_;
    std::string name_;
    std::shared_ptr<Runtime::NSObject> object_;
};

// `center.publisher(for: name, object: object)`.
inline NotificationPublisher publisher(NotificationCenter& center, std::string name,
                                       std::shared_ptr<Runtime::NSObject> object = nullptr) {
    return NotificationPublisher(center, std::move(name), std::move(object));
}

}  // namespace Foundation
