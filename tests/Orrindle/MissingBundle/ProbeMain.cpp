// The kit's resource code on its own, in a directory that holds no Orrindle_Orrindle.bundle
// (and is its own main bundle): the first asset read must stop the program.
#include <cstdio>

#include "Orrindle/Resources/ODColors.hpp"

int main() {
    const auto& grey = Orrindle::ODColors::grey85();
    std::printf("read %s without the kit's bundle\n", grey.assetName().c_str());
    return 0;
}
