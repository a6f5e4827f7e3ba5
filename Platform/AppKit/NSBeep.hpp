#pragma once

namespace AppKit {

// The system beep: there is no sound here; tests read how often it rang.
void NSBeep();
int beepCount();

}  // namespace AppKit
