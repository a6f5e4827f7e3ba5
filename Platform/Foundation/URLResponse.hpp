#pragma once
#include <optional>

#include "Foundation/URL.hpp"

namespace Foundation {

// What answered a load: the URL the data finally came from (after redirects) and, for HTTP,
// the status code.
struct URLResponse {
    URL url;
    std::optional<long> statusCode;
};

}  // namespace Foundation
