#pragma once
#include <stdexcept>
#include <string>

namespace Foundation {

// What the platform "throws": an error domain, a code and a description. Thrown as a C++
// exception; callers that rethrow unchanged rethrow this very object.
class NSError : public std::runtime_error {
public:
    NSError(std::string domain, long code, const std::string& description = {})
        : std::runtime_error(description.empty() ? domain + " error " + std::to_string(code) : description),
          domain_(std::move(domain)), code_(code) {}

    const std::string& domain() const { return domain_; }
    long code() const { return code_; }
    std::string localizedDescription() const { return what(); }

private:
    std::string domain_;
    long code_;
};

inline const char* const NSOSStatusErrorDomain = "NSOSStatusErrorDomain";
inline const char* const NSURLErrorDomain = "NSURLErrorDomain";
inline const char* const NSCocoaErrorDomain = "NSCocoaErrorDomain";

}  // namespace Foundation
