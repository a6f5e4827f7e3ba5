// A small bundle's worth of art: a dial in five positions, a button in two states, a
// template mask, and colours (one sharing its name with an image).
#include <cstdio>

#include "tools/artwork/Artwork.hpp"
#include "tools/artwork/ControlArt.hpp"

using namespace CoreGraphics;

VZ_ART_SOURCE(sampleArt) {
    for (int i = 1; i <= 5; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "knobs/sample-dial-%02d", i);
        double position = (i - 1) / 4.0;
        art.image(name, {40, 40}, [position](CGContext& c, CGSize s) { Artwork::drawDial(c, {0, 0, s.width, s.height}, position); });
    }
    art.image("button", {88, 27}, [](CGContext& c, CGSize s) { Artwork::drawButton(c, {0, 0, s.width, s.height}, false); });
    art.image("button-down", {88, 27}, [](CGContext& c, CGSize s) { Artwork::drawButton(c, {0, 0, s.width, s.height}, true); });
    art.image("mask-dot", {12, 12}, [](CGContext& c, CGSize s) {
        c.setFillColor(CGColor::black());
        c.fill(CGPath::ellipse({1, 1, s.width - 2, s.height - 2}));
    }, true);
    art.image("background", {64, 32}, [](CGContext& c, CGSize s) {
        c.fillLinearGradient(CGPath::rect({0, 0, s.width, s.height}), {{0, CGColor::hex(0x2b2e34)}, {1, CGColor::hex(0x1a1b1f)}},
                             {0, 0}, {0, s.height});
    });
    art.color("background", CGColor::hex(0x1e2024));
    art.color("accent", CGColor::displayP3(1, 0.3, 0.1));
    art.color("labelText", CGColor::gray(0.9));
}
