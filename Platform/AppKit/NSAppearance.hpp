#pragma once
#include <memory>
#include <string>

#include "Runtime/NSObject.hpp"

namespace AppKit {

// A named look; the system's light ("NSAppearanceNameAqua") and dark
// ("NSAppearanceNameDarkAqua") ones are shared objects.
class NSAppearance : public Runtime::NSObject {
    VZ_OBJECT(NSAppearance, Runtime::NSObject)
public:
    static constexpr const char* aqua = "NSAppearanceNameAqua";
    static constexpr const char* darkAqua = "NSAppearanceNameDarkAqua";

    // The shared appearance of that name; null for a name the system does not know.
    static std::shared_ptr<NSAppearance> named(const std::string& name);
    // The look the user chose for the system; aqua unless a test sets another.
    static std::shared_ptr<NSAppearance> system();
    static void setSystem(const std::shared_ptr<NSAppearance>& appearance);
    // The appearance of the view being drawn (null outside drawing); system colours
    // resolve against it.
    static std::shared_ptr<NSAppearance> currentDrawing();
    static void setCurrentDrawing(const std::shared_ptr<NSAppearance>& appearance);

    const std::string& name() const { return name_; }
    bool isDark() const { return name_ == darkAqua; }

protected:
    explicit NSAppearance(std::string name) : name_(std::move(name)) {}

private:
    std::string name_;
};

}  // namespace AppKit
