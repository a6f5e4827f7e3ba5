#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace AppKit {

// The general pasteboard that copy, cut and paste go through. It keeps what is put on it in the
// process; a window back end that reaches the desktop's clipboard connects it, and from then on
// plain text goes to the desktop and comes from it (so other programs' copies arrive). Main
// thread only.
class NSPasteboard {
public:
    using PasteboardType = std::string;
    static inline const PasteboardType typeString = "public.utf8-plain-text";

    static NSPasteboard& general();

    // Empties the pasteboard; returns the new change count.
    long clearContents();
    bool setString(const std::string& text, const PasteboardType& type = typeString);
    // What it holds of `type`; none when it holds nothing of it.
    std::optional<std::string> stringForType(const PasteboardType& type = typeString) const;
    // Grows with every change made here.
    long changeCount() const { return changeCount_; }

    // The desktop's clipboard: `read` gives its text (none when it holds no text), `write`
    // replaces it. A later connection replaces an earlier one; disconnecting the one in place
    // (by the number connect gave) leaves the pasteboard with its own text again.
    struct DesktopClipboard {
        std::function<std::optional<std::string>()> read;
        std::function<void(const std::string&)> write;
    };
    long connect(DesktopClipboard clipboard);
    void disconnect(long connection);

private:
    NSPasteboard() = default;
    std::map<PasteboardType, std::string> items_;
    DesktopClipboard desktop_;
    long connection_ = 0, connections_ = 0;
    long changeCount_ = 0;
};

}  // namespace AppKit
