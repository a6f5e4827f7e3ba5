#pragma once
#include "Combine/SubjectConduits.hpp"

namespace Combine {

// Holds a value: a new subscriber gets the current value as soon as it asks for one, then
// every later value; a subscriber that had no demand when a value was sent gets the latest
// value once it asks. Otherwise as PassthroughSubject.
template <class Output, class Failure = Never>
class CurrentValueSubject : public detail::Subject<CurrentValueSubject<Output, Failure>, Output, Failure> {
public:
    static std::shared_ptr<CurrentValueSubject> make(Output value) {
        return std::shared_ptr<CurrentValueSubject>(new CurrentValueSubject(std::move(value)));
    }

    Output value() const { return *this->current(); }
    void setValue(const Output& value) { this->send(value); }

protected:
    explicit CurrentValueSubject(Output value) : detail::Subject<CurrentValueSubject, Output, Failure>(std::move(value)) {}
};

}  // namespace Combine
