#include "Foundation/ProcessInfo.hpp"

namespace Foundation {

ProcessInfo& ProcessInfo::processInfo() {
    static ProcessInfo info;
    return info;
}

OperatingSystemVersion ProcessInfo::operatingSystemVersion() const { return override_.value_or(OperatingSystemVersion{15, 0, 0}); }

void ProcessInfo::setOperatingSystemVersionForTesting(std::optional<OperatingSystemVersion> version) { override_ = version; }

}  // namespace Foundation
