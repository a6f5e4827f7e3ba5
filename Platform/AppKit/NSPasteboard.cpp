#include "AppKit/NSPasteboard.hpp"

namespace AppKit {

NSPasteboard& NSPasteboard::general() {
    static NSPasteboard pasteboard;
    return pasteboard;
}

long NSPasteboard::clearContents() {
    items_.clear();
    return ++changeCount_;
}

bool NSPasteboard::setString(const std::string& text, const PasteboardType& type) {
    items_[type] = text;
    ++changeCount_;
    if (type == typeString && desktop_.write) desktop_.write(text);
    return true;
}

std::optional<std::string> NSPasteboard::stringForType(const PasteboardType& type) const {
    if (type == typeString && desktop_.read) return desktop_.read();
    auto it = items_.find(type);
    if (it == items_.end()) return std::nullopt;
    return it->second;
}

long NSPasteboard::connect(DesktopClipboard clipboard) {
    desktop_ = clipboard.read && clipboard.write ? std::move(clipboard) : DesktopClipboard{};
    return connection_ = ++connections_;
}

void NSPasteboard::disconnect(long connection) {
    if (connection != connection_) return;
    desktop_ = {};
    connection_ = 0;
}

}  // namespace AppKit
