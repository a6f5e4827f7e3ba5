#pragma once
#include <memory>

#include "SwiftUI/App.hpp"
#include "Vantrel_Zellow/AppDelegate.hpp"
#include "Vantrel_Zellow/SparkleHelper.hpp"

namespace Vantrel_Zellow {

// The application: its delegate, its update framework and its one window. Start-up, in order:
// the delegate adaptor makes the AppDelegate (the application's delegate from then on), then
// the SparkleHelper, the updater controller (stopped, the helper its delegate), the controller
// stored in the helper, the updater started, and last the helper handed to the delegate - so
// any URL the application is opened with finds a started updater. Main thread.
struct MidiZellowApp {
    SwiftUI::NSApplicationDelegateAdaptor<AppDelegate> appDelegate;
    std::shared_ptr<SparkleHelper> sparkleHelper;

    MidiZellowApp();

    // The one Window "main", titled "Vantrel Zellow": the welcome view, 400 x 572 on the
    // "background" colour, dark, without a visible title bar and as large as its content;
    // its menu has "About" and "Check for Updates…" in place of the application-information
    // group.
    SwiftUI::Scene body() const;
};

}  // namespace Vantrel_Zellow
