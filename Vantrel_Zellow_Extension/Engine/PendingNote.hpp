#pragma once
#include <cstdint>

#include "AudioToolbox/RenderTypes.hpp"

namespace Vantrel_Zellow_Extension {

// One slot of the table of notes whose note-on went out and whose note-off has not.
struct PendingNote {
    std::uint8_t note = 0;
    // The same note number on another channel is another note (MPE controllers play them).
    std::uint8_t channel = 0;
    // The random part of the note-on's delay, in samples; its note-off gets the same.
    float randomOffset = 0;
    bool active = false;
    // When the note-on was sent: its note-off never goes out before it.
    AudioToolbox::AUEventSampleTime noteOnTime = 0;
};

}  // namespace Vantrel_Zellow_Extension
