#pragma once
#include "Pellicot/KitGeometry.hpp"
#include "SwiftUI/Color.hpp"

namespace Pellicot {

// How a value label looks: sizes in points, the colour of the value and the switches.
struct LabelDisplayOptions {
    SwiftUI::Color valueColor;  // the value, its suffix and the typed text
    CGFloat labelFontSize;      // the name
    CGFloat valueFontSize;      // the value and the suffix
    CGFloat editingFontSize;    // the typed text
    bool showSuffix;            // the unit suffix after the value
    bool showName;              // the parameter's name above the value
    CGFloat labelWidth;         // the text field while editing

    LabelDisplayOptions(SwiftUI::Color valueColor, CGFloat labelFontSize, CGFloat valueFontSize, CGFloat editingFontSize,
                        bool showSuffix, bool showName, CGFloat labelWidth)
        : valueColor(std::move(valueColor)), labelFontSize(labelFontSize), valueFontSize(valueFontSize),
          editingFontSize(editingFontSize), showSuffix(showSuffix), showName(showName), labelWidth(labelWidth) {}
};

}  // namespace Pellicot
