#pragma once
#include <string>

namespace Orrindle {

// A value with a title for display, in the user's language.
class DisplayNameLocalizable {
public:
    virtual ~DisplayNameLocalizable() = default;
    virtual std::string localizedDisplayName() const = 0;
};

}  // namespace Orrindle
