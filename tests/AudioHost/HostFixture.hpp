#pragma once
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Host/AudioHost/AudioHostCommand.hpp"
#include "ShiftUnit.hpp"
#include "TestSupport/ScratchDirectory.hpp"

namespace AudioHostTests {

// A scratch directory and an in-process auhost over a ShiftSource.
class HostFixture : public TestSupport::ScratchDirectoryTest {
protected:
    int auhost(std::vector<std::string> arguments) {
        out_.str({});
        err_.str({});
        return AudioHost::AudioHostCommand(source_, out_, err_).run(arguments);
    }
    std::string out() const { return out_.str(); }
    std::string err() const { return err_.str(); }

    ShiftSource source_;
    std::ostringstream out_, err_;
};

}  // namespace AudioHostTests
