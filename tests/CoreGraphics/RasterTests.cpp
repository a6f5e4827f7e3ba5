#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/RasterPlayer.hpp"

using namespace CoreGraphics;

namespace {
const CGColor red = CGColor::sRGB(1, 0, 0);
const CGColor blue = CGColor::sRGB(0, 0, 1);

void expectColor(const CGImage& img, int x, int y, DisplayColor want, double tol = 0.02) {
    auto got = img.pixel(x, y);
    EXPECT_NEAR(got.r, want.r, tol) << "at " << x << "," << y;
    EXPECT_NEAR(got.g, want.g, tol) << "at " << x << "," << y;
    EXPECT_NEAR(got.b, want.b, tol) << "at " << x << "," << y;
    EXPECT_NEAR(got.a, want.a, tol) << "at " << x << "," << y;
}

// A bitmap whose top half is red and bottom half blue, so orientation shows.
ImageRef twoToneImage(const std::string& name, bool isTemplate = false) {
    auto bmp = CGImage::make(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) bmp->setPixel(x, y, y < 5 ? DisplayColor{1, 0, 0, 1} : DisplayColor{0, 0, 1, 1});
    return ImageAsset::fromBitmap(name, bmp, 1, isTemplate);
}
}  // namespace

TEST(DisplayList, RecordsEveryOperationWithItsState) {
    CGContext ctx({100, 50}, true);
    ctx.saveGState();
    ctx.translateBy(10, 5);
    ctx.setAlpha(0.5);
    ctx.setFillColor(red);
    ctx.fill(CGPath::roundedRect({0, 0, 20, 10}, 3));
    ctx.setStrokeColor(blue);
    ctx.setLineWidth(2);
    ctx.setLineCap(LineCap::round);
    ctx.stroke(CGRect{1, 1, 5, 5});
    ctx.clip(CGRect{0, 0, 50, 20});
    auto img = twoToneImage("knobs/dial-01");
    ctx.draw(img, {0, 0, 10, 10}, {}, CompositingOperation::sourceAtop, 0.25, true);
    ctx.drawText(AttributedText("Hi", Font::named("Rocket", 14), blue), {0, 0, 40, 20});
    ctx.restoreGState();
    ctx.restoreGState();  // unmatched: ignored, not recorded

    const auto& list = ctx.displayList();
    ASSERT_EQ(list.size(), 7u);
    auto fills = list.all<Op::Fill>();
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->color, red);
    EXPECT_EQ(fills[0]->state.transform, CGAffineTransform::translation(10, 5));
    EXPECT_EQ(fills[0]->state.alpha, 0.5);
    EXPECT_EQ(fills[0]->path.shapes()[0].radii, CornerRadii::all(3));
    auto strokes = list.all<Op::Stroke>();
    EXPECT_EQ(strokes[0]->lineWidth, 2);
    EXPECT_EQ(strokes[0]->cap, LineCap::round);
    auto images = list.all<Op::Image>();
    EXPECT_EQ(images[0]->name, "knobs/dial-01");
    EXPECT_EQ(images[0]->state.operation, CompositingOperation::sourceAtop);
    EXPECT_EQ(images[0]->fraction, 0.25);
    auto texts = list.all<Op::Text>();
    EXPECT_EQ(texts[0]->text.runs[0].font.name, "Rocket");
    EXPECT_EQ(texts[0]->text.runs[0].font.size, 14);
    EXPECT_EQ(list.imageNames(), std::vector<std::string>{"knobs/dial-01"});
    EXPECT_EQ(list.texts(), std::vector<std::string>{"Hi"});
    EXPECT_EQ(ctx.ctm(), CGAffineTransform::identity());
    EXPECT_EQ(ctx.alpha(), 1);
}

TEST(DisplayList, CurrentContextOnlyInsideADrawingPass) {
    EXPECT_EQ(CGContext::current(), nullptr);
    CGContext outer({10, 10}), inner({5, 5});
    {
        CGContext::CurrentScope a(&outer);
        EXPECT_EQ(CGContext::current(), &outer);
        {
            CGContext::CurrentScope b(&inner);
            EXPECT_EQ(CGContext::current(), &inner);
            CGContext* seen = &outer;
            std::thread([&] { seen = CGContext::current(); }).join();
            EXPECT_EQ(seen, nullptr);  // per thread
        }
        EXPECT_EQ(CGContext::current(), &outer);
    }
    EXPECT_EQ(CGContext::current(), nullptr);
}

TEST(Raster, FillInsideTransparentOutsideAndRoundedCornerClipped) {
    for (CGFloat scale : {1.0, 2.0}) {
        CGContext ctx({40, 40}, true, scale);
        ctx.setFillColor(red);
        ctx.fill(CGPath::roundedRect({0, 0, 30, 30}, 10));
        auto img = ctx.makeImage();
        ASSERT_EQ(img->width(), int(40 * scale));
        auto px = [&](double x, double y) { return std::pair{int(x * scale), int(y * scale)}; };
        auto [ix, iy] = px(15, 15);
        expectColor(*img, ix, iy, {1, 0, 0, 1});
        auto [ox, oy] = px(35, 35);
        expectColor(*img, ox, oy, {0, 0, 0, 0});
        auto [cx, cy] = px(0.5, 0.5);  // the rounded corner's pixel stays clear
        expectColor(*img, cx, cy, {0, 0, 0, 0});
        auto [ex, ey] = px(15, 0.5);  // the straight top edge is filled
        expectColor(*img, ex, ey, {1, 0, 0, 1});
    }
}

TEST(Raster, YUpContextsPutTheOriginBottomLeft) {
    CGContext ctx({20, 20});  // not flipped
    ctx.setFillColor(blue);
    ctx.fill(CGRect{0, 0, 10, 10});
    auto img = ctx.makeImage();
    expectColor(*img, 2, 17, {0, 0, 1, 1});
    expectColor(*img, 2, 2, {0, 0, 0, 0});
    EXPECT_FALSE(ctx.isFlipped());
    ctx.translateBy(0, 20);
    ctx.scaleBy(1, -1);
    EXPECT_TRUE(ctx.isFlipped());
}

TEST(Raster, ImagesShowUprightUnlessFlippedSpaceIsNotRespected) {
    struct Case {
        bool flippedContext, respectFlipped;
        bool redOnTop;
    };
    for (auto c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, true}, Case{false, false, true}}) {
        CGContext ctx({10, 10}, c.flippedContext);
        ctx.draw(twoToneImage("two-tone"), {0, 0, 10, 10}, {}, CompositingOperation::sourceOver, 1, c.respectFlipped);
        auto img = ctx.makeImage();
        DisplayColor top = c.redOnTop ? DisplayColor{1, 0, 0, 1} : DisplayColor{0, 0, 1, 1};
        expectColor(*img, 5, 1, top);
        SCOPED_TRACE(testing::Message() << "flipped " << c.flippedContext << " respect " << c.respectFlipped);
    }
}

TEST(Raster, ImageFractionAndSourceRectangle) {
    CGContext ctx({10, 10}, true);
    // The bottom (blue) half of the image stretched over the whole destination, at half opacity.
    ctx.draw(twoToneImage("two-tone"), {0, 0, 10, 10}, {0, 5, 10, 5}, CompositingOperation::sourceOver, 0.5);
    auto img = ctx.makeImage();
    expectColor(*img, 5, 1, {0, 0, 1, 0.5});
    expectColor(*img, 5, 8, {0, 0, 1, 0.5});
}

TEST(Raster, SourceInTintsATemplateWithinItsShape) {
    // A template mask: an opaque disc on clear.
    CGContext mask({20, 20}, true);
    mask.setFillColor(CGColor::black());
    mask.fill(CGPath::ellipse({0, 0, 20, 20}));
    auto templ = mask.makeImageAsset("dot", true);
    ASSERT_TRUE(templ->isTemplate());

    // Offscreen tinting: draw the mask, then fill with sourceIn, which reaches only inside
    // the filled shape.
    auto tinted = [&](CGRect fillRect) {
        CGContext tint({20, 20}, true);
        tint.draw(templ, {0, 0, 20, 20});
        tint.setCompositingOperation(CompositingOperation::sourceIn);
        tint.setFillColor(CGColor::sRGB(0, 1, 0));
        tint.fill(fillRect);
        return tint.makeImage();
    };
    auto whole = tinted({0, 0, 20, 20});
    expectColor(*whole, 10, 10, {0, 1, 0, 1});
    expectColor(*whole, 0, 0, {0, 0, 0, 0});
    auto half = tinted({0, 0, 10, 20});
    expectColor(*half, 5, 10, {0, 1, 0, 1});
    expectColor(*half, 15, 10, {0, 0, 0, 1});

    // Drawing a template with a tint does the same in one operation.
    CGContext direct({20, 20}, true);
    direct.draw(templ, {0, 0, 20, 20}, {}, CompositingOperation::sourceOver, 1, true, CGColor::sRGB(0, 1, 0));
    auto d = direct.makeImage();
    expectColor(*d, 10, 10, {0, 1, 0, 1});
    expectColor(*d, 0, 0, {0, 0, 0, 0});
}

TEST(Raster, SourceAtopKeepsTheDestinationAlpha) {
    CGContext ctx({20, 10}, true);
    ctx.setFillColor(red);
    ctx.fill(CGRect{0, 0, 10, 10});
    ctx.setCompositingOperation(CompositingOperation::sourceAtop);
    ctx.setFillColor(blue.withAlpha(0.5));
    ctx.fill(CGRect{0, 0, 20, 10});
    auto img = ctx.makeImage();
    expectColor(*img, 5, 5, {0.5, 0, 0.5, 1});
    expectColor(*img, 15, 5, {0, 0, 0, 0});
}

TEST(Raster, ClipSaveRestoreAndTransparencyLayers) {
    CGContext ctx({20, 20}, true);
    ctx.saveGState();
    ctx.clip(CGRect{0, 0, 10, 20});
    EXPECT_EQ(ctx.clipBoundingBox(), CGRect(0, 0, 10, 20));
    ctx.setFillColor(red);
    ctx.fill(CGRect{0, 0, 20, 10});
    ctx.restoreGState();
    ctx.beginTransparencyLayer(0.5);
    ctx.setFillColor(blue);
    ctx.fill(CGRect{0, 10, 20, 10});
    ctx.fill(CGRect{0, 10, 20, 10});  // twice, yet the layer as a whole is half opaque
    ctx.endTransparencyLayer();
    auto img = ctx.makeImage();
    expectColor(*img, 5, 5, {1, 0, 0, 1});
    expectColor(*img, 15, 5, {0, 0, 0, 0});
    expectColor(*img, 15, 15, {0, 0, 1, 0.5});
}

TEST(Raster, ReplayedListsFollowTheCurrentTransform) {
    CGContext piece({10, 10}, true);
    piece.setFillColor(red);
    piece.fill(CGRect{0, 0, 10, 10});
    CGContext ctx({30, 30}, true);
    ctx.translateBy(20, 20);
    ctx.replay(piece.displayList());
    auto img = ctx.makeImage();
    expectColor(*img, 25, 25, {1, 0, 0, 1});
    expectColor(*img, 5, 5, {0, 0, 0, 0});
}

TEST(Raster, DegenerateInputDrawsNothingAndDoesNotCrash) {
    CGContext ctx({10, 10}, true);
    ctx.scaleBy(0, 0);
    ctx.fill(CGRect{0, 0, 10, 10});
    ctx.draw(nullptr, {0, 0, 10, 10});
    ctx.endTransparencyLayer();
    auto img = ctx.makeImage();
    expectColor(*img, 5, 5, {0, 0, 0, 0});
    for (CGSize bad : {CGSize{0, 0}, CGSize{NAN, 10}, CGSize{-5, 10}, CGSize{1e12, 10}}) {
        auto empty = RasterPlayer::render(ctx.displayList(), bad);
        EXPECT_EQ(empty->width() * empty->height(), 0);
    }
}

TEST(PNG, RoundTripKeepsPixels) {
    CGContext ctx({16, 8}, true);
    ctx.setFillColor(CGColor::sRGB(0.2, 0.6, 1, 0.5));
    ctx.fill(CGPath::ellipse({0, 0, 16, 8}));
    auto img = ctx.makeImage();
    auto path = (std::filesystem::temp_directory_path() / "vz-cg-roundtrip.png").string();
    std::string error;
    ASSERT_TRUE(img->writePNG(path, &error)) << error;
    auto back = CGImage::readPNG(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, *img);
    std::filesystem::remove(path);

    EXPECT_EQ(CGImage::readPNG("/nonexistent/none.png"), nullptr);
    EXPECT_FALSE(img->writePNG("/nonexistent/dir/x.png", &error));
    EXPECT_NE(error.find("/nonexistent/dir/x.png"), std::string::npos);
}

// A file opened for later decoding has its size at once and the same pixels as one read whole,
// also in a copy; a damaged body decodes to a transparent picture of the header's size, and a
// file that is no PNG is refused when it is opened.
TEST(PNG, AnOpenedFileDecodesWhenItsPixelsAreFirstNeeded) {
    CGContext ctx({12, 6}, true);
    ctx.setFillColor(CGColor::sRGB(1, 0.4, 0, 0.8));
    ctx.fill(CGPath::ellipse({0, 0, 12, 6}));
    auto img = ctx.makeImage();
    const auto dir = std::filesystem::temp_directory_path() / "vz-cg-open";
    std::filesystem::create_directories(dir);
    const auto good = (dir / "good.png").string(), cut = (dir / "cut.png").string(), text = (dir / "text.png").string();
    ASSERT_TRUE(img->writePNG(good));
    std::string bytes;
    {
        std::ifstream in(good, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, 40);
    std::ofstream(text) << "not a picture at all, only words";

    auto opened = CGImage::openPNG(good);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->size(), (CGSize{12, 6}));
    const CGImage copy = *opened;
    EXPECT_EQ(copy, *img);
    EXPECT_EQ(*opened, *img);

    auto damaged = CGImage::openPNG(cut);
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->size(), (CGSize{12, 6}));
    EXPECT_EQ(*damaged, CGImage(12, 6));

    EXPECT_EQ(CGImage::openPNG(text), nullptr);
    EXPECT_EQ(CGImage::openPNG((dir / "missing.png").string()), nullptr);
    std::filesystem::remove_all(dir);
}

TEST(Raster, LayerShadowsFollowTheLayersAlphaMovedAndBlurred) {
    auto draw = [](CGFloat blur) {
        CGContext ctx({40, 40}, true);
        ctx.beginTransparencyLayer(1, Shadow{{0, 6}, blur, CGColor::black()});
        ctx.setFillColor(red);
        ctx.fill(CGRect{10, 10, 20, 10});
        ctx.endTransparencyLayer();
        return ctx.makeImage();
    };
    auto sharp = draw(0);
    expectColor(*sharp, 20, 15, {1, 0, 0, 1});  // the picture over its shadow
    expectColor(*sharp, 20, 23, {0, 0, 0, 1});  // the shadow, 6 points down
    expectColor(*sharp, 20, 27, {0, 0, 0, 0});
    auto soft = draw(8);
    expectColor(*soft, 20, 15, {1, 0, 0, 1});
    double edge = soft->pixel(20, 26).a;  // the shadow's bottom edge goes soft
    EXPECT_GT(edge, 0.05);
    EXPECT_LT(edge, 0.95);
    EXPECT_EQ(soft->pixel(20, 39).a, 0);
}
