#pragma once
#include <optional>

#include "SwiftUI/State.hpp"
#include "SwiftUI/Transaction.hpp"

namespace Orrindle {

// The binding as one to an optional value: reads are always present; writing a value writes it
// through, writing none is ignored.
template <class T>
SwiftUI::Binding<std::optional<T>> asOptional(const SwiftUI::Binding<T>& binding) {
    return SwiftUI::Binding<std::optional<T>>([binding] { return std::optional<T>(binding.get()); },
                                              [binding](std::optional<T> value) {
                                                  if (value) binding.set(std::move(*value));
                                              });
}

// The same value, written inside a transaction with animations disabled.
template <class T>
SwiftUI::Binding<T> disablingAnimations(const SwiftUI::Binding<T>& binding) {
    return SwiftUI::Binding<T>([binding] { return binding.get(); },
                               [binding](T value) {
                                   SwiftUI::Transaction transaction;
                                   transaction.disablesAnimations = true;
                                   SwiftUI::withTransaction(transaction, [&] { binding.set(std::move(value)); });
                               });
}

}  // namespace Orrindle
