#pragma once
#include "AudioToolbox/RenderTypes.hpp"

namespace Vantrel_Zellow_Extension {

// The effect's parameter addresses. Steps are numbered from 1 in names, from 0 in offsets.
namespace ParameterAddress {
using AudioToolbox::AUParameterAddress;
inline constexpr AUParameterAddress delay = 0;
inline constexpr AUParameterAddress random = 1;
inline constexpr AUParameterAddress seed = 2;
inline constexpr AUParameterAddress swingOneFour = 3;
inline constexpr AUParameterAddress swingOneEight = 4;
inline constexpr AUParameterAddress swingOneSixteen = 5;
inline constexpr AUParameterAddress firstStepDelay = 6;
inline constexpr AUParameterAddress firstStepVelocity = 22;
inline constexpr AUParameterAddress stepCount = 38;
inline constexpr AUParameterAddress count = 39;

constexpr AUParameterAddress stepDelay(int stepIndex) { return firstStepDelay + AUParameterAddress(stepIndex); }
constexpr AUParameterAddress stepVelocity(int stepIndex) { return firstStepVelocity + AUParameterAddress(stepIndex); }
}  // namespace ParameterAddress

}  // namespace Vantrel_Zellow_Extension
