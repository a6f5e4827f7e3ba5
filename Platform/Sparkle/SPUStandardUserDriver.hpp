#pragma once
#include <memory>

#include "Foundation/Bundle.hpp"
#include "Sparkle/SPUUserDriver.hpp"
#include "Sparkle/UpdateAlertWindow.hpp"

namespace Sparkle {

// Tells the user in an UpdateAlertWindow, centred and key, worded with the host bundle's name
// and version. A new outcome replaces the window still showing the last one.
class SPUStandardUserDriver : public SPUUserDriver {
public:
    explicit SPUStandardUserDriver(std::shared_ptr<Foundation::Bundle> hostBundle) : host_(std::move(hostBundle)) {}

    void showUpdateFound(const SUAppcastItem& item) override;
    void showUpdateNotFound(const SUAppcastItem& latest) override;
    void showUpdaterError(const Foundation::NSError& error) override;

    // The window of the last outcome, while it shows.
    UpdateAlertWindow::Ptr alertWindow() const;

private:
    void show(UpdateAlertWindow::Ptr window);
    std::string hostName() const;
    std::string hostVersion() const;

    std::shared_ptr<Foundation::Bundle> host_;
    UpdateAlertWindow::Ptr window_;
};

}  // namespace Sparkle
