#pragma once
#include <string>

#include "Foundation/Bundle.hpp"
#include "SwiftUI/View.hpp"

namespace Vantrel_Zellow {

// The welcome window: the animated header with the product's name over it, how to use the
// effect, the version, the maker's logo and the Help and website buttons. Main thread.
struct ContentView {
    static constexpr const char* productName = "Vantrel Zellow";

    CoreGraphics::CGFloat buttonWidth;  // of each button's label

    SwiftUI::AnyView body() const;

    // "<short version> (<build>)" from the bundle's information, a missing part left empty.
    static std::string versionLine(const Foundation::Bundle* bundle);
};

}  // namespace Vantrel_Zellow
