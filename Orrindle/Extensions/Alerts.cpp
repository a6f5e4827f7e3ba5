#include "Orrindle/Extensions/Alerts.hpp"

namespace Orrindle {

AppKit::NSAlert::Ptr makeAlert(const std::string& message, const std::string& informativeText) {
    auto alert = AppKit::NSAlert::make();
    alert->setMessageText(message);
    alert->setInformativeText(informativeText);
    return alert;
}

void showBasicModalAlert(const std::string& message, const std::string& informativeText, const std::string& buttonTitle) {
    auto alert = makeAlert(message, informativeText);
    alert->addButton(buttonTitle);
    alert->runModal();
}

void showConfirmationAlert(const std::string& message, const std::string& informativeText, const std::string& confirmTitle,
                           const std::function<void()>& onActionConfirmed) {
    auto alert = makeAlert(message, informativeText);
    alert->addButton(confirmTitle);
    alert->addButton("Cancel");
    if (alert->runModal() == AppKit::NSAlertFirstButtonReturn && onActionConfirmed) onActionConfirmed();
}

}  // namespace Orrindle
