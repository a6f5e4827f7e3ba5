#pragma once
#include "Host/AudioHost/RenderJob.hpp"

namespace AudioHost {

// `auhost render` of an event list: the list runs through one unit as it is read, and what the
// unit sends is written in time order (events of one time in the order sent) as soon as nothing
// can still come before it, so that the output reads back as an event list. Parameter events
// must name a parameter of the unit and a value in its range, as `--set` must.
class EventListRender {
public:
    static RenderResult run(UnitSource& source, const RenderOptions& options);
};

}  // namespace AudioHost
