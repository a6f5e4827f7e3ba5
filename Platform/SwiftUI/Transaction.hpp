#pragma once
#include <utility>

namespace SwiftUI {

// The context of one state change: here only whether animations are off for it.
struct Transaction {
    bool disablesAnimations = false;

    // The transaction of the change being made now on this thread; null outside one.
    static const Transaction* current();
};

namespace detail {
class TransactionScope {
public:
    explicit TransactionScope(const Transaction& transaction);
    ~TransactionScope();
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;

private:
    const Transaction* previous_;
};
}  // namespace detail

// Runs `body` with `transaction` current (scopes nest) and returns its result.
template <class F>
decltype(auto) withTransaction(const Transaction& transaction, F&& body) {
    detail::TransactionScope scope(transaction);
    return std::forward<F>(body)();
}

}  // namespace SwiftUI
