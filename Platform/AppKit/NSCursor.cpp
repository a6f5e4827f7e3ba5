#include "AppKit/NSCursor.hpp"

#include <map>
#include <vector>

namespace AppKit {

namespace {
struct CursorState {
    std::vector<NSCursor::Ptr> stack;
    NSCursor::Ptr set;
};
CursorState& state() {
    static CursorState s;
    return s;
}
}  // namespace

NSCursor::Ptr NSCursor::make(const NSImage::Ptr& image, CoreGraphics::CGPoint hotSpot) {
    auto c = Runtime::make<NSCursor>();
    c->image_ = image;
    c->hotSpot_ = hotSpot;
    return c;
}

NSCursor::Ptr NSCursor::system(const char* name) {
    static std::map<std::string, Ptr> cursors;
    auto& slot = cursors[name];
    if (!slot) {
        slot = make(NSImage::withSize({16, 16}), {0, 0});
        slot->name_ = name;
    }
    return slot;
}

NSCursor::Ptr NSCursor::arrow() { return system("arrow"); }
NSCursor::Ptr NSCursor::iBeam() { return system("iBeam"); }
NSCursor::Ptr NSCursor::pointingHand() { return system("pointingHand"); }
NSCursor::Ptr NSCursor::crosshair() { return system("crosshair"); }
NSCursor::Ptr NSCursor::openHand() { return system("openHand"); }
NSCursor::Ptr NSCursor::closedHand() { return system("closedHand"); }
NSCursor::Ptr NSCursor::resizeLeftRight() { return system("resizeLeftRight"); }
NSCursor::Ptr NSCursor::resizeUpDown() { return system("resizeUpDown"); }

NSCursor::Ptr NSCursor::current() {
    auto& s = state();
    if (!s.stack.empty()) return s.stack.back();
    return s.set ? s.set : arrow();
}

void NSCursor::set() {
    auto& s = state();
    // Setting replaces the shape shown now: the top of the stack when there is one.
    if (!s.stack.empty())
        s.stack.back() = sharedAs<NSCursor>();
    else
        s.set = sharedAs<NSCursor>();
}

void NSCursor::push() { state().stack.push_back(sharedAs<NSCursor>()); }
void NSCursor::pop() { popCursor(); }

void NSCursor::popCursor() {
    auto& s = state();
    if (!s.stack.empty()) s.stack.pop_back();
}

std::size_t NSCursor::stackDepth() { return state().stack.size(); }

void NSCursor::resetForTesting() {
    state().stack.clear();
    state().set.reset();
}

}  // namespace AppKit
