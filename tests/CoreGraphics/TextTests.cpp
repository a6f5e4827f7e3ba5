#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/FontRegistry.hpp"
#include "CoreGraphics/TextLayout.hpp"

using namespace CoreGraphics;

namespace {
const std::string resources = std::string(VZ_CG_SAMPLE_DIR) + "/CGSample_CGSample.bundle/Resources";

void registerSampleFonts() {
    static int n = FontRegistry::registerFonts(resources);
    ASSERT_EQ(n, 3) << "fonts.txt of " << resources;
}

// The area of painted (non-clear) pixels, in points.
CGRect paintedBounds(const CGImage& img, CGFloat scale) {
    int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.argb(x, y) >> 24) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    if (x1 < 0) return {};
    return {x0 / scale, y0 / scale, (x1 + 1 - x0) / scale, (y1 + 1 - y0) / scale};
}
}  // namespace

TEST(Fonts, BundleFontsAnswerToTheirNamesAndMissingOnesFallBack) {
    registerSampleFonts();
    auto rocket = FontRegistry::resolve(Font::named("Rocket", 12));
    EXPECT_FALSE(rocket.fallback);
    EXPECT_EQ(rocket.family, "Play");
    auto medium = FontRegistry::resolve(Font::named("Dosis-Medium", 12));
    EXPECT_EQ(medium.family, "Dosis");
    EXPECT_EQ(medium.style, "Medium");
    auto missing = FontRegistry::resolve(Font::named("NoSuchFace-Bold", 12));
    EXPECT_TRUE(missing.fallback);
    EXPECT_EQ(missing.family, FontRegistry::fallbackFamily);
    EXPECT_FALSE(FontRegistry::registerFontFile("/nonexistent/font.ttf", "Nothing"));

    // Different faces measure differently; the same text in a missing face measures as the fallback.
    auto w = [](const char* name) { return TextLayout::size(AttributedText("RESET 123", Font::named(name, 14))).width; };
    EXPECT_NE(w("Rocket"), w("Dosis-Light"));
    EXPECT_EQ(w("NoSuchFace-Bold"), TextLayout::size(AttributedText("RESET 123", Font::system(14))).width);
}

TEST(Text, InkLiesInsideTheMeasuredBoundsAtEveryScale) {
    registerSampleFonts();
    for (const char* face : {"Rocket", "Dosis-Medium", "Dosis-Light"}) {
        for (CGFloat scale : {1.0, 2.0}) {
            AttributedText text("Delay 12.0 ms", Font::named(face, 16), CGColor::white());
            CGSize size = TextLayout::size(text);
            CGRect box{10, 6, std::ceil(size.width), std::ceil(size.height)};
            CGContext ctx({box.maxX() + 10, box.maxY() + 6}, true, scale);
            ctx.drawText(text, box);
            auto painted = paintedBounds(*ctx.makeImage(), scale);
            auto measured = TextLayout::boundingRect(text, box);
            SCOPED_TRACE(testing::Message() << face << " @" << scale);
            ASSERT_FALSE(painted.isEmpty());
            EXPECT_TRUE(measured.insetBy(-1, -1).contains(painted));
            auto ink = TextLayout::inkRect(text, box);
            EXPECT_NEAR(painted.minX(), ink.minX(), 1.0);
            EXPECT_NEAR(painted.maxX(), ink.maxX(), 1.0);
            EXPECT_EQ(measured.size, size);
        }
    }
}

TEST(Text, YUpContextsDrawUprightFromTheTopOfTheBox) {
    AttributedText text("Ag", Font::system(20), CGColor::black());
    CGSize s = TextLayout::size(text);
    CGContext up({60, 100});  // y-up: the box's top is its maxY
    up.drawText(text, {0, 50, 60, 50});
    auto painted = paintedBounds(*up.makeImage(), 1);
    // In pixels (y-down) the text sits in the upper half, starting at its top.
    EXPECT_LT(painted.maxY(), 50 + 1);
    EXPECT_LT(painted.minY(), s.height);
}

TEST(Text, AlignmentAndTailTruncation) {
    Font f = Font::named("Rocket", 13);
    AttributedText centred("AB", f, CGColor::black(), {TextAlignment::center, LineBreakMode::byWordWrapping});
    CGFloat w = TextLayout::size(centred).width;
    auto r = TextLayout::boundingRect(centred, {0, 0, 100, 20});
    EXPECT_NEAR(r.minX(), (100 - w) / 2, 0.01);
    AttributedText right("AB", f, CGColor::black(), {TextAlignment::right, LineBreakMode::byClipping});
    EXPECT_NEAR(TextLayout::boundingRect(right, {0, 0, 100, 20}).maxX(), 100, 0.01);

    AttributedText longText("More Quorvane Plugins\u2026 and more", f, CGColor::black(),
                            {TextAlignment::left, LineBreakMode::byTruncatingTail});
    CGFloat full = TextLayout::size(longText).width;
    CGFloat lineHeight = TextLayout::size(longText).height;
    EXPECT_TRUE(TextLayout::isTruncated(longText, full / 2));
    EXPECT_FALSE(TextLayout::isTruncated(longText, full + 1));
    CGSize cut = TextLayout::size(longText, full / 2);
    EXPECT_LE(cut.width, full / 2);
    EXPECT_EQ(cut.height, lineHeight);  // still one line

    AttributedText wrapped("one two three four five six", f);
    EXPECT_GT(TextLayout::size(wrapped, 40).height, 2 * TextLayout::metrics(f).lineHeight - 0.01);
}

TEST(Text, MetricsAndRuns) {
    auto m = TextLayout::metrics(Font::named("Dosis-Medium", 20));
    EXPECT_GT(m.ascent, 0);
    EXPECT_GT(m.descent, 0);
    EXPECT_NEAR(m.lineHeight, m.ascent + m.descent, 0.01);
    EXPECT_NEAR(TextLayout::firstBaseline(AttributedText("x", Font::named("Dosis-Medium", 20))), m.ascent, 0.01);

    AttributedText two;
    two.append({"12.0", Font::named("Rocket", 14), CGColor::white(), std::nullopt});
    two.append({" MS", Font::named("Dosis-Light", 10), CGColor::gray(0.5), std::nullopt});
    EXPECT_EQ(two.string(), "12.0 MS");
    CGFloat a = TextLayout::size(AttributedText("12.0", Font::named("Rocket", 14))).width;
    CGFloat b = TextLayout::size(AttributedText(" MS", Font::named("Dosis-Light", 10))).width;
    EXPECT_NEAR(TextLayout::size(two).width, a + b, 0.5);
    EXPECT_EQ(TextLayout::size(AttributedText()).width, 0);
}

TEST(Text, OutlandishSizesNeitherCrashNorMisreport) {
    AttributedText text("x", Font::named("Rocket", NAN));
    EXPECT_GT(TextLayout::size(text).height, 0);
    AttributedText wide("wide", Font::named("Rocket", 12), CGColor::black(), {TextAlignment::left, LineBreakMode::byTruncatingTail});
    EXPECT_FALSE(TextLayout::isTruncated(wide, 1e12));
    EXPECT_EQ(TextLayout::size(wide, 1e12).width, TextLayout::size(wide).width);
}

// Measurements are remembered; each pair differs in one thing that shapes the text, and the
// second of a pair must not be answered with the first's size.
TEST(Text, EveryDifferenceThatShapesTextIsMeasuredAnew) {
    registerSampleFonts();
    const Font rocket = Font::named("Rocket", 14);
    AttributedText split;
    split.append({"RESET", rocket, CGColor::black(), std::nullopt});
    split.append({" 123", Font::named("Dosis-Light", 14), CGColor::black(), std::nullopt});
    const ParagraphStyle truncating{TextAlignment::left, LineBreakMode::byTruncatingTail};
    struct Case {
        const char* what;
        AttributedText first;
        CGFloat firstWidth;
        AttributedText second;
        CGFloat secondWidth;
    };
    const Case cases[] = {
        {"text", AttributedText("RESET 123", rocket), 0, AttributedText("RESET 1234", rocket), 0},
        {"face", AttributedText("RESET 123", rocket), 0, AttributedText("RESET 123", Font::named("Dosis-Light", 14)), 0},
        {"size", AttributedText("RESET 123", rocket), 0, AttributedText("RESET 123", Font::named("Rocket", 15)), 0},
        {"weight", AttributedText("RESET 123", Font::system(14)), 0,
         AttributedText("RESET 123", Font::system(14, FontWeight::bold)), 0},
        {"runs", AttributedText("RESET 123", rocket), 0, split, 0},
        {"width", AttributedText("one two three four", rocket), 0, AttributedText("one two three four", rocket), 40},
        {"line breaks", AttributedText("one two three four", rocket), 40,
         AttributedText("one two three four", rocket, CGColor::black(), truncating), 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CGSize first = TextLayout::size(c.first, c.firstWidth);
        EXPECT_NE(TextLayout::size(c.second, c.secondWidth), first);
        EXPECT_EQ(TextLayout::size(c.first, c.firstWidth), first);
    }
    // Placement in a box follows the box, measured or not.
    AttributedText centred("AB", rocket, CGColor::black(), {TextAlignment::center, LineBreakMode::byClipping});
    EXPECT_NEAR(TextLayout::boundingRect(centred, {0, 0, 100, 20}).midX(), 50, 0.01);
    EXPECT_NEAR(TextLayout::boundingRect(centred, {0, 0, 60, 20}).midX(), 30, 0.01);
}

// A name that fell back to the default face measures as the font registered under it later.
TEST(Fonts, AFaceRegisteredLaterIsMeasuredInItsOwnShape) {
    registerSampleFonts();
    const std::string name = "LateFace-Measured";
    auto width = [](const Font& f) { return TextLayout::size(AttributedText("RESET 123", f)).width; };
    EXPECT_EQ(width(Font::named(name, 14)), width(Font::system(14)));
    ASSERT_TRUE(FontRegistry::registerFontFile(resources + "/Rocket.ttf", name));
    EXPECT_EQ(width(Font::named(name, 14)), width(Font::named("Rocket", 14)));
}

// Measuring from several threads at once gives what one thread measures.
TEST(Text, MeasuringFromManyThreadsAgreesWithOne) {
    registerSampleFonts();
    auto text = [](int i) { return AttributedText("Value " + std::to_string(i % 97), Font::named("Rocket", 10 + i % 5)); };
    std::vector<CGSize> expected;
    for (int i = 0; i < 400; ++i) expected.push_back(TextLayout::size(text(i)));
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 400; ++i) {
                const int k = (i * 7 + t * 13) % 400;
                if (TextLayout::size(text(k)) != expected[std::size_t(k)]) ++mismatches;
            }
        });
    for (auto& th : threads) th.join();
    EXPECT_EQ(mismatches, 0);
}

// Drawn text is laid out once and drawn again from memory: a new colour or a face registered
// since must still show.
TEST(Text, DrawingAgainShowsTheNewColourAndTheFaceRegisteredSince) {
    registerSampleFonts();
    auto draw = [](const AttributedText& text) {
        CGContext ctx({80, 24}, true);
        ctx.drawText(text, {2, 2, 76, 20});
        return ctx.makeImage();
    };
    auto dominant = [](const CGImage& img) {
        double r = 0, b = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                auto p = img.pixel(x, y);
                r += p.r * p.a;
                b += p.b * p.a;
            }
        return r > b ? 'r' : 'b';
    };
    const Font rocket = Font::named("Rocket", 16);
    EXPECT_EQ(dominant(*draw(AttributedText("RESET", rocket, CGColor::sRGB(1, 0, 0)))), 'r');
    EXPECT_EQ(dominant(*draw(AttributedText("RESET", rocket, CGColor::sRGB(0, 0, 1)))), 'b');

    const std::string name = "LateFace-Drawn";
    const AttributedText late("RESET", Font::named(name, 16));
    const auto fallback = draw(late);
    ASSERT_TRUE(FontRegistry::registerFontFile(resources + "/Rocket.ttf", name));
    const auto registered = draw(late);
    EXPECT_FALSE(*registered == *fallback);
    EXPECT_TRUE(*registered == *draw(AttributedText("RESET", rocket)));
}

// Fully transparent text paints nothing, alone or beside a run that shows; its background too.
TEST(Text, AFullyTransparentColourPaintsNothing) {
    auto painted = [](const AttributedText& text) {
        CGContext ctx({80, 24}, true);
        ctx.drawText(text, {2, 2, 76, 20});
        return paintedBounds(*ctx.makeImage(), 1);
    };
    EXPECT_TRUE(painted(AttributedText("Hidden", Font::system(14), CGColor::clear())).isEmpty());
    EXPECT_TRUE(painted(AttributedText("Hidden", Font::system(14), CGColor::sRGB(1, 0, 0, 0))).isEmpty());
    AttributedText mixed("Shown", Font::system(14), CGColor::black());
    mixed.append({" hidden", Font::system(14), CGColor::clear(), CGColor::clear()});
    const auto both = painted(mixed);
    EXPECT_FALSE(both.isEmpty());
    EXPECT_LE(both.maxX(), 2 + TextLayout::size(AttributedText("Shown", Font::system(14))).width + 1);
}

// Wrapped text breaks before or after an address, never inside it, at whatever width: a
// longer one than the line stays whole and overflows. The words around it still wrap, and
// nothing of the text is lost.
TEST(Text, WrappingKeepsEveryAddressOnOneLine) {
    const Font f = Font::system(11);
    const std::string longAddress = "https://updates.example.com/feeds/vantrel-zellow/stable/appcast-with-a-rather-long-name.xml";
    struct Case {
        std::string text;
        std::vector<std::string> addresses;
    } cases[] = {
        {"The update feed could not be loaded: Could not resolve host: updates.example.com "
         "(https://updates.example.com/appcast.xml)",
         {"(https://updates.example.com/appcast.xml)"}},
        {"See https://example.com/help/vantrelzellow/welcome/ and ftp://files.example.com/pub/x.tar.gz for more.",
         {"https://example.com/help/vantrelzellow/welcome/", "ftp://files.example.com/pub/x.tar.gz"}},
        {"Not found: " + longAddress + ".", {longAddress + "."}},
    };
    for (const auto& c : cases) {
        const AttributedText text(c.text, f);
        const CGFloat full = TextLayout::size(text).width;
        for (CGFloat width = 60; width < full; width += 7) {
            const auto lines = TextLayout::lines(text, width);
            EXPECT_GT(lines.size(), 1u) << width;
            std::string joined, shown;
            for (const auto& l : lines) {
                joined += l;
                shown += "[" + l + "]";
            }
            EXPECT_EQ(joined, c.text) << width;
            for (const auto& address : c.addresses) {
                bool whole = false;
                for (const auto& l : lines) whole |= l.find(address) != std::string::npos;
                EXPECT_TRUE(whole) << address << " at width " << width << ": " << shown;
            }
        }
    }
}
