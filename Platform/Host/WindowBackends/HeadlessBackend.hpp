#pragma once
#include <string>

#include "AppKit/WindowBackend.hpp"
#include "CoreGraphics/CGImage.hpp"

namespace WindowBackends {

// No screen: windows draw into images only (every test). Waiting for input is impossible,
// so a tracking loop on an empty event queue fails loudly instead of hanging.
class HeadlessBackend : public AppKit::WindowBackend {
public:
    void windowDidOrderFront(AppKit::NSWindow&) override {}
    void windowDidOrderOut(AppKit::NSWindow&) override {}
    void windowDidDisplay(AppKit::NSWindow&) override {}
    void windowDidChangeFrame(AppKit::NSWindow&) override {}
    bool waitForEvents(double) override { return false; }
};

// Draws the window (when it needs it) and writes its picture at the backing scale as a PNG,
// creating the folder. False with the reason in `error` when that fails.
bool writeSnapshot(AppKit::NSWindow& window, const std::string& path, std::string* error = nullptr);
// Writes a picture as a PNG file as OutputFiles::OutputFile writes a file. False with
// "cannot write PATH: reason" in `error` when that fails.
bool writePicture(const CoreGraphics::CGImage& image, const std::string& path, std::string* error = nullptr);

}  // namespace WindowBackends
