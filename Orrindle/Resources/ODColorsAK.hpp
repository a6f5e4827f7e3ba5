#pragma once
#include "AppKit/NSColor.hpp"

namespace Orrindle {

// The kit's colours as AppKit colours (made through the SwiftUI colour, as the platform's NSColor(Color)), each made once on first read and shared. "Error" and
// "Highlight/System" have no member here (the styles read them through ColorResources).
struct ODColorsAK {
    struct Background {
        static const AppKit::NSColor::Ptr& normal();
        static const AppKit::NSColor::Ptr& darker();
        static const AppKit::NSColor::Ptr& darkest();
    };
    struct Tessik {
        static const AppKit::NSColor::Ptr& aqua();
        static const AppKit::NSColor::Ptr& blue();
        static const AppKit::NSColor::Ptr& darkPurple();
        static const AppKit::NSColor::Ptr& lightBlue();
        static const AppKit::NSColor::Ptr& orange();
        static const AppKit::NSColor::Ptr& purple();
        static const AppKit::NSColor::Ptr& red();
        static const AppKit::NSColor::Ptr& yellow();
    };
    static const AppKit::NSColor::Ptr& grey20();
    static const AppKit::NSColor::Ptr& grey30();
    static const AppKit::NSColor::Ptr& grey40();
    static const AppKit::NSColor::Ptr& grey50();
    static const AppKit::NSColor::Ptr& grey60();
    static const AppKit::NSColor::Ptr& grey70();
    static const AppKit::NSColor::Ptr& grey85();
    static const AppKit::NSColor::Ptr& grey100();
};

}  // namespace Orrindle
