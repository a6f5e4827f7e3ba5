#include "AppKit/NSSegmentedCell.hpp"

#include <algorithm>
#include <cmath>

#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace AppKit {

namespace {
constexpr CGFloat labelPadding = 8;     // on each side of an automatic segment's label
constexpr CGFloat minimumWidth = 24;
constexpr CGFloat segmentHeight = 22;
}  // namespace

void NSSegmentedCell::setSegmentCount(long count) {
    segments_.resize(std::size_t(std::max(0L, count)));
    if (lastSelected_ >= count) lastSelected_ = -1;
    if (keySegment_ >= count) keySegment_ = count > 0 ? count - 1 : -1;
    updateControlView();
}

std::string NSSegmentedCell::label(long s) const { return valid(s) ? segments_[std::size_t(s)].label : std::string(); }

void NSSegmentedCell::setLabel(std::string label, long s) {
    if (!valid(s)) return;
    segments_[std::size_t(s)].label = std::move(label);
    updateControlView();
}

NSImage::Ptr NSSegmentedCell::image(long s) const { return valid(s) ? segments_[std::size_t(s)].image : nullptr; }

void NSSegmentedCell::setImage(NSImage::Ptr image, long s) {
    if (!valid(s)) return;
    segments_[std::size_t(s)].image = std::move(image);
    updateControlView();
}

CGFloat NSSegmentedCell::width(long s) const { return valid(s) ? segments_[std::size_t(s)].width : 0; }

void NSSegmentedCell::setWidth(CGFloat width, long s) {
    if (!valid(s)) return;
    segments_[std::size_t(s)].width = std::max<CGFloat>(0, width);
    updateControlView();
}

bool NSSegmentedCell::isEnabled(long s) const { return valid(s) && segments_[std::size_t(s)].enabled; }

void NSSegmentedCell::setEnabled(bool flag, long s) {
    if (!valid(s)) return;
    segments_[std::size_t(s)].enabled = flag;
    updateControlView();
}

bool NSSegmentedCell::isSelected(long s) const { return valid(s) && segments_[std::size_t(s)].selected; }

void NSSegmentedCell::setSelected(bool flag, long s) {
    if (!valid(s)) return;
    if (flag && tracking_ != NSSegmentSwitchTracking::selectAny)
        for (auto& seg : segments_) seg.selected = false;
    segments_[std::size_t(s)].selected = flag;
    if (flag) lastSelected_ = s;
    else if (lastSelected_ == s) lastSelected_ = -1;
    updateControlView();
}

long NSSegmentedCell::selectedSegment() const {
    if (valid(lastSelected_) && segments_[std::size_t(lastSelected_)].selected) return lastSelected_;
    for (long s = 0; s < segmentCount(); ++s)
        if (segments_[std::size_t(s)].selected) return s;
    return -1;
}

void NSSegmentedCell::setSelectedSegment(long s) {
    if (s < 0) {
        for (auto& seg : segments_) seg.selected = false;
        lastSelected_ = -1;
        updateControlView();
        return;
    }
    setSelected(true, s);
}

long NSSegmentedCell::segmentHighlightState(long s) const { return valid(s) ? segments_[std::size_t(s)].highlight : 0; }

void NSSegmentedCell::setSegmentHighlightState(long s, long state) {
    if (!valid(s) || segments_[std::size_t(s)].highlight == state) return;
    segments_[std::size_t(s)].highlight = state;
    updateControlView();
}

void NSSegmentedCell::setKeySegment(long s) {
    keySegment_ = valid(s) ? s : -1;
    updateControlView();
}

CGFloat NSSegmentedCell::automaticWidth(long s) const {
    CGFloat w = 0;
    if (auto img = image(s)) w = img->size().width;
    const std::string text = label(s);
    if (!text.empty()) w = std::max(w, CoreGraphics::TextLayout::size(attributedText(text)).width);
    return std::max(minimumWidth, std::ceil(w) + 2 * labelPadding);
}

std::vector<CGRect> NSSegmentedCell::segmentFrames(CGRect frame) const {
    std::vector<CGRect> frames;
    CGFloat x = frame.minX();
    for (long s = 0; s < segmentCount(); ++s) {
        const CGFloat w = width(s) > 0 ? width(s) : automaticWidth(s);
        frames.push_back({x, frame.minY(), w, frame.height()});
        x += w;
    }
    return frames;
}

long NSSegmentedCell::segment(CGPoint at, CGRect frame) const {
    const auto frames = segmentFrames(frame);
    for (std::size_t i = 0; i < frames.size(); ++i)
        if (frames[i].contains(at)) return long(i);
    return -1;
}

void NSSegmentedCell::drawSegment(long s, CGRect frame, NSView&) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    if (isSelected(s) || segmentHighlightState(s) == 2) {
        ctx->setFillColor(CoreGraphics::CGColor::gray(0.5, isSelected(s) ? 0.5 : 0.3));
        ctx->fill(frame.insetBy(1, 1));
    }
    const std::string text = label(s);
    if (text.empty()) return;
    auto attributed = attributedText(text);
    attributed.paragraph.alignment = CoreGraphics::TextAlignment::center;
    const CGFloat h = CoreGraphics::TextLayout::size(attributed).height;
    ctx->drawText(attributed, {frame.minX(), frame.midY() - h / 2, frame.width(), h});
}

void NSSegmentedCell::drawInterior(CGRect frame, NSView& in) {
    const auto frames = segmentFrames(frame);
    for (std::size_t i = 0; i < frames.size(); ++i) drawSegment(long(i), frames[i], in);
}

CGSize NSSegmentedCell::cellSize(CGRect) const {
    CGFloat w = 0;
    for (long s = 0; s < segmentCount(); ++s) w += width(s) > 0 ? width(s) : automaticWidth(s);
    return {w, segmentHeight};
}

}  // namespace AppKit
