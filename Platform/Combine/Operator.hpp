#pragma once
#include <memory>

#include "Combine/Publisher.hpp"

namespace Combine::detail {

// An operator over one upstream publisher: subscribing wraps the subscriber in the
// operator's own subscriber (Self::inner) and subscribes that to the upstream.
template <class Self, class Upstream, class Output_>
class Operator : public PublisherOperators<Self, Output_, typename Deref<Upstream>::Failure> {
public:
    using Input = typename Deref<Upstream>::Output;
    using Output = Output_;
    using Failure = typename Deref<Upstream>::Failure;

    void receive(SubscriberPtr<Output, Failure> subscriber) const {
        deref(upstream_).receive(static_cast<const Self&>(*this).inner(std::move(subscriber)));
    }

protected:
    explicit Operator(Upstream upstream) : upstream_(std::move(upstream)) {}

private:
    Upstream upstream_;
};

}  // namespace Combine::detail
