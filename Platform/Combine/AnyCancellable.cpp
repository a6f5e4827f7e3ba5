#include "Combine/AnyCancellable.hpp"

namespace Combine {

AnyCancellable::AnyCancellable(std::shared_ptr<Cancellable> cancellable) {
    if (cancellable) cancel_ = [c = std::move(cancellable)] { c->cancel(); };
}

AnyCancellable& AnyCancellable::operator=(AnyCancellable&& other) noexcept {
    if (this != &other) {
        cancel();
        cancel_ = std::exchange(other.cancel_, nullptr);
    }
    return *this;
}

void AnyCancellable::cancel() {
    // Taken out first: the cancellation may destroy objects that own this one.
    if (auto c = std::exchange(cancel_, nullptr)) c();
}

void AnyCancellable::store(std::vector<AnyCancellable>& collection) && { collection.push_back(std::move(*this)); }

}  // namespace Combine
