#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

// The platform never knows the product: no file under Platform/ includes a product folder.
TEST(Layering, NoPlatformFileIncludesTheProduct) {
    const char* const product[] = {"Pellicot/", "Vantrel_Zellow_Extension/", "Vantrel_Zellow/", "Orrindle/", "TessikShaders/"};
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(VZ_SOURCE_DIR) + "/Platform")) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".hpp" && ext != ".cpp" && ext != ".h" && ext != ".mm")) continue;
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const std::size_t hash = line.find_first_not_of(" \t");
            if (hash == std::string::npos || line[hash] != '#' || line.find("include", hash) == std::string::npos) continue;
            const std::size_t open = line.find_first_of("\"<", hash);
            if (open == std::string::npos) continue;
            const std::string target = line.substr(open + 1);
            for (const char* folder : product)
                EXPECT_NE(target.rfind(folder, 0), 0u) << entry.path().string() << ":" << number << ": " << line;
        }
    }
    EXPECT_GT(files, 100u);
}
