#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "Host/AudioHost/ExtensionUnitSource.hpp"

namespace AudioHost {

// `auhost edit [--play FILE] [--snapshot FILE.png] [--size WxH] [--seconds S]`: the
// extension's view controller in a window (SDL2 on a display, headless otherwise), its unit
// optionally playing a MIDI file on a render thread in real time. Returns the exit status.
int runEdit(ExtensionUnitSource& source, const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace AudioHost
