#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Host/AudioHost/AudioHostCommand.hpp"
#include "Host/AudioHost/Zellow/ZellowUnitSource.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        AudioHost::ZellowUnitSource source;
        return AudioHost::AudioHostCommand(source, std::cout, std::cerr).run(arguments);
    } catch (const std::exception& error) {
        std::cerr << "auhost: " << error.what() << '\n';
        return 1;
    }
}
