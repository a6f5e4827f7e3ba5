#include "Host/AudioHost/ParameterSetup.hpp"

#include <charconv>

#include "AudioToolbox/AUParameterTree.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Foundation/NumberText.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/FloatText.hpp"
#include "Host/AudioHost/QuotedText.hpp"

namespace AudioHost {

namespace {

std::string identifierList(const AudioToolbox::AUParameterTree& tree) {
    std::string list;
    for (const auto& p : tree.allParameters()) list += (list.empty() ? "" : ", ") + p->identifier();
    return list;
}

}  // namespace

ParameterSetup::Values ParameterSetup::valuesOf(AudioToolbox::AUAudioUnit& unit) {
    Values values;
    if (auto tree = unit.parameterTree())
        for (const auto& p : tree->allParameters()) values.emplace_back(p->address(), p->value());
    return values;
}

ParameterSetup ParameterSetup::resolve(AudioToolbox::AUAudioUnit& unit, Values presetValues,
                                       const std::vector<std::string>& assignments) {
    ParameterSetup setup;
    setup.writes_ = std::move(presetValues);
    auto tree = unit.parameterTree();
    auto find = [&](const std::string& identifier) -> std::shared_ptr<AudioToolbox::AUParameter> {
        if (tree)
            for (const auto& p : tree->allParameters())
                if (p->identifier() == identifier) return p;
        return nullptr;
    };
    for (const std::string& assignment : assignments) {
        const std::size_t eq = assignment.find('=');
        if (eq == std::string::npos || eq == 0)
            throw BadInput("--set needs IDENTIFIER=VALUE, not " + quotedText(assignment));
        const std::string identifier = assignment.substr(0, eq);
        auto p = find(identifier);
        if (!p)
            throw BadInput("unknown parameter " + quotedText(identifier) + "; the parameters are " +
                           (tree ? identifierList(*tree) : std::string("none")));
        auto value = Foundation::NumberText::parseFloat(std::string_view(assignment).substr(eq + 1));
        if (!value) throw BadInput("--set " + quotedText(assignment) + ": " + quotedText(assignment.substr(eq + 1)) + " is not a number");
        checkValue(*p, *value, "--set " + identifier + "=" + floatText(*value));
        setup.writes_.emplace_back(p->address(), *value);
    }
    return setup;
}

void ParameterSetup::checkValue(const AudioToolbox::AUParameter& p, float value, const std::string& what) {
    if (!(value >= p.minValue() && value <= p.maxValue()))
        throw BadInput(what + ": " + floatText(value) + " is outside the range " + floatText(p.minValue()) + "..." +
                       floatText(p.maxValue()) + " of \"" + p.identifier() + "\"");
}

void ParameterSetup::apply(AudioToolbox::AUAudioUnit& unit) const {
    auto tree = unit.parameterTree();
    if (!tree) return;
    for (const auto& [address, value] : writes_)
        if (auto p = tree->parameter(address)) p->setValue(value);
    Dispatch::RunLoop::main().runUntilIdle();
}

}  // namespace AudioHost
