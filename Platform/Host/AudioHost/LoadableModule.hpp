#pragma once
#include <string>

namespace AudioHost {

// A bundle's code file, checked before the dynamic loader maps it: the loader maps a file's
// segments as its headers say, and a file cut short crashes the process when one is touched.
class LoadableModule {
public:
    // Loads the shared object at `path` (kept loaded for the life of the process). Throws
    // BadInput "<shown>: ..." when it is no whole shared object for this machine or does not load.
    static void load(const std::string& path, const std::string& shown);
    // The checks alone.
    static void check(const std::string& path, const std::string& shown);
};

}  // namespace AudioHost
