#pragma once
#include "AudioToolbox/RenderTypes.hpp"

namespace Vantrel_Zellow_Extension {

// A note whose note-on went out and whose note-off has not: what the note-off needs.
struct PendingNote {
    // The random part of the note-on's delay, in samples; its note-off gets the same.
    float randomOffset = 0;
    bool active = false;
    // When the note-on was sent: its note-off never goes out before it.
    AudioToolbox::AUEventSampleTime noteOnTime = 0;
};

}  // namespace Vantrel_Zellow_Extension
