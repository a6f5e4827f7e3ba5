#pragma once
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>

namespace TestSupport {

// Another program on the X display, for the desktop's clipboard (the CLIPBOARD selection): it
// reads what the selection's owner holds, or owns the selection with a text it hands out to
// whoever asks. Each runs on a thread with a connection of its own, so that the process under
// test can answer or ask meanwhile (by pumping its window back end).
class XClipboardPeer {
public:
    XClipboardPeer() = default;
    ~XClipboardPeer() { stopOffering(); }
    XClipboardPeer(const XClipboardPeer&) = delete;
    XClipboardPeer& operator=(const XClipboardPeer&) = delete;

    // The owner's text as UTF-8; none when nobody owns the selection or no answer came within
    // `seconds`.
    static std::future<std::optional<std::string>> read(double seconds = 5) {
        return std::async(std::launch::async, [seconds]() -> std::optional<std::string> {
            Connection c;
            if (!c.display) return std::nullopt;
            if (XGetSelectionOwner(c.display, c.clipboard) == None) return std::nullopt;
            const Atom property = XInternAtom(c.display, "VZ_CLIPBOARD_PEER", False);
            XConvertSelection(c.display, c.clipboard, c.utf8, property, c.window, CurrentTime);
            XFlush(c.display);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
            while (std::chrono::steady_clock::now() < deadline) {
                while (XPending(c.display)) {
                    XEvent e;
                    XNextEvent(c.display, &e);
                    if (e.type != SelectionNotify) continue;
                    if (e.xselection.property == None) return std::nullopt;
                    Atom type;
                    int format;
                    unsigned long count, after;
                    unsigned char* data = nullptr;
                    XGetWindowProperty(c.display, c.window, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count,
                                       &after, &data);
                    std::string text(reinterpret_cast<const char*>(data ? data : reinterpret_cast<const unsigned char*>("")), count);
                    if (data) XFree(data);
                    return text;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            return std::nullopt;
        });
    }

    // The same, `pump` running meanwhile (the process under test answering the display).
    static std::optional<std::string> read(const std::function<void()>& pump, double seconds = 5) {
        auto answer = read(seconds);
        while (answer.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) pump();
        return answer.get();
    }

    // Owns the selection with `text` (as UTF-8 text) until stopOffering, the peer's end or
    // another owner; returns once it owns it (false when it could not).
    bool offer(std::string text) {
        stopOffering();
        stop_ = false;
        std::promise<bool> owned;
        auto ready = owned.get_future();
        server_ = std::thread([this, text = std::move(text), owned = std::move(owned)]() mutable {
            Connection c;
            if (!c.display) return owned.set_value(false);
            XSetSelectionOwner(c.display, c.clipboard, c.window, CurrentTime);
            const bool mine = XGetSelectionOwner(c.display, c.clipboard) == c.window;
            owned.set_value(mine);
            const Atom targets = XInternAtom(c.display, "TARGETS", False);
            while (mine && !stop_) {
                while (XPending(c.display)) {
                    XEvent e;
                    XNextEvent(c.display, &e);
                    if (e.type == SelectionClear) return;
                    if (e.type != SelectionRequest) continue;
                    const XSelectionRequestEvent& r = e.xselectionrequest;
                    XSelectionEvent answer{};
                    answer.type = SelectionNotify;
                    answer.display = r.display;
                    answer.requestor = r.requestor;
                    answer.selection = r.selection;
                    answer.target = r.target;
                    answer.time = r.time;
                    answer.property = r.property == None ? r.target : r.property;
                    if (r.target == targets) {
                        const Atom offered[] = {targets, c.utf8, XA_STRING};
                        XChangeProperty(c.display, r.requestor, answer.property, XA_ATOM, 32, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(offered), 3);
                    } else if (r.target == c.utf8 || r.target == XA_STRING) {
                        XChangeProperty(c.display, r.requestor, answer.property, r.target, 8, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(text.data()), int(text.size()));
                    } else {
                        answer.property = None;
                    }
                    XSendEvent(c.display, r.requestor, False, 0, reinterpret_cast<XEvent*>(&answer));
                    XFlush(c.display);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
        return ready.get();
    }

    void stopOffering() {
        stop_ = true;
        if (server_.joinable()) server_.join();
    }

private:
    // A connection to the display with a window of its own (never shown).
    struct Connection {
        Display* display = XOpenDisplay(nullptr);
        Window window = display ? XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0) : 0;
        Atom clipboard = display ? XInternAtom(display, "CLIPBOARD", False) : None;
        Atom utf8 = display ? XInternAtom(display, "UTF8_STRING", False) : None;
        Connection() = default;
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;
        ~Connection() {
            if (!display) return;
            XDestroyWindow(display, window);
            XCloseDisplay(display);
        }
    };

    std::thread server_;
    std::atomic<bool> stop_{false};
};

}  // namespace TestSupport
