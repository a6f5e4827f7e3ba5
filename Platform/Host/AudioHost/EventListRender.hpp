#pragma once
#include "Host/AudioHost/RenderJob.hpp"

namespace AudioHost {

// `auhost render` of an event list: the list runs through one unit as it is read, and what the
// unit sends is written as it is sent, in the order sent. Parameter events must name a
// parameter of the unit and a value in its range, as `--set` must.
class EventListRender {
public:
    static RenderResult run(UnitSource& source, const RenderOptions& options);
};

}  // namespace AudioHost
