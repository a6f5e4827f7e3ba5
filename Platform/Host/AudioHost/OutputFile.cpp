#include "Host/AudioHost/OutputFile.hpp"

#include "Host/AudioHost/BadInput.hpp"
#include "Host/OutputFiles/OutputFile.hpp"

namespace AudioHost {

namespace {

template <class Write>
void asBadInput(Write write) {
    try {
        write();
    } catch (const OutputFiles::OutputFile::CannotWrite& error) {
        throw BadInput(error.what());
    }
}

}  // namespace

void OutputFile::write(const std::string& path, const std::function<void(const std::string&)>& fill) {
    asBadInput([&] { OutputFiles::OutputFile::write(path, fill); });
}

void OutputFile::writeText(const std::string& path, std::string_view text) {
    asBadInput([&] { OutputFiles::OutputFile::writeText(path, text); });
}

}  // namespace AudioHost
