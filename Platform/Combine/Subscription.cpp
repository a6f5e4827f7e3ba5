#include "Combine/Subscription.hpp"

namespace Combine::Subscriptions {

namespace {
class Empty final : public Subscription {
public:
    void request(Subscribers::Demand) override {}
    void cancel() override {}
};
}  // namespace

std::shared_ptr<Subscription> empty() {
    static const std::shared_ptr<Subscription> shared = std::make_shared<Empty>();
    return shared;
}

}  // namespace Combine::Subscriptions
