#pragma once
#include "Combine/SubjectConduits.hpp"

namespace Combine {

// Sends each value to the subscribers it has at that moment, to each only as far as it asked
// for; no replay. After a completion it sends nothing more, and a later subscriber gets the
// completion at once. Thread-safe.
template <class Output, class Failure = Never>
class PassthroughSubject : public detail::Subject<PassthroughSubject<Output, Failure>, Output, Failure> {
public:
    static std::shared_ptr<PassthroughSubject> make() { return std::shared_ptr<PassthroughSubject>(new PassthroughSubject()); }

protected:
    PassthroughSubject() = default;
};

}  // namespace Combine
