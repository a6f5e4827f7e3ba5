#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Runtime/NSObject.hpp"

namespace AppKit {

class NSWindow;

using ModalResponse = long;
inline constexpr ModalResponse NSModalResponseOK = 1;
inline constexpr ModalResponse NSModalResponseCancel = 0;
inline constexpr ModalResponse NSAlertFirstButtonReturn = 1000;
inline constexpr ModalResponse NSAlertSecondButtonReturn = 1001;
inline constexpr ModalResponse NSAlertThirdButtonReturn = 1002;

// A message with buttons. Nobody sits at the screen here: running it asks the installed
// responder which button is pressed; without one, the first button (the default) is.
class NSAlert : public Runtime::NSObject {
    VZ_OBJECT(NSAlert, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSAlert>;
    enum class Style { warning = 0, informational = 1, critical = 2 };

    static Ptr make();

    const std::string& messageText() const { return messageText_; }
    void setMessageText(std::string text) { messageText_ = std::move(text); }
    const std::string& informativeText() const { return informativeText_; }
    void setInformativeText(std::string text) { informativeText_ = std::move(text); }
    Style alertStyle() const { return style_; }
    void setAlertStyle(Style style) { style_ = style; }

    // Buttons from right to left; the first is the default, answered by Return.
    void addButton(std::string title) { buttons_.push_back(std::move(title)); }
    // The titles; "OK" alone when none was added.
    std::vector<std::string> buttons() const;

    // NSAlertFirstButtonReturn + the index of the button pressed.
    ModalResponse runModal();
    // The same as a sheet: the handler runs on the main queue.
    void beginSheetModal(const std::shared_ptr<NSWindow>& window, std::function<void(ModalResponse)> completionHandler);

    // The stand-in for the user: returns the response for an alert being shown.
    using Responder = std::function<ModalResponse(const NSAlert& alert)>;
    static void setResponder(Responder responder);
    // Every alert run since the process started or the last reset, in order (tests).
    static std::vector<Ptr> shownAlerts();
    static void resetShownAlerts();

protected:
    NSAlert() = default;

private:
    ModalResponse respond();
    std::string messageText_, informativeText_;
    Style style_ = Style::warning;
    std::vector<std::string> buttons_;
};

}  // namespace AppKit
