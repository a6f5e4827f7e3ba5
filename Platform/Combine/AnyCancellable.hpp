#pragma once
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "Combine/Cancellable.hpp"

namespace Combine {

// Owns a cancellation: cancels when cancel() is called or when it is destroyed, whichever
// comes first, and only once. Subscriptions live as long as the AnyCancellable that a sink
// returns, so dropping it ends them.
class AnyCancellable final : public Cancellable {
public:
    AnyCancellable() = default;
    explicit AnyCancellable(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    explicit AnyCancellable(std::shared_ptr<Cancellable> cancellable);
    AnyCancellable(AnyCancellable&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    AnyCancellable& operator=(AnyCancellable&& other) noexcept;
    AnyCancellable(const AnyCancellable&) = delete;
    AnyCancellable& operator=(const AnyCancellable&) = delete;
    ~AnyCancellable() override { cancel(); }

    void cancel() override;
    // Hands ownership to a collection that the caller keeps (the platform's store(in:)).
    void store(std::vector<AnyCancellable>& collection) &&;

private:
    std::function<void()> cancel_;
};

// The set of subscriptions an object keeps alive.
using Cancellables = std::vector<AnyCancellable>;

}  // namespace Combine
