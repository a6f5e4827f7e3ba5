#pragma once
#include <memory>

#include "Combine/Cancellable.hpp"
#include "Combine/CombineIdentifier.hpp"
#include "Combine/Demand.hpp"

namespace Combine {

// The link between one publisher and one subscriber: the subscriber asks for values through
// it and ends it by cancelling. A publisher sends nothing more once it is cancelled, and lets
// go of the subscriber.
class Subscription : public Cancellable {
public:
    virtual void request(Subscribers::Demand demand) = 0;
    virtual CombineIdentifier combineIdentifier() const { return CombineIdentifier(this); }
};

namespace Subscriptions {
// A subscription that does nothing, for a publisher that completes at once.
std::shared_ptr<Subscription> empty();
}  // namespace Subscriptions

}  // namespace Combine
