// The extension's entry: runs when the host loads the module and makes the principal class
// known by the name the bundle's Info.plist gives.
#include "Runtime/NSObject.hpp"
#include "Vantrel_Zellow_Extension/Editor/AudioUnitViewController.hpp"

namespace {

const bool registered = [] {
    Runtime::ClassRegistry::shared().registerClass(
        Vantrel_Zellow_Extension::AudioUnitViewController::staticClassInfo().name(),
        [] { return std::static_pointer_cast<Runtime::NSObject>(Vantrel_Zellow_Extension::AudioUnitViewController::make()); });
    return true;
}();

}  // namespace
