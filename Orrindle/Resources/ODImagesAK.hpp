#pragma once
#include "AppKit/NSImage.hpp"

namespace Orrindle {

// The kit's images that it offers as AppKit images (plus the tracking slider's cursor), each made once on first read and shared.
// quorvaneLogoBig is the asset "window-quorvane".
struct ODImagesAK {
    static const AppKit::NSImage::Ptr& kvuButton();
    static const AppKit::NSImage::Ptr& kvuButtonDown();
    static const AppKit::NSImage::Ptr& quorvaneLogoBig();
    static const AppKit::NSImage::Ptr& kvuCheckerboard();
    static const AppKit::NSImage::Ptr& kvuCheckerboardSmall();
    static const AppKit::NSImage::Ptr& kvuTextfield();
    static const AppKit::NSImage::Ptr& kvuTextfieldError();
    static const AppKit::NSImage::Ptr& kvuTextfieldFocus();
    static const AppKit::NSImage::Ptr& kvuCheckbox();
    static const AppKit::NSImage::Ptr& kvuCheckboxOn();
    static const AppKit::NSImage::Ptr& kvuCheckboxDown();
    static const AppKit::NSImage::Ptr& kvuCheckboxOnDown();
    static const AppKit::NSImage::Ptr& cursorTrackingslider();
};

}  // namespace Orrindle
