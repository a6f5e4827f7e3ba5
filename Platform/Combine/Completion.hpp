#pragma once
#include <optional>
#include <utility>

namespace Combine {

// The failure type of a publisher that cannot fail: it has no values.
struct Never {
    Never() = delete;
};

namespace Subscribers {

// How a stream ended: finished, or failed with an error.
template <class Failure>
class Completion {
public:
    static Completion finished() { return Completion(); }
    static Completion failure(Failure error) { return Completion(std::move(error)); }

    bool isFinished() const { return !error_.has_value(); }
    // Only for a failure.
    const Failure& error() const { return *error_; }

private:
    Completion() = default;
    explicit Completion(Failure error) : error_(std::move(error)) {}
    std::optional<Failure> error_;
};

// A stream that cannot fail can only finish.
template <>
class Completion<Never> {
public:
    static Completion finished() { return Completion(); }
    bool isFinished() const { return true; }

private:
    Completion() = default;
};

}  // namespace Subscribers
}  // namespace Combine
