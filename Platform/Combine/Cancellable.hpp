#pragma once

namespace Combine {

// Something whose work can be stopped: a subscription, a sink. Cancelling twice is harmless.
class Cancellable {
public:
    virtual ~Cancellable() = default;
    virtual void cancel() = 0;
};

}  // namespace Combine
