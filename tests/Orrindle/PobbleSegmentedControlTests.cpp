#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "Orrindle/Resources/ODColors.hpp"
#include "Orrindle/Settings/PobbleSegmentedControl.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Orrindle;
using namespace SwiftUI;

class SegmentedView : public TestSupport::VirtualTimeTest {
protected:
    void host(std::vector<PobbleSegmentItem::Ptr> items) {
        model = PobbleSegmentedControlModel::make(std::move(items));
        model->setOnSelectionChanged([this](const PobbleSegmentedControlModel::Item& item) {
            heard.push_back(item ? std::optional(item->id()) : std::nullopt);
        });
        graph = std::make_unique<ViewGraph>(AnyView(PobbleSegmentedControl(model)).accessibilityIdentifier("row"), CGSize{400, 40});
        drain();
    }
    // The segments' buttons, left to right.
    std::vector<const RenderNode*> segments() {
        return graph->renderTree().findAll([](const RenderNode& n) { return n.traits.contains(AccessibilityTraits::isButton()); });
    }
    // The tab image and the text colour of the segment showing `title`.
    std::pair<std::string, Color> look(const std::string& title) {
        for (auto* s : segments())
            if (auto* text = s->findText(title)) {
                auto* image = s->find([](const RenderNode& n) { return n.kind == RenderNode::Kind::image; });
                return {image ? image->imageName : "", text->color};
            }
        ADD_FAILURE() << "no segment " << title;
        return {};
    }

    std::shared_ptr<PobbleSegmentedControlModel> model;
    std::vector<std::optional<int>> heard;
    std::unique_ptr<ViewGraph> graph;
};

TEST_F(SegmentedView, SegmentsTouchOnTabsOfTheirOwnSizeAndShowTheSelection) {
    host({PobbleSegmentItem::make(1, "Straight"), PobbleSegmentItem::make(2, "Swing"), PobbleSegmentItem::make(3, "Shuffle")});
    model->select(2);
    drain();
    auto all = segments();
    ASSERT_EQ(all.size(), 3u);
    for (std::size_t i = 0; i + 1 < all.size(); ++i) EXPECT_DOUBLE_EQ(all[i]->frame.maxX(), all[i + 1]->frame.minX());
    for (auto* s : all) {
        auto* tab = s->find([](const RenderNode& n) { return n.kind == RenderNode::Kind::image; });
        ASSERT_TRUE(tab && tab->image);
        EXPECT_EQ(tab->frame.size, tab->image->size()) << "the tab image at its own size";
        EXPECT_EQ(tab->frame.center(), s->frame.center());
        auto* text = s->find([](const RenderNode& n) { return n.kind == RenderNode::Kind::text; });
        EXPECT_EQ(text->font, Font::system(12, Font::Weight::medium));
        EXPECT_DOUBLE_EQ(s->frame.height(), text->frame.height() + 12);
        EXPECT_DOUBLE_EQ(s->frame.width(), std::max(text->frame.width() + 32, tab->frame.width()))
            << "the title padded 16 points at each side, and never narrower than its tab";
        EXPECT_EQ(text->frame.center().x, s->frame.center().x);
    }
    EXPECT_EQ(look("Straight"), (std::pair{std::string("kvu-window-tab"), ODColors::grey70()}));
    EXPECT_EQ(look("Swing"), (std::pair{std::string("kvu-window-tab-selected"), ODColors::grey85()}));

    model->setHideSelection(true);
    drain();
    EXPECT_EQ(look("Swing").first, "kvu-window-tab") << "a hidden selection shows on no segment";
    EXPECT_EQ(model->selectedItem()->id(), 2);
}

// A segment's tab never draws outside its segment: short titles beside a row's label leave the
// label alone and their neighbours' tabs too.
TEST_F(SegmentedView, ATabStaysWithinItsSegmentHoweverShortTheTitle) {
    model = PobbleSegmentedControlModel::make({PobbleSegmentItem::make(1, "Off"), PobbleSegmentItem::make(2, "On"),
                                               PobbleSegmentItem::make(3, "A much longer title")});
    graph = std::make_unique<ViewGraph>(AnyView(HStack(VerticalAlignment::center, 0,
                                                       {AnyView(Text::verbatim("Mode")).accessibilityIdentifier("label"),
                                                        AnyView(PobbleSegmentedControl(model))})),
                                        CGSize{400, 40});
    drain();
    const CGRect label = graph->renderTree().findText("Mode")->frame;
    for (auto* s : segments()) {
        auto* tab = s->find([](const RenderNode& n) { return n.kind == RenderNode::Kind::image; });
        ASSERT_TRUE(tab);
        EXPECT_GE(tab->frame.minX(), s->frame.minX()) << s->texts()[0];
        EXPECT_LE(tab->frame.maxX(), s->frame.maxX()) << s->texts()[0];
        EXPECT_GE(tab->frame.minX(), label.maxX()) << s->texts()[0] << " over the row's label";
    }
}

TEST_F(SegmentedView, APressedSegmentLooksDownEvenWhenSelectedAndAClickGoesToTheModel) {
    host({PobbleSegmentItem::make(1, "Straight"), PobbleSegmentItem::make(2, "Swing")});
    model->select(2);
    drain();
    const CGPoint swing = graph->renderTree().findText("Swing")->frame.center();
    graph->mouseDown(swing);
    drain();
    EXPECT_EQ(look("Swing"), (std::pair{std::string("kvu-window-tab-down"), ODColors::grey50()}));
    graph->mouseUp(swing);
    drain();
    EXPECT_EQ(model->selectedItem(), nullptr) << "a click on the selected segment deselects it";
    EXPECT_EQ(look("Swing"), (std::pair{std::string("kvu-window-tab"), ODColors::grey70()}));
    ASSERT_TRUE(graph->clickText("Straight"));
    EXPECT_EQ(model->selectedItem()->id(), 1);
    EXPECT_EQ(heard, (std::vector<std::optional<int>>{std::nullopt, 1}));
}

// A segment shows as selected when the selection has its id, whichever object carries it; a
// click on it is a click on the selected segment.
TEST_F(SegmentedView, TheSelectionIsFoundByIdNotByObject) {
    host({PobbleSegmentItem::make(1, "Straight"), PobbleSegmentItem::make(2, "Swing")});
    model->setSelectedItem(PobbleSegmentItem::make(2, "another object"));
    drain();
    EXPECT_EQ(look("Swing").first, "kvu-window-tab-selected");
    EXPECT_EQ(look("Straight").first, "kvu-window-tab");
    ASSERT_TRUE(graph->clickText("Swing"));
    EXPECT_EQ(model->selectedItem(), nullptr) << "deselected";
    EXPECT_EQ(heard, (std::vector<std::optional<int>>{std::nullopt}));
}

TEST_F(SegmentedView, NoItemsDrawAnEmptyRow) {
    host({});
    EXPECT_TRUE(segments().empty());
    EXPECT_TRUE(graph->renderTree().items().empty());
    model->setItems({PobbleSegmentItem::make(4, "Late")});
    drain();
    EXPECT_EQ(segments().size(), 1u) << "new items show";
}

}  // namespace
