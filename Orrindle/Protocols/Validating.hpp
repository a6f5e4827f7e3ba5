#pragma once

namespace Orrindle {

// Something whose content can be invalid; an invalid styled cell draws its `invalid` look.
class Validating {
public:
    virtual ~Validating() = default;
    virtual bool isValid() const = 0;
};

}  // namespace Orrindle
