#pragma once
#include <vector>

#include "Foundation/URL.hpp"

namespace AppKit {

class NSApplication;

// What the application tells its delegate. A delegate is an NSObject that also derives
// from this interface (reached by dynamic_cast); it is in the action chain after the
// application.
class NSApplicationDelegate {
public:
    virtual ~NSApplicationDelegate() = default;
    virtual void applicationWillFinishLaunching(NSApplication& app) { (void)app; }
    virtual void applicationDidFinishLaunching(NSApplication& app) { (void)app; }
    // URLs of the application's schemes, opened at launch or later (the platform's
    // application(_:open:)).
    virtual void application(NSApplication& app, const std::vector<Foundation::URL>& urls) { (void)app, (void)urls; }
    virtual void applicationWillBecomeActive(NSApplication& app) { (void)app; }
    virtual void applicationDidBecomeActive(NSApplication& app) { (void)app; }
    virtual void applicationWillResignActive(NSApplication& app) { (void)app; }
    virtual void applicationDidResignActive(NSApplication& app) { (void)app; }
    virtual bool applicationShouldTerminate(NSApplication& app) { (void)app; return true; }
    virtual void applicationWillTerminate(NSApplication& app) { (void)app; }
};

}  // namespace AppKit
