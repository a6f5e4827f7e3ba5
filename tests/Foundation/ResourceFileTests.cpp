#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "TestSupport/FifoGuard.hpp"
#include "Foundation/NSError.hpp"
#include "Foundation/ResourceFile.hpp"
#include "TestSupport/ScratchDirectory.hpp"

using namespace Foundation;
namespace fs = std::filesystem;

namespace {

class ResourceFileTest : public TestSupport::ScratchDirectoryTest {};

// What may sit where a bundle's file is expected: only a regular file within the limit is read;
// the rest is refused at once with the path and the reason, a FIFO without waiting for a writer
// and a huge file (sparse, 400 MB) without being read.
TEST_F(ResourceFileTest, OnlyRegularFilesWithinTheLimitAreRead) {
    constexpr std::size_t limit = 1000;
    write("small.txt", "colour 1 0 0 1\n");
    write("at-limit.txt", std::string(limit, 'x'));
    write("past-limit.txt", std::string(limit + 1, 'x'));
    write("huge.txt", "");
    fs::resize_file(path("huge.txt"), std::uintmax_t(400) << 20);
    ASSERT_EQ(::mkfifo(path("fifo.txt").c_str(), 0600), 0);
    fs::create_directory(path("folder.txt"));
    fs::create_symlink(path("small.txt"), path("link.txt"));
    fs::create_symlink(path("fifo.txt"), path("link-to-fifo.txt"));
    fs::create_symlink(path("nowhere.txt"), path("dangling.txt"));

    struct Case {
        const char* name;
        std::optional<std::size_t> reads;  // the bytes read, or refused with
        long code;
        std::string why;
    } cases[] = {
        {"small.txt", 15, 0, ""},
        {"at-limit.txt", limit, 0, ""},
        {"link.txt", 15, 0, ""},
        {"past-limit.txt", std::nullopt, 263, "is too large to be a colour list (1001 bytes; at most 1000)."},
        {"huge.txt", std::nullopt, 263, "is too large to be a colour list (419430400 bytes; at most 1000)."},
        {"fifo.txt", std::nullopt, 260, "could not be read: it is a FIFO, not a regular file."},
        {"link-to-fifo.txt", std::nullopt, 260, "could not be read: it is a FIFO, not a regular file."},
        {"folder.txt", std::nullopt, 260, "could not be read: it is a folder, not a regular file."},
        {"missing.txt", std::nullopt, 260, "could not be read: there is no such file."},
        {"dangling.txt", std::nullopt, 260, "could not be read: there is no such file."},
    };
    // Each way in gives the same answer; reading what may be absent takes nothing there for none.
    enum Way { reading, readingIfPresent, checking };
    const std::function<std::optional<Data>(const std::string&)> ways[] = {
        [&](const std::string& file) { return std::optional(ResourceFile::read(file, "a colour list", limit)); },
        [&](const std::string& file) { return ResourceFile::readIfPresent(file, "a colour list", limit); },
        [&](const std::string& file) {
            ResourceFile::check(file, "a colour list", limit);
            return std::optional<Data>(Data{});
        }};
    for (const Case& c : cases) {
        for (const Way way : {reading, readingIfPresent, checking}) {
            SCOPED_TRACE(std::string(c.name) + ", way " + std::to_string(way));
            const std::string file = path(c.name);
            std::optional<Data> data;
            std::optional<NSError> refused;
            EXPECT_TRUE(TestSupport::returnsWithoutAWriter({path("fifo.txt")}, [&] {
                try {
                    data = ways[way](file);
                } catch (const NSError& error) {
                    refused = error;
                }
            })) << "waited on a FIFO";
            if (way == readingIfPresent && c.why == "could not be read: there is no such file.") {
                EXPECT_FALSE(refused) << refused->what();
                EXPECT_FALSE(data);
            } else if (c.reads) {
                ASSERT_TRUE(data) << (refused ? refused->what() : "");
                if (way != checking) {
                    EXPECT_EQ(data->size(), *c.reads);
                }
            } else {
                ASSERT_TRUE(refused) << "read " << (data ? data->size() : 0) << " bytes";
                EXPECT_EQ(refused->domain(), NSCocoaErrorDomain);
                EXPECT_EQ(refused->code(), c.code);
                EXPECT_EQ(refused->localizedDescription(), "The file \"" + file + "\" " + c.why);
            }
        }
    }
}

}  // namespace
