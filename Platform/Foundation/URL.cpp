#include "Foundation/URL.hpp"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace Foundation {
namespace {

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHex(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isUnreserved(char c) { return isAlpha(c) || isDigit(c) || c == '-' || c == '.' || c == '_' || c == '~'; }
bool isSubDelimiter(char c) { return std::string_view("!$&'()*+,;=").find(c) != std::string_view::npos; }
bool isURLCharacter(char c) { return isUnreserved(c) || isSubDelimiter(c) || std::string_view(":/?#[]@%").find(c) != std::string_view::npos; }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    return (std::tolower(static_cast<unsigned char>(c)) - 'a') + 10;
}

// RFC 3986 remove_dot_segments.
std::string removeDotSegments(std::string_view input) {
    std::string output;
    while (!input.empty()) {
        if (input.starts_with("../")) input.remove_prefix(3);
        else if (input.starts_with("./")) input.remove_prefix(2);
        else if (input.starts_with("/./")) input.remove_prefix(2);
        else if (input == "/.") { input = "/"; }
        else if (input.starts_with("/../") || input == "/..") {
            input = input.size() == 3 ? std::string_view("/") : input.substr(3);
            const auto slash = output.rfind('/');
            output.erase(slash == std::string::npos ? 0 : slash);
        }
        else if (input == "." || input == "..") input = {};
        else {
            const std::size_t start = input.front() == '/' ? 1 : 0;
            const std::size_t next = input.find('/', start);
            const std::size_t length = next == std::string_view::npos ? input.size() : next;
            output.append(input.substr(0, length));
            input.remove_prefix(length);
        }
    }
    return output;
}

std::string collapseSlashes(std::string_view path) {
    std::string out;
    for (char c : path) {
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out.push_back(c);
    }
    return out;
}

bool isExistingDirectory(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

std::string URL::percentEncoded(std::string_view text, std::string_view alsoAllowed) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        if (isUnreserved(c) || isSubDelimiter(c) || c == ':' || c == '@' || alsoAllowed.find(c) != std::string_view::npos) {
            out.push_back(c);
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += {'%', digits[byte >> 4], digits[byte & 15]};
        }
    }
    return out;
}

std::string URL::percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && isHex(text[i + 1]) && isHex(text[i + 2])) {
            out.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::optional<URL> URL::fromString(std::string_view s) {
    if (s.empty()) return std::nullopt;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!isURLCharacter(s[i])) return std::nullopt;
        if (s[i] == '%' && (i + 2 >= s.size() || !isHex(s[i + 1]) || !isHex(s[i + 2]))) return std::nullopt;
    }
    URL url;
    std::string_view rest = s;

    // Fragment, then query, from the right.
    if (const auto hash = rest.find('#'); hash != std::string_view::npos) {
        const std::string_view fragment = rest.substr(hash + 1);
        if (fragment.find_first_of("#[]") != std::string_view::npos) return std::nullopt;
        url.fragment_ = std::string(fragment);
        rest = rest.substr(0, hash);
    }
    if (const auto question = rest.find('?'); question != std::string_view::npos) {
        const std::string_view query = rest.substr(question + 1);
        if (query.find_first_of("[]") != std::string_view::npos) return std::nullopt;
        url.query_ = std::string(query);
        rest = rest.substr(0, question);
    }
    // Scheme: a letter, then letters, digits, "+", "-" or ".", before the first ":".
    if (const auto colon = rest.find(':'); colon != std::string_view::npos && colon > 0 && isAlpha(rest[0])) {
        bool valid = true;
        for (std::size_t i = 1; i < colon; ++i) {
            const char c = rest[i];
            if (!(isAlpha(c) || isDigit(c) || c == '+' || c == '-' || c == '.')) valid = false;
        }
        if (valid) {
            url.scheme_ = std::string(rest.substr(0, colon));
            rest.remove_prefix(colon + 1);
        }
    }
    if (rest.starts_with("//")) {
        url.hasAuthority_ = true;
        rest.remove_prefix(2);
        const auto end = rest.find('/');
        std::string_view authority = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
        if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
            url.userInfo_ = std::string(authority.substr(0, at));
            if (url.userInfo_->find_first_of("[]") != std::string::npos) return std::nullopt;
            authority.remove_prefix(at + 1);
        }
        std::string_view host = authority;
        std::string_view port;
        if (authority.starts_with("[")) {
            const auto close = authority.find(']');
            if (close == std::string_view::npos) return std::nullopt;
            host = authority.substr(0, close + 1);
            const std::string_view after = authority.substr(close + 1);
            if (!after.empty()) {
                if (after.front() != ':') return std::nullopt;
                url.hasPortSeparator_ = true;
                port = after.substr(1);
            }
        } else if (const auto colon = authority.rfind(':'); colon != std::string_view::npos) {
            host = authority.substr(0, colon);
            url.hasPortSeparator_ = true;
            port = authority.substr(colon + 1);
        }
        const bool bracketed = host.starts_with("[");
        const std::string_view inner = bracketed ? host.substr(1, host.size() - 2) : host;
        if (inner.find_first_of(bracketed ? "[]" : "[]:") != std::string_view::npos) return std::nullopt;
        url.host_ = std::string(host);
        url.portText_ = std::string(port);
        if (!port.empty()) {
            if (port.size() > 5) return std::nullopt;
            int value = 0;
            for (char c : port) {
                if (!isDigit(c)) return std::nullopt;
                value = value * 10 + (c - '0');
            }
            if (value > 65535) return std::nullopt;
            url.port_ = value;
        }
    }
    if (rest.find_first_of("[]") != std::string_view::npos) return std::nullopt;
    url.path_ = std::string(rest);
    url.string_ = std::string(s);
    return url;
}

void URL::recompose() {
    std::string s;
    if (scheme_) s += *scheme_ + ":";
    if (hasAuthority_) {
        s += "//";
        if (userInfo_) s += *userInfo_ + "@";
        s += host_;
        if (hasPortSeparator_) s += ":" + portText_;
    }
    s += path_;
    if (query_) s += "?" + *query_;
    if (fragment_) s += "#" + *fragment_;
    string_ = std::move(s);
}

URL URL::withPath(std::string path) const {
    URL copy = *this;
    // A path after an authority must start with "/"; one without must not start with "//".
    if (copy.hasAuthority_ && !path.empty() && path.front() != '/') path.insert(path.begin(), '/');
    copy.path_ = std::move(path);
    copy.recompose();
    return copy;
}

URL URL::fileURLWithPath(std::string_view path, std::optional<bool> isDirectory) {
    std::string full(path.empty() ? "." : path);
    if (full.front() != '/') {
        std::error_code error;
        std::string cwd = std::filesystem::current_path(error).string();
        if (error) cwd = "/";
        full = cwd + "/" + full;
    }
    full = collapseSlashes(full);
    if (full.size() > 1 && full.ends_with("/.")) full.pop_back();
    const bool directory = isDirectory.value_or(full.back() == '/' || isExistingDirectory(full));
    if (directory && full.back() != '/') full.push_back('/');
    if (!directory && full.size() > 1 && full.back() == '/') full.pop_back();
    URL url;
    url.scheme_ = "file";
    url.hasAuthority_ = true;
    url.path_ = percentEncoded(full);
    url.recompose();
    return url;
}

URL URL::fileURLWithPath(std::string_view path, std::optional<bool> isDirectory, const URL& base) {
    if (!path.empty() && path.front() == '/') return fileURLWithPath(path, isDirectory);
    const std::string basePath = base.path();
    const std::string directory = basePath.substr(0, basePath.rfind('/') + 1);
    std::string joined = (directory.empty() ? std::string("/") : directory) + std::string(path);
    const bool trailingSlash = !joined.empty() && joined.back() == '/';
    std::string resolved = removeDotSegments(joined);
    if (trailingSlash && (resolved.empty() || resolved.back() != '/')) resolved.push_back('/');
    return fileURLWithPath(resolved.empty() ? "/" : resolved, isDirectory);
}

std::optional<std::string> URL::host() const {
    if (host_.empty()) return std::nullopt;
    std::string_view h = host_;
    if (h.size() >= 2 && h.front() == '[' && h.back() == ']') h = h.substr(1, h.size() - 2);
    return percentDecoded(h);
}

std::optional<std::string> URL::user() const {
    if (!userInfo_) return std::nullopt;
    return percentDecoded(std::string_view(*userInfo_).substr(0, userInfo_->find(':')));
}

std::string URL::path(bool encoded) const { return encoded ? path_ : percentDecoded(path_); }

bool URL::isFileURL() const {
    if (!scheme_ || scheme_->size() != 4) return false;
    std::string lower;
    for (char c : *scheme_) lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return lower == "file";
}

std::vector<std::string> URL::pathComponents() const {
    std::vector<std::string> parts;
    if (path_.empty()) return parts;
    if (path_.front() == '/') parts.emplace_back("/");
    std::size_t start = 0;
    while (start < path_.size()) {
        const auto slash = path_.find('/', start);
        const std::size_t end = slash == std::string::npos ? path_.size() : slash;
        if (end > start) parts.push_back(percentDecoded(std::string_view(path_).substr(start, end - start)));
        start = end + 1;
    }
    return parts;
}

std::string URL::lastPathComponent() const {
    const auto parts = pathComponents();
    return parts.empty() ? std::string() : parts.back();
}

std::string URL::pathExtension() const {
    const std::string last = lastPathComponent();
    const auto dot = last.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == last.size() || last == "/") return {};
    return last.substr(dot + 1);
}

URL URL::appendingPathComponent(std::string_view component, std::optional<bool> isDirectory) const {
    std::string path = path_;
    std::string_view piece = component;
    while (!piece.empty() && piece.front() == '/' && (path.empty() || path.back() == '/')) piece.remove_prefix(1);
    if ((path.empty() && hasAuthority_) || (!path.empty() && path.back() != '/' && (piece.empty() || piece.front() != '/')))
        path.push_back('/');
    path += percentEncoded(piece);
    const bool directory = isDirectory.value_or(isFileURL() && isExistingDirectory(percentDecoded(path)));
    if (directory && path.back() != '/') path.push_back('/');
    return withPath(std::move(path));
}

URL URL::deletingLastPathComponent() const {
    std::string path = path_;
    if (path.empty() || path == "/") return *this;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const auto slash = path.rfind('/');
    path = slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
    return withPath(std::move(path));
}

URL URL::standardized() const {
    const bool trailingSlash = hasDirectoryPath();
    std::string path = removeDotSegments(path_);
    if (trailingSlash && (path.empty() || path.back() != '/')) path.push_back('/');
    if (path.empty() && !path_.empty() && path_.front() == '/') path = "/";
    return withPath(std::move(path));
}

}  // namespace Foundation
