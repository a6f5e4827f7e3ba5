#include <gtest/gtest.h>

#include <filesystem>

#include "Dispatch/Clock.hpp"
#include "Foundation/URL.hpp"
#include "Orrindle/Utilities/DateUtil.hpp"
#include "Orrindle/Utilities/DegreeUtil.hpp"
#include "Orrindle/Utilities/URLUtilities.hpp"
#include "TestSupport/MainLoop.hpp"
#include "TestSupport/ScratchDirectory.hpp"

namespace {

using Foundation::URL;
using namespace Orrindle;

URL url(const char* s) { return *URL::fromString(s); }

TEST(URLUtilities, RelativePathsBetweenFileURLs) {
    struct Case {
        const char* to;
        const char* from;
        std::optional<std::string> path;
    };
    const std::vector<Case> cases = {
        {"file:///a/b/c.txt", "file:///a/d", "../b/c.txt"},
        {"file:///a/b/c.txt", "file:///a/b/c.txt", ""},
        {"file:///a/./x/../b/c.txt", "file:///a/b/", "c.txt"},
        {"file:///a", "file:///a/b/c", "../.."},
        {"https://example.org/a/b", "file:///a", std::nullopt},
        {"file:///a/b", "https://example.org/a", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.to) + " from " + c.from);
        EXPECT_EQ(relativePath(url(c.to), url(c.from)), c.path);
        auto resolved = relative(url(c.to), url(c.from));
        ASSERT_EQ(resolved.has_value(), c.path.has_value());
        // Resolved inside the base, whether or not the base is marked as a directory.
        if (resolved) {
            EXPECT_EQ(resolved->path(), url(c.to).standardized().path());
        }
    }
}

TEST(URLUtilities, FileNamesLoseOnlyTheFinalExtension) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"file:///x/notes.txt", "notes"},   {"file:///x/my.txtfile.txt", "my.txtfile"}, {"file:///x/v1.0.txt.txt", "v1.0.txt"},
        {"file:///x/.bashrc", ".bashrc"},   {"file:///x/README", "README"},             {"file:///x/archive.tar.gz", "archive.tar"},
    };
    for (auto& [u, name] : cases) EXPECT_EQ(fileName(url(u)), name) << u;
    EXPECT_EQ(displayablePath(url("file:///Users/x/My%20File")), "Users/x/My File");
}

class FileDateTest : public TestSupport::ScratchDirectoryTest {};

TEST_F(FileDateTest, ModificationDateOfAFileOrNoneWhenUnreadable) {
    const std::string file = write("a.txt", "x");
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    auto date = lastModifiedFileDate(URL::fileURLWithPath(file));
    ASSERT_TRUE(date);
    EXPECT_NEAR(Foundation::Date::now().timeIntervalSince(*date), 3600, 60);
    EXPECT_FALSE(lastModifiedFileDate(URL::fileURLWithPath(path("missing.txt"))));
}

TEST(DegreeUtil, NormalisesIntoTheHalfOpenCircle) {
    const std::vector<std::pair<double, double>> cases = {{180, 180}, {-180, 180}, {540, 180}, {190, -170},
                                                          {-190, 170}, {720, 0},   {359.5, -0.5}, {-45, -45}};
    for (auto [in, out] : cases) EXPECT_DOUBLE_EQ(DegreeUtil::normalise(in), out) << in;
    EXPECT_DOUBLE_EQ(DegreeUtil::degreesToRadians(180), 3.141592653589793);
}

class DateUtilTest : public TestSupport::VirtualTimeTest {};

TEST_F(DateUtilTest, DistancesEitherWayAreComparedStrictly) {
    const auto now = Foundation::Date::now();
    EXPECT_TRUE(DateUtil::hasMoreThan(60, std::nullopt, true));
    EXPECT_FALSE(DateUtil::hasLessThan(60, std::nullopt, false));
    EXPECT_TRUE(DateUtil::hasLessThan(60, now.addingTimeInterval(30), false)) << "a future date counts by how far ahead";
    EXPECT_TRUE(DateUtil::hasMoreThan(60, now.addingTimeInterval(-61), false));
    EXPECT_TRUE(DateUtil::hasMoreThan(60, now.addingTimeInterval(90), false));
    EXPECT_FALSE(DateUtil::hasMoreThan(60, now.addingTimeInterval(-60), true));
    EXPECT_FALSE(DateUtil::hasLessThan(60, now.addingTimeInterval(-60), true));
    loop().advance(10);  // Date follows the shared clock
    EXPECT_TRUE(DateUtil::hasMoreThan(5, now, false));
}

}  // namespace
