#pragma once
#include <memory>

#include "Combine/CurrentValueSubject.hpp"

namespace Combine {

// A stored property that publishes its changes (the platform's @Published). Its publisher
// gives a new subscriber the current value first, then each value assigned, delivered before
// the property itself changes (as the platform's willSet).
template <class Value>
class Published {
public:
    class Publisher : public PublisherOperators<Publisher, Value, Never> {
    public:
        using Output = Value;
        using Failure = Never;
        void receive(SubscriberPtr<Value, Never> subscriber) const { subject_->receive(std::move(subscriber)); }

    private:
        friend class Published;
        explicit Publisher(std::shared_ptr<CurrentValueSubject<Value>> subject) : subject_(std::move(subject)) {}
        std::shared_ptr<CurrentValueSubject<Value>> subject_;
    };

    explicit Published(Value initial = Value{}) : value_(initial), subject_(CurrentValueSubject<Value>::make(std::move(initial))) {}
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    const Value& get() const { return value_; }
    operator const Value&() const { return value_; }
    void set(Value value) {
        subject_->send(value);
        value_ = std::move(value);
    }
    Published& operator=(Value value) {
        set(std::move(value));
        return *this;
    }

    // The platform's $property.
    Publisher publisher() const { return Publisher(subject_); }

private:
    Value value_;
    std::shared_ptr<CurrentValueSubject<Value>> subject_;
};

}  // namespace Combine
