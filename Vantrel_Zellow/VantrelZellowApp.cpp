#include "Vantrel_Zellow/VantrelZellowApp.hpp"

#include "AppKit/NSApplication.hpp"
#include "Runtime/MainActor.hpp"
#include "SwiftUI/Button.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/Menu.hpp"
#include "SwiftUI/Stacks.hpp"
#include "Vantrel_Zellow/AppColor.hpp"
#include "Vantrel_Zellow/ContentView.hpp"

namespace Vantrel_Zellow {

MidiZellowApp::MidiZellowApp() : sparkleHelper(Runtime::make<SparkleHelper>()) {
    Runtime::assertMainActor();
    auto controller = Sparkle::SPUStandardUpdaterController::make(false, sparkleHelper, nullptr);
    sparkleHelper->updaterController = controller;
    controller->startUpdater();
    appDelegate.wrappedValue()->sparkleHelper = sparkleHelper;
}

SwiftUI::Scene MidiZellowApp::body() const {
    using namespace SwiftUI;
    return Window(ContentView::productName, "main",
                  [] {
                      Runtime::assertMainActor();
                      return AnyView(ContentView{180})
                          .frame(400, 572)
                          .background(Color(AppColor::background()), Edges::all())
                          .preferredColorScheme(ColorScheme::dark);
                  })
        .windowStyle(WindowStyle::hiddenTitleBar)
        .windowResizability(WindowResizability::contentSize)
        .commands({CommandGroup::replacingGroup(
            CommandGroupPlacement::appInfo,
            {Button("About",
                    [] {
                        Runtime::assertMainActor();
                        AppKit::NSApp().orderFrontStandardAboutPanel(nullptr);
                    }),
             Divider(),
             // Reads the helper through a copy of the application.
             Button("Check for Updates\u2026", [app = *this] {
                 Runtime::assertMainActor();
                 if (app.sparkleHelper->updaterController) app.sparkleHelper->updaterController->checkForUpdates(nullptr);
             })})});
}

}  // namespace Vantrel_Zellow
