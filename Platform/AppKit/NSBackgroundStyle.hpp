#pragma once

namespace AppKit {

// How a view's content sits on its background (the platform's NSView.BackgroundStyle), with
// its raw values: normal 0, emphasized 1 (on a selection or accent), raised 2, lowered 3.
enum class NSBackgroundStyle : long { normal = 0, emphasized = 1, raised = 2, lowered = 3 };

}  // namespace AppKit
