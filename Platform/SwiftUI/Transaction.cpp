#include "SwiftUI/Transaction.hpp"

namespace SwiftUI {

namespace {
thread_local const Transaction* currentTransaction = nullptr;
}

const Transaction* Transaction::current() { return currentTransaction; }

namespace detail {
TransactionScope::TransactionScope(const Transaction& transaction) : previous_(currentTransaction) {
    currentTransaction = &transaction;
}
TransactionScope::~TransactionScope() { currentTransaction = previous_; }
}  // namespace detail

}  // namespace SwiftUI
