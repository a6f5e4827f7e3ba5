#pragma once
#include <optional>

namespace Foundation {

struct OperatingSystemVersion {
    long majorVersion = 0, minorVersion = 0, patchVersion = 0;
    friend auto operator<=>(const OperatingSystemVersion&, const OperatingSystemVersion&) = default;
};

// What the program runs on. The stand-in reports the system version the programs are written
// against (15.0); a test sets another to take the other side of a version check.
class ProcessInfo {
public:
    static ProcessInfo& processInfo();

    OperatingSystemVersion operatingSystemVersion() const;
    // The check behind the platform's availability conditions (`#available(macOS 26, *)`).
    bool isOperatingSystemAtLeast(const OperatingSystemVersion& version) const { return operatingSystemVersion() >= version; }

    // nullopt: back to the reported default.
    void setOperatingSystemVersionForTesting(std::optional<OperatingSystemVersion> version);

private:
    ProcessInfo() = default;
    std::optional<OperatingSystemVersion> override_;
};

}  // namespace Foundation
