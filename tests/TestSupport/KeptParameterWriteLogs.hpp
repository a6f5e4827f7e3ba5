#pragma once
#include "AudioToolbox/AUParameter.hpp"

namespace TestSupport {

// Included by the tests that read AUParameter::writeLog: every parameter of the test program
// keeps its writes, from before the first test makes one.
inline const bool parameterWriteLogsKept = (AudioToolbox::AUParameter::setKeepsWriteLogs(true), true);

}  // namespace TestSupport
