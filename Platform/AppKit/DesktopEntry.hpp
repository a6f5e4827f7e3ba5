#pragma once
#include <optional>
#include <string>
#include <vector>

namespace Foundation {
class Bundle;
}

namespace AppKit {

// An application's desktop entry (the freedesktop.org .desktop file): how the desktop names
// and starts it, and the URL schemes it opens (MimeType "x-scheme-handler/<scheme>"). This is
// how a scheme declared in a bundle's Info.plist reaches the desktop, and how the workspace
// finds the application for a URL in another process.
//
// Folders follow the XDG base directories: entries in $XDG_DATA_HOME/applications (default
// ~/.local/share) before $XDG_DATA_DIRS/applications (default /usr/local/share:/usr/share);
// defaults in the mimeapps.list files of $XDG_CONFIG_HOME (~/.config), $XDG_CONFIG_DIRS
// (/etc/xdg) and the applications folders, in that order.
struct DesktopEntry {
    std::string id;  // the file name, "org.vantrel.zellow.desktop"
    std::string name;
    std::string exec;  // the Exec value, unescaped
    std::string icon;
    std::vector<std::string> mimeTypes;
    std::string path;  // where it was read from or is installed

    // The entry in a file; absent when it cannot be read or is no application entry (its
    // [Desktop Entry] group has no Type=Application, is Hidden, or has no Exec).
    static std::optional<DesktopEntry> read(const std::string& path);
    // The application the desktop opens URLs of `scheme` with: the first installed default of
    // the mimeapps.list files, else the first entry that lists the scheme's type.
    static std::optional<DesktopEntry> handlerForScheme(const std::string& scheme);

    // The entry for an application bundle run by `executable`: named after the bundle's
    // identifier, shown as its display name, with the schemes of its CFBundleURLTypes and its
    // icon's picture when the bundle has one. Absent for a bundle without an identifier. A
    // path with a percent sign is started through the shell ("sh -c"), since the desktop's
    // launcher would look for the program under its escaped name.
    static std::optional<DesktopEntry> forBundle(const Foundation::Bundle& bundle, const std::string& executable);

    // "org.vantrel.zellow" for "org.vantrel.zellow.desktop".
    std::string applicationIdentifier() const;
    // The command that opens `url`: Exec split at blanks outside quotes, "%u" and "%U" giving
    // the URL, "%c" the name, "%i" the icon option, "%%" a percent sign, inside quotes too, as
    // the desktop expands them; other field codes drop out.
    std::vector<std::string> commandLine(const std::string& url) const;
    // The file's text.
    std::string text() const;
    // Writes the entry into $XDG_DATA_HOME/applications, unless an identical one is there, and
    // sets `path`. Written whole, as the programs write their outputs: a link there stays and
    // the file it leads to is replaced; anything else but a regular file is refused. False
    // with the reason in `error` when it cannot be written.
    bool install(std::string* error = nullptr);

    // The XDG folders (tests set the variables).
    static std::string dataHome();
    static std::vector<std::string> dataDirectories();  // data home first
    static std::vector<std::string> configDirectories();  // config home first
};

}  // namespace AppKit
