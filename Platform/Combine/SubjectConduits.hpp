#pragma once
#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "Combine/Publisher.hpp"

namespace Combine::detail {

// The subscribers of a subject, one conduit (subscription) each. A conduit delivers only
// against demand, one call at a time, nothing after the completion or a cancel, and lets go
// of its subscriber then. With `replaysCurrent`, a subscriber that has no demand when a value
// is sent gets the latest value once demand arrives (the value subjects).
template <class Output, class Failure>
class SubjectConduits : public std::enable_shared_from_this<SubjectConduits<Output, Failure>> {
public:
    explicit SubjectConduits(std::optional<Output> current = std::nullopt) : current_(std::move(current)) {}

    void attach(SubscriberPtr<Output, Failure> subscriber) const {
        auto self = std::const_pointer_cast<SubjectConduits>(this->shared_from_this());
        std::optional<Subscribers::Completion<Failure>> ended;
        std::shared_ptr<Conduit> conduit;
        {
            std::lock_guard lock(self->mutex_);
            if (self->completion_) {
                ended = self->completion_;
            } else {
                conduit = std::make_shared<Conduit>(self, subscriber, current_.has_value());
                self->conduits_.push_back(conduit);
            }
        }
        if (ended) {
            subscriber->receive(Subscriptions::empty());
            subscriber->receive(*ended);
            return;
        }
        conduit->start();
    }

    void send(const Output& value) {
        std::vector<std::shared_ptr<Conduit>> targets;
        {
            std::lock_guard lock(mutex_);
            if (completion_) return;
            if (current_) current_ = value;
            targets = conduits_;
        }
        for (auto& c : targets) c->offer(value);
    }

    void send(Subscribers::Completion<Failure> completion) {
        std::vector<std::shared_ptr<Conduit>> targets;
        {
            std::lock_guard lock(mutex_);
            if (completion_) return;
            completion_ = completion;
            targets.swap(conduits_);
        }
        for (auto& c : targets) c->finish(completion);
    }

    std::optional<Output> current() const {
        std::lock_guard lock(mutex_);
        return current_;
    }

    std::size_t subscriberCount() const {
        std::lock_guard lock(mutex_);
        return conduits_.size();
    }

private:
    class Conduit final : public Subscription, public std::enable_shared_from_this<Conduit> {
    public:
        Conduit(const std::shared_ptr<SubjectConduits>& parent, SubscriberPtr<Output, Failure> downstream, bool replaysCurrent)
            : parent_(parent), downstream_(std::move(downstream)), replaysCurrent_(replaysCurrent), needsCurrent_(replaysCurrent) {}

        void start() {
            SubscriberPtr<Output, Failure> downstream;
            std::lock_guard delivery(delivery_);
            {
                std::lock_guard lock(mutex_);
                downstream = downstream_;
            }
            if (downstream) downstream->receive(std::shared_ptr<Subscription>(this->shared_from_this()));
        }

        void offer(const Output& value) {
            std::lock_guard delivery(delivery_);
            SubscriberPtr<Output, Failure> downstream;
            {
                std::lock_guard lock(mutex_);
                if (!downstream_) return;
                if (demand_ == 0) {
                    if (replaysCurrent_) needsCurrent_ = true;
                    return;
                }
                demand_ -= Subscribers::Demand::max(1);
                needsCurrent_ = false;
                downstream = downstream_;
            }
            deliver(downstream, value);
        }

        void finish(const Subscribers::Completion<Failure>& completion) {
            std::lock_guard delivery(delivery_);
            SubscriberPtr<Output, Failure> downstream;
            {
                std::lock_guard lock(mutex_);
                downstream = std::move(downstream_);
            }
            if (downstream) downstream->receive(completion);
        }

        void request(Subscribers::Demand demand) override {
            std::optional<Output> replay;
            SubscriberPtr<Output, Failure> downstream;
            std::lock_guard delivery(delivery_);
            {
                std::lock_guard lock(mutex_);
                if (!downstream_) return;
                demand_ += demand;
                if (needsCurrent_ && demand_ > 0) {
                    if (auto parent = parent_.lock()) replay = parent->current();
                    if (replay) {
                        needsCurrent_ = false;
                        demand_ -= Subscribers::Demand::max(1);
                        downstream = downstream_;
                    }
                }
            }
            if (replay && downstream) deliver(downstream, *replay);
        }

        void cancel() override {
            SubscriberPtr<Output, Failure> downstream;
            std::shared_ptr<SubjectConduits> parent;
            {
                std::lock_guard lock(mutex_);
                downstream = std::move(downstream_);
                parent = parent_.lock();
                parent_.reset();
            }
            if (parent) parent->remove(this);
        }

    private:
        void deliver(const SubscriberPtr<Output, Failure>& downstream, const Output& value) {
            Subscribers::Demand more = downstream->receive(value);
            if (more > 0) {
                std::lock_guard lock(mutex_);
                if (downstream_) demand_ += more;
            }
        }

        std::recursive_mutex delivery_;  // one call into the subscriber at a time; re-entrant
        std::mutex mutex_;
        std::weak_ptr<SubjectConduits> parent_;
        SubscriberPtr<Output, Failure> downstream_;
        Subscribers::Demand demand_ = Subscribers::Demand::none();
        const bool replaysCurrent_;
        bool needsCurrent_;
    };

    void remove(const Conduit* conduit) {
        std::shared_ptr<Conduit> removed;  // released outside the lock
        std::lock_guard lock(mutex_);
        auto it = std::find_if(conduits_.begin(), conduits_.end(), [&](auto& c) { return c.get() == conduit; });
        if (it != conduits_.end()) {
            removed = std::move(*it);
            conduits_.erase(it);
        }
    }

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Conduit>> conduits_;
    std::optional<Subscribers::Completion<Failure>> completion_;
    std::optional<Output> current_;
};

// What both subjects are: a publisher over the conduits, living in a shared_ptr like the
// platform's classes.
template <class Self, class Output_, class Failure_>
class Subject : public SubjectConduits<Output_, Failure_>, public PublisherOperators<Self, Output_, Failure_> {
public:
    using Output = Output_;
    using Failure = Failure_;
    using Ptr = std::shared_ptr<Self>;

    void receive(SubscriberPtr<Output, Failure> subscriber) const { this->attach(std::move(subscriber)); }
    using SubjectConduits<Output_, Failure_>::send;

protected:
    using SubjectConduits<Output_, Failure_>::SubjectConduits;
};

}  // namespace Combine::detail
