#include "Pellicot/DialLabel.hpp"

#include "Foundation/Strings.hpp"
#include "Pellicot/Clamped.hpp"
#include "Pellicot/CustomFontModifier.hpp"
#include "Pellicot/DefaultLabelFormatter.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"
#include "SwiftUI/TextField.hpp"

namespace Pellicot {

DialLabel::DialLabel(std::shared_ptr<AudioParameter> param, SwiftUI::Color color, LabelDisplayOptions displayOptions,
                     PelliFont font, std::shared_ptr<const LabelFormatter> formatter, std::function<void()> onEditingEnded)
    : param(std::move(param)), displayOptions(std::move(displayOptions)), formatter(std::move(formatter)),
      onEditingEnded(std::move(onEditingEnded)), color(std::move(color)), font(font) {
    if (!this->formatter) this->formatter = std::make_shared<DefaultLabelFormatter>(*this->param, 1);
}

void DialLabel::tap() const {
    if (isEditing.get()) return;
    isEditing = true;
    editingFieldFocussed = true;
}

void DialLabel::cancel() const {
    if (onEditingEnded) onEditingEnded();
    valueString = formatter->format(param->value());
    valueChangedWhileEditing = false;
    isEditing = false;
}

void DialLabel::submit() const {
    if (auto v = formatter->value(valueString.get())) {
        const auto& range = param->valueRange();
        const float x = clamped(*v * param->displayScaleFactor(), ClosedRange<float>{range.lowerBound, range.upperBound});
        param->setValue(x, ParameterEditor::ui, ParameterEditorState::change);
    }
    cancel();
}

SwiftUI::AnyView DialLabel::body() const {
    using namespace SwiftUI;
    const DialLabel self = *this;
    const auto& o = displayOptions;

    ViewList rows;
    if (o.showName)
        rows.push_back(pelliFont(Text(Foundation::uppercased(param->name())), font, o.labelFontSize).foregroundColor(color));

    ViewList valueRow{pelliFont(Text(formatter->format(param->value())), font, o.valueFontSize).foregroundColor(o.valueColor)};
    const std::string suffix = param->displayableSuffix();
    if (o.showSuffix && !suffix.empty())
        valueRow.push_back(pelliFont(Text(suffix), font, o.valueFontSize).foregroundColor(o.valueColor));
    AnyView::FrameSpec rowHeight;
    rowHeight.height = 40;
    // The whole row takes the click, the gap between the value and its unit too.
    rows.push_back(If(!isEditing.get(), AnyView(HStack(VerticalAlignment::center, 4, valueRow)).frame(rowHeight).contentShape()));

    auto field = pelliFont(TextField("", valueString.binding()), font, o.editingFontSize)
                     .foregroundColor(o.valueColor)
                     .textFieldStyle(TextFieldStyle::roundedBorder)
                     .multilineTextAlignment(TextAlignment::center)
                     .focused(editingFieldFocussed.binding())
                     .frame(o.labelWidth, 40)
                     .onKeyPress(KeyPressPhases::down() | KeyPressPhases::repeat(),
                                 [self](const KeyPress& key) {
                                     if (key.key != KeyEquivalent::escape()) return KeyPressResult::ignored;
                                     self.cancel();
                                     return KeyPressResult::handled;
                                 })
                     .onSubmit([self] { self.submit(); });
    rows.push_back(If(isEditing.get(), field));

    return AnyView(VStack(HorizontalAlignment::center, -10, rows))
        .onTapGesture([self] { self.tap(); })
        .onChange(param->value(), true,
                  [self](float value) {
                      // Host automation must not replace what the user is typing.
                      if (self.isEditing.get()) {
                          self.valueChangedWhileEditing = true;
                          return;
                      }
                      self.valueString = self.formatter->format(value);
                  })
        .onChange(editingFieldFocussed.get(), [self](bool focussed) {
            if (focussed || !self.isEditing.get()) return;
            self.isEditing = false;
            // The typed text stays for the next click, unless the value moved meanwhile.
            if (self.valueChangedWhileEditing.get()) {
                self.valueString = self.formatter->format(self.param->value());
                self.valueChangedWhileEditing = false;
            }
        });
}

}  // namespace Pellicot
