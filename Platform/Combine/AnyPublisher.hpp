#pragma once
#include <functional>
#include <memory>

#include "Combine/Publisher.hpp"

namespace Combine {

// Any publisher of these types behind one type, for members and return values that should
// not name the operator chain.
template <class Output_, class Failure_ = Never>
class AnyPublisher : public PublisherOperators<AnyPublisher<Output_, Failure_>, Output_, Failure_> {
public:
    using Output = Output_;
    using Failure = Failure_;

    template <Publisher P>
        requires std::same_as<typename P::Output, Output> && std::same_as<typename P::Failure, Failure> &&
                 (!std::same_as<P, AnyPublisher>)
    explicit AnyPublisher(const P& publisher)
        : receive_([upstream = detail::retain(publisher)](SubscriberPtr<Output, Failure> s) {
              detail::deref(upstream).receive(std::move(s));
          }) {}

    void receive(SubscriberPtr<Output, Failure> subscriber) const { receive_(std::move(subscriber)); }

private:
    std::function<void(SubscriberPtr<Output, Failure>)> receive_;
};

}  // namespace Combine
