#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Foundation {

// An absolute or relative URL reference (RFC 3986), kept as written: the case of the scheme
// and host is never changed ("vantrelzellow://openAndUpdate" keeps "openAndUpdate"). Two URLs
// are equal when their absolute strings are.
class URL {
public:
    // Absent when `string` is not a URL: empty, a character outside the URL syntax (space,
    // control, non-ASCII, one of "<>\"{}|\\^`"), a malformed percent escape, a second "#",
    // a bracket outside the host, or a port that is not a number up to 65535.
    static std::optional<URL> fromString(std::string_view string);

    // A file URL for a path on disk. A relative path is taken from the current directory (or
    // from `base` when given, as a relative reference). The URL is a directory when
    // `isDirectory` says so, else when the path ends in "/", else when the file system says so.
    static URL fileURLWithPath(std::string_view path, std::optional<bool> isDirectory = std::nullopt);
    static URL fileURLWithPath(std::string_view path, std::optional<bool> isDirectory, const URL& base);

    const std::string& absoluteString() const { return string_; }
    const std::optional<std::string>& scheme() const { return scheme_; }
    // Percent-decoded, without the brackets of an IPv6 literal; absent when empty.
    std::optional<std::string> host() const;
    std::optional<int> port() const { return port_; }
    std::optional<std::string> user() const;
    // Percent-decoded unless `percentEncoded`; keeps a trailing "/".
    std::string path(bool percentEncoded = false) const;
    // As written (percent-encoded).
    const std::optional<std::string>& query() const { return query_; }
    const std::optional<std::string>& fragment() const { return fragment_; }

    bool isFileURL() const;
    bool hasDirectoryPath() const { return !path_.empty() && path_.back() == '/'; }

    // ["/", "a", "b"] for "/a/b/"; empty for an empty path. Decoded.
    std::vector<std::string> pathComponents() const;
    // "b" for "/a/b" and "/a/b/", "/" for "/", "" for an empty path. Decoded.
    std::string lastPathComponent() const;
    // The text after the last "." of the last component; "" for ".profile", "a." or none.
    std::string pathExtension() const;

    // The component is percent-encoded as needed; a "/" in it separates components. For a
    // file URL the result is a directory when `isDirectory` says so or the file system does.
    URL appendingPathComponent(std::string_view component, std::optional<bool> isDirectory = std::nullopt) const;
    // "/a/b/" for "/a/b/c" and "/a/b/c/"; the root stays the root; a one-component relative
    // path gives "./".
    URL deletingLastPathComponent() const;
    // "." and ".." segments removed from the path.
    URL standardized() const;

    bool operator==(const URL& other) const { return string_ == other.string_; }
    bool operator!=(const URL& other) const { return !(*this == other); }

    // Percent-encodes the bytes of `text` outside unreserved characters, sub-delimiters,
    // ":", "@" and those in `alsoAllowed`.
    static std::string percentEncoded(std::string_view text, std::string_view alsoAllowed = "/");
    static std::string percentDecoded(std::string_view text);

private:
    URL() = default;
    void recompose();
    URL withPath(std::string path) const;

    std::string string_;
    std::optional<std::string> scheme_;
    bool hasAuthority_ = false;
    std::optional<std::string> userInfo_;
    std::string host_;  // as written
    std::optional<int> port_;
    std::string portText_;  // as written, kept for an empty port ("http://h:/")
    bool hasPortSeparator_ = false;
    std::string path_;  // as written (percent-encoded)
    std::optional<std::string> query_;
    std::optional<std::string> fragment_;
};

}  // namespace Foundation

template <>
struct std::hash<Foundation::URL> {
    std::size_t operator()(const Foundation::URL& url) const noexcept { return std::hash<std::string>()(url.absoluteString()); }
};
