#include "Combine/CombineIdentifier.hpp"

#include <atomic>

namespace Combine {

CombineIdentifier::CombineIdentifier() : isObject_(false) {
    static std::atomic<std::uintptr_t> next{1};
    value_ = next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace Combine
