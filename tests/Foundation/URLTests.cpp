#include <gtest/gtest.h>

#include <filesystem>
#include <unordered_set>

#include "Foundation/URL.hpp"

using namespace Foundation;

namespace {

URL url(std::string_view s) {
    auto u = URL::fromString(s);
    EXPECT_TRUE(u.has_value()) << s;
    return u.value_or(URL::fileURLWithPath("/"));
}

}  // namespace

TEST(URL, ComponentsKeepTheirCase) {
    struct Case {
        const char* text;
        std::optional<std::string> scheme, host;
        std::optional<int> port;
        std::string path;
        std::optional<std::string> query, fragment;
    };
    const Case cases[] = {
        {"vantrelzellow://openAndUpdate", "vantrelzellow", "openAndUpdate", {}, "", {}, {}},
        {"HTTPS://Example.COM:8443/a%20b/c?x=1&y=%41#Top", "HTTPS", "Example.COM", 8443, "/a b/c", "x=1&y=%41", "Top"},
        {"http://user:pw@h/p", "http", "h", {}, "/p", {}, {}},
        {"http://[::1]:80/", "http", "::1", 80, "/", {}, {}},
        {"file:///tmp/x.plist", "file", {}, {}, "/tmp/x.plist", {}, {}},
        {"s:opaque", "s", {}, {}, "opaque", {}, {}},
        {"s://", "s", {}, {}, "", {}, {}},
        {"mailto:a@b.c", "mailto", {}, {}, "a@b.c", {}, {}},
        {"relative/path?q", {}, {}, {}, "relative/path", "q", {}},
        {"http://h:/", "http", "h", {}, "/", {}, {}},
        {"?#", {}, {}, {}, "", "", ""},
    };
    for (const auto& c : cases) {
        const URL u = url(c.text);
        EXPECT_EQ(u.absoluteString(), c.text);
        EXPECT_EQ(u.scheme(), c.scheme) << c.text;
        EXPECT_EQ(u.host(), c.host) << c.text;
        EXPECT_EQ(u.port(), c.port) << c.text;
        EXPECT_EQ(u.path(), c.path) << c.text;
        EXPECT_EQ(u.query(), c.query) << c.text;
        EXPECT_EQ(u.fragment(), c.fragment) << c.text;
    }
    EXPECT_EQ(url("http://user:pw@h/p").user(), "user");
    EXPECT_EQ(url("http://h/a%2Fb").path(true), "/a%2Fb");
}

TEST(URL, TextThatIsNotAURLGivesNone) {
    for (const char* text : {"", "http://a b", "http://h/\x01", "http://h/caf\xc3\xa9", "http://h/%", "http://h/%4g",
                             "http://h/<>", "a#b#c", "http://h:port/", "http://h:65536/", "http://h/[x]",
                             "http://[::1/", "http://[::1]x/", "http://h:1:2/", "{}", "http://h/\\"})
        EXPECT_FALSE(URL::fromString(text).has_value()) << text;
}

TEST(URL, PathOperations) {
    struct Case { const char* text; std::string last, ext; const char* deleting; };
    const Case cases[] = {
        {"http://h/a/b.tar.gz", "b.tar.gz", "gz", "http://h/a/"},
        {"http://h/a/b/", "b", "", "http://h/a/"},
        {"http://h/.profile", ".profile", "", "http://h/"},
        {"http://h/a.", "a.", "", "http://h/"},
        {"http://h/", "/", "", "http://h/"},
        {"http://h", "", "", "http://h"},
        {"file:///a/b%20c.txt", "b c.txt", "txt", "file:///a/"},
        {"name.txt", "name.txt", "txt", "./"},
    };
    for (const auto& c : cases) {
        const URL u = url(c.text);
        EXPECT_EQ(u.lastPathComponent(), c.last) << c.text;
        EXPECT_EQ(u.pathExtension(), c.ext) << c.text;
        EXPECT_EQ(u.deletingLastPathComponent().absoluteString(), c.deleting) << c.text;
    }
    EXPECT_EQ(url("http://h/a/b/").pathComponents(), (std::vector<std::string>{"/", "a", "b"}));
    EXPECT_EQ(url("http://h/a/./b/../c/").standardized().absoluteString(), "http://h/a/c/");
    EXPECT_EQ(url("http://h/../x").standardized().absoluteString(), "http://h/x");
}

TEST(URL, AppendingPathComponentEncodesAndKeepsQuery) {
    EXPECT_EQ(url("http://h").appendingPathComponent("a b").absoluteString(), "http://h/a%20b");
    EXPECT_EQ(url("http://h/x?q=1#f").appendingPathComponent("y").absoluteString(), "http://h/x/y?q=1#f");
    EXPECT_EQ(url("http://h/x/").appendingPathComponent("/y").absoluteString(), "http://h/x/y");
    EXPECT_EQ(url("http://h/x").appendingPathComponent("y/z", true).absoluteString(), "http://h/x/y/z/");
    EXPECT_EQ(url("http://h/x").appendingPathComponent("50%#?").absoluteString(), "http://h/x/50%25%23%3F");
    const URL resources = url("file:///opt/App.app/Contents/Resources/");
    EXPECT_EQ(resources.appendingPathComponent("Pellicot_Pellicot.bundle", false).path(),
              "/opt/App.app/Contents/Resources/Pellicot_Pellicot.bundle");
}

TEST(URL, FileURLsFromPaths) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "url-test dir";
    std::filesystem::create_directories(dir);
    const URL directory = URL::fileURLWithPath(dir.string());
    EXPECT_TRUE(directory.isFileURL());
    EXPECT_TRUE(directory.hasDirectoryPath());
    EXPECT_EQ(directory.path(), dir.string() + "/");
    EXPECT_NE(directory.absoluteString().find("url-test%20dir/"), std::string::npos);
    // Appending to a file URL asks the file system whether the result is a directory.
    EXPECT_TRUE(directory.deletingLastPathComponent().appendingPathComponent("url-test dir").hasDirectoryPath());
    EXPECT_FALSE(directory.appendingPathComponent("missing").hasDirectoryPath());

    EXPECT_EQ(URL::fileURLWithPath("/tmp//a/b.txt").absoluteString(), "file:///tmp/a/b.txt");
    EXPECT_EQ(URL::fileURLWithPath("/tmp/a", true).absoluteString(), "file:///tmp/a/");
    EXPECT_EQ(URL::fileURLWithPath("/nonexistent/", false).absoluteString(), "file:///nonexistent");
    const URL relative = URL::fileURLWithPath("x.txt");
    EXPECT_EQ(relative.path(), std::filesystem::current_path().string() + "/x.txt");
    EXPECT_EQ(URL::fileURLWithPath("../c.txt", false, URL::fileURLWithPath("/a/b/", true)).path(), "/a/c.txt");
    EXPECT_EQ(URL::fileURLWithPath("c.txt", false, URL::fileURLWithPath("/a/b", false)).path(), "/a/c.txt");
    EXPECT_TRUE(url("FILE:///x").isFileURL());
    EXPECT_FALSE(url("files:///x").isFileURL());
}

TEST(URL, EqualityIsByAbsoluteString) {
    EXPECT_EQ(url("http://h/a"), url("http://h/a"));
    EXPECT_NE(url("http://h/a"), url("http://H/a"));
    EXPECT_NE(url("http://h/a"), url("http://h/a/"));
    std::unordered_set<URL> set{url("a:b"), url("a:b"), url("a:c")};
    EXPECT_EQ(set.size(), 2u);
}
