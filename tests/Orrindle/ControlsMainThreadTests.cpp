#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ControlTestSupport.hpp"
#include "Foundation/Notification.hpp"
#include "Orrindle/Buttons/BackButton.hpp"
#include "Orrindle/Buttons/CornerButton.hpp"
#include "Orrindle/Buttons/CursorButton.hpp"
#include "Orrindle/Buttons/DarkHighlightButton.hpp"
#include "Orrindle/Buttons/FavouriteCheckBox.hpp"
#include "Orrindle/Buttons/PopUpCyclingButton.hpp"
#include "Orrindle/Buttons/StyledCheckBox.hpp"
#include "Orrindle/Buttons/TessikPushButton.hpp"
#include "Orrindle/Buttons/ToolButton.hpp"
#include "Orrindle/ComboBoxes/StyledComboBox.hpp"
#include "Orrindle/PopUps/StyledPopDownButton.hpp"
#include "Orrindle/PopUps/StyledPopUpButton.hpp"
#include "Orrindle/PopUps/ToolPopUpButton.hpp"
#include "Orrindle/Popovers/SimpleTextViewPopover.hpp"
#include "Orrindle/SearchFields/StyledSearchFieldWrapper.hpp"
#include "Orrindle/SegmentedControls/StyledSegmentedControl.hpp"
#include "Orrindle/Settings/PobbleSegmentedControl.hpp"
#include "Orrindle/Settings/PobbleSettings.hpp"
#include "Orrindle/Settings/PobbleSettingsDivider.hpp"
#include "Orrindle/Settings/PobbleSettingsSection.hpp"
#include "Orrindle/Settings/PobbleSlider.hpp"
#include "Orrindle/Settings/SheetWindow.hpp"
#include "Orrindle/Sliders/TrackingSlider.hpp"
#include "Orrindle/TextFields/TessikStyledTextField.hpp"
#include "Orrindle/Views/FlippedView.hpp"
#include "Orrindle/Views/NoDividerSplitView.hpp"
#include "Orrindle/Views/StyledFlippedView.hpp"
#include "SwiftUI/ViewGraph.hpp"
#include "TestSupport/ButtonActions.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

namespace {

using namespace Orrindle;
using namespace OrrindleTest;

constexpr const char* offMainThread = "this code must run on the main actor";

class ControlsOffTheMainThread : public ControlTest {};

// The kit's controls, views, popover and settings views are main-thread only: each entry point
// called from another thread stops the program with the kit's message, before it changes
// anything.
TEST_F(ControlsOffTheMainThread, StopTheProgramBeforeChangingAnything) {
    const CGRect frame{0, 0, 80, 24};
    auto styled = place(Runtime::make<StyledButton>(frame));
    auto push = place(Runtime::make<TessikPushButton>(frame));
    auto check = place(Runtime::make<StyledCheckBox>(frame));
    auto star = place(Runtime::make<FavouriteCheckBox>(frame));
    auto back = place(Runtime::make<BackButton>(frame));
    auto corner = place(Runtime::make<CornerButton>(frame));
    auto tool = place(Runtime::make<ToolButton>(frame));
    auto cursor = place(Runtime::make<CursorButton>(frame));
    auto cycling = place(Runtime::make<PopUpCyclingButton>(frame));
    auto dark = place(Runtime::make<DarkHighlightButton>(frame));
    auto popUp = place(Runtime::make<StyledPopUpButton>(frame, false, std::nullopt));
    auto popDown = place(Runtime::make<StyledPopDownButton>(frame));
    auto toolPopUp = place(Runtime::make<ToolPopUpButton>(frame, false, std::nullopt));
    auto combo = place(Runtime::make<StyledComboBox>(frame));
    auto down = event(AppKit::EventType::leftMouseDown, *corner, {5, 5});

    auto image = place(Runtime::make<ClickableImageView>(frame));
    int clicks = 0;
    auto clickCount = image->clicked()->sink([&](std::monostate) { ++clicks; });
    auto imageDown = event(AppKit::EventType::leftMouseDown, *image, {5, 5});
    auto flipped = place(Runtime::make<FlippedView>(frame));
    auto split = place(Runtime::make<NoDividerSplitView>(frame));
    auto styledFlipped = place(Runtime::make<StyledFlippedView>(frame));
    auto segmented = place(Runtime::make<StyledSegmentedControl>(frame));
    segmented->setSegmentCount(2);
    segmented->setLabel("Notes", 0);
    const CGFloat segmentWidth = segmented->styledCell()->width(0);
    auto search = place(Runtime::make<StyledSearchField>(frame));
    std::string searchText = "kept";
    const StyledSearchFieldWrapper searchWrapper(SwiftUI::Binding<std::string>([&] { return searchText; }, [&](std::string t) { searchText = t; }),
                                                 "Search");
    auto searchCoordinator = searchWrapper.makeCoordinator();
    auto tracking = place(Runtime::make<TrackingSlider>(frame));
    auto popoverController = Runtime::make<SimpleTextViewPopoverController>();
    std::string typed = "kept";
    int editingChanges = 0;
    const TessikStyledTextField textWrapper(std::nullopt, SwiftUI::Binding<std::string>([&] { return typed; }, [&](std::string t) { typed = t; }),
                                            [&](bool) { ++editingChanges; });
    auto textCoordinator = textWrapper.makeCoordinator();
    auto textField = place(Runtime::make<AppKit::NSTextField>(frame));
    textField->setStringValue("typed");
    auto segmentModel = PobbleSegmentedControlModel::make({PobbleSegmentItem::make(1, "One"), PobbleSegmentItem::make(2, "Two")});
    const PobbleSegmentedControl segments(segmentModel);
    SwiftUI::ViewGraph segmentsGraph(SwiftUI::AnyView(segments), {200, 30});
    segmentsGraph.update();
    const auto segmentActions = TestSupport::buttonActions(*segmentsGraph.root());
    auto sliderModel = PobbleSliderModel::make({0.5}, 0.25, 0, 1, 0.1, SliderIconClickBehaviour::increment);
    const SwiftUI::Image icon(std::make_shared<CoreGraphics::ImageAsset>("icon", CoreGraphics::CGSize{10, 10}));
    const PobbleSlider slider(sliderModel, icon, icon);
    SwiftUI::ViewGraph sliderGraph(SwiftUI::AnyView(slider), {200, 24});
    sliderGraph.update();
    const auto sliderActions = TestSupport::buttonActions(*sliderGraph.root());
    ASSERT_EQ(segmentActions.size(), 2u);
    ASSERT_EQ(sliderActions.size(), 2u);
    const PobbleSettings settings(120, 300, [] { return SwiftUI::AnyView(PobbleSettingsDivider()); });
    const PobbleSettingsSection section("Label", [] { return SwiftUI::AnyView(PobbleSettingsDivider()); });
    auto sheet = AppKit::NSWindow::make(CGRect{0, 0, 300, 200});
    auto sheetWindow = SheetWindow::make({200, 100});
    sheet->beginSheet(sheetWindow);

    struct Entry {
        const char* name;
        std::function<void()> call;
    };
    const std::vector<Entry> entries = {
        {"StyledButton setSelected", [&] { styled->setSelected(true); }},
        {"StyledButton isSelected", [&] { (void)styled->isSelected(); }},
        {"StyledButton intrinsicContentSize", [&] { (void)styled->intrinsicContentSize(); }},
        {"StyledButton setFixedWidth", [&] { styled->setFixedWidth(120.0); }},
        {"StyledButtonCell setSelected", [&] { styled->styledCell()->setSelected(true); }},
        {"StyledButtonCell controlState", [&] { (void)styled->styledCell()->controlState(); }},
        {"StyledButtonCell titleRect", [&] { (void)styled->styledCell()->titleRect(frame); }},
        {"TessikPushButton setSelected", [&] { push->setSelected(true); }},
        {"TessikPushButton intrinsicContentSize", [&] { (void)push->intrinsicContentSize(); }},
        {"TessikPushButtonCell setEdgeInsets", [&] { push->pushCell()->setEdgeInsets({}); }},
        {"StyledCheckBoxCell nextState", [&] { (void)check->cell()->nextState(); }},
        {"FavouriteCheckBox mouseDown", [&] { star->mouseDown(*down); }},
        {"BackButton setAlphaValue", [&] { back->setAlphaValue(0); }},
        {"CornerButton setAlternateMenu", [&] { corner->setAlternateMenu(AppKit::NSMenu::make("Menu")); }},
        {"CornerButton mouseDown", [&] { corner->mouseDown(*down); }},
        {"ToolButton setShowMoreIcon", [&] { tool->setShowMoreIcon(true); }},
        {"ToolButton intrinsicContentSize", [&] { (void)tool->intrinsicContentSize(); }},
        {"CursorButton setCursorHotSpot", [&] { cursor->setCursorHotSpot({0, 0}); }},
        {"CursorButton updateTrackingAreas", [&] { cursor->updateTrackingAreas(); }},
        {"CursorButtonCell highlight", [&] { cursor->cell()->highlight(true, frame, *cursor); }},
        {"PopUpCyclingButton sendAction", [&] { (void)cycling->sendAction("primary:", nullptr); }},
        {"DarkHighlightButton setCustomCursor", [&] { dark->setCustomCursor(nullptr); }},
        {"StyledPopUpButton setLabel", [&] { popUp->setLabel("Key"); }},
        {"StyledPopUpButton intrinsicContentSize", [&] { (void)popUp->intrinsicContentSize(); }},
        {"StyledPopUpButtonCell setLabel", [&] { popUp->styledCell()->setLabel("Key"); }},
        {"StyledPopDownButton setTitle", [&] { popDown->setTitle("Actions"); }},
        {"StyledPopDownButton setLabel", [&] { popDown->setLabel("Key"); }},
        {"StyledPopDownButton intrinsicContentSize", [&] { (void)popDown->intrinsicContentSize(); }},
        {"ToolPopUpButton intrinsicContentSize", [&] { (void)toolPopUp->intrinsicContentSize(); }},
        {"StyledComboBox intrinsicContentSize", [&] { (void)combo->intrinsicContentSize(); }},
        {"StyledComboBox applySelectedValue", [&] { combo->applySelectedValue(); }},
        {"StyledComboBoxCell setPopupOpen", [&] { combo->styledCell()->setPopupOpen(true); }},
        {"ClickableImageView init", [&] { (void)Runtime::make<ClickableImageView>(frame); }},
        {"ClickableImageView intrinsicContentSize", [&] { (void)image->intrinsicContentSize(); }},
        {"ClickableImageView handleClickGesture", [&] { image->handleClickGesture(nullptr); }},
        {"ClickableImageView acceptsFirstMouse", [&] { (void)image->acceptsFirstMouse(imageDown.get()); }},
        {"ClickableImageView mouseDown", [&] { image->mouseDown(*imageDown); }},
        {"ClickableImageView setClicked", [&] { image->setClicked(ClickableImageView::Clicked::make()); }},
        {"FlippedView init", [&] { (void)Runtime::make<FlippedView>(frame); }},
        {"FlippedView isFlipped", [&] { (void)flipped->isFlipped(); }},
        {"NoDividerSplitView dividerThickness", [&] { (void)split->dividerThickness(); }},
        {"NoDividerSplitView drawDivider", [&] { split->drawDivider(frame); }},
        {"StyledFlippedView init", [&] { (void)Runtime::make<StyledFlippedView>(frame); }},
        {"StyledFlippedView isFlipped", [&] { (void)styledFlipped->isFlipped(); }},
        {"StyledSegmentedControl setHideSelection", [&] { segmented->setHideSelection(false); }},
        {"StyledSegmentedControl intrinsicContentSize", [&] { (void)segmented->intrinsicContentSize(); }},
        {"StyledSegmentedCell setHideSelection", [&] { segmented->styledCell()->setHideSelection(false); }},
        {"StyledSegmentedCell segmentState", [&] { (void)segmented->styledCell()->segmentState(0); }},
        {"StyledSegmentedCell setWidth", [&] { segmented->styledCell()->setWidth(5, 0); }},
        {"StyledSearchField setVerticallyCenter", [&] { search->setVerticallyCenter(false); }},
        {"StyledSearchField intrinsicContentSize", [&] { (void)search->intrinsicContentSize(); }},
        {"StyledSearchFieldCell setShowsSearchIcon", [&] { search->styledCell()->setShowsSearchIcon(false); }},
        {"StyledSearchFieldCell setPlaceholderString", [&] { search->styledCell()->setPlaceholderString("Find"); }},
        {"StyledSearchFieldCell searchTextRect", [&] { (void)search->styledCell()->searchTextRect(frame); }},
        {"StyledSearchFieldWrapper makeCoordinator", [&] { (void)searchWrapper.makeCoordinator(); }},
        {"StyledSearchFieldWrapper filterContents", [&] { searchCoordinator->filterContents(search.get()); }},
        {"TrackingSlider setDoubleValue", [&] { tracking->setDoubleValue(0.5); }},
        {"TrackingSlider doubleValue", [&] { (void)tracking->doubleValue(); }},
        {"TrackingSlider step", [&] { tracking->step(true, 1); }},
        {"TrackingSlider setIncrementBy", [&] { tracking->setIncrementBy(0.5); }},
        {"TrackingSlider updateTrackingAreas", [&] { tracking->updateTrackingAreas(); }},
        {"SimpleTextViewPopoverController init", [&] { (void)Runtime::make<SimpleTextViewPopoverController>(); }},
        {"SimpleTextViewPopoverController show", [&] { popoverController->show("Too high", image, AppKit::NSRectEdge::maxX); }},
        {"SimpleTextViewPopover close", [&] { popoverController->popover()->close(); }},
        {"TessikStyledTextField controlTextDidChange", [&] { textCoordinator->controlTextDidChange(Foundation::Notification("changed", textField.get())); }},
        {"TessikStyledTextField controlTextDidEndEditing", [&] { textCoordinator->controlTextDidEndEditing(Foundation::Notification("ended", textField.get())); }},
        {"PobbleSegmentedControl body", [&] { (void)segments.body(); }},
        {"PobbleSegmentedControl button action", [&] { segmentActions[0](); }},
        {"PobbleSettings body", [&] { (void)settings.body(); }},
        {"PobbleSettingsSection body", [&] { (void)section.body(); }},
        {"PobbleSettingsDivider body", [&] { (void)PobbleSettingsDivider().body(); }},
        {"PobbleSlider body", [&] { (void)slider.body(); }},
        {"PobbleSlider icon action", [&] { sliderActions[1](); }},
        {"PobbleSlider handleDragChanged", [&] { slider.handleDragChanged({{150, 12}, {150, 12}, {}, {150, 12}}); }},
        {"PobbleSlider handleDragEnded", [&] { slider.handleDragEnded({{150, 12}, {150, 12}, {}, {150, 12}}); }},
        {"SheetWindow make", [&] { (void)SheetWindow::make({200, 100}); }},
        {"SheetWindow canBecomeKeyWindow", [&] { (void)sheetWindow->canBecomeKeyWindow(); }},
        {"SheetWindow cancelOperation", [&] { sheetWindow->cancelOperation(nullptr); }},
    };
    for (const auto& entry : entries) EXPECT_EQ(TestSupport::fatalErrorOnAnotherThread(entry.call), offMainThread) << entry.name;

    // Nothing was changed on the way.
    EXPECT_FALSE(styled->isSelected());
    EXPECT_EQ(styled->fixedWidth(), std::nullopt);
    EXPECT_FALSE(push->isSelected());
    EXPECT_EQ(push->pushCell()->edgeInsets(), (AppKit::NSEdgeInsets{3, 4, 5, 4}));
    EXPECT_EQ(back->alphaValue(), 1);
    EXPECT_FALSE(back->isHidden());
    EXPECT_EQ(corner->alternateMenu(), nullptr);
    EXPECT_FALSE(tool->showMoreIcon());
    EXPECT_EQ(cursor->cursorHotSpot(), (CGPoint{3, 4}));
    EXPECT_NE(dark->customCursor(), nullptr);
    EXPECT_EQ(popUp->label(), std::nullopt);
    EXPECT_EQ(popUp->styledCell()->label(), std::nullopt);
    EXPECT_EQ(popDown->label(), std::nullopt);
    EXPECT_FALSE(combo->styledCell()->isPopupOpen());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(image->alphaValue(), 1);
    EXPECT_TRUE(segmented->hideSelection());
    EXPECT_EQ(segmented->styledCell()->width(0), segmentWidth);
    EXPECT_TRUE(search->verticallyCenter());
    EXPECT_TRUE(search->styledCell()->showsSearchIcon());
    EXPECT_EQ(search->styledCell()->placeholderString(), std::nullopt);
    EXPECT_EQ(searchText, "kept");
    EXPECT_EQ(tracking->doubleValue(), 0);
    EXPECT_FALSE(tracking->valueWasEdited());
    EXPECT_EQ(tracking->incrementBy(), 0.01);
    EXPECT_FALSE(popoverController->popover()->isShown());
    EXPECT_EQ(popoverController->popover()->contentTextField()->stringValue(), "");
    EXPECT_EQ(typed, "kept");
    EXPECT_EQ(editingChanges, 0);
    EXPECT_EQ(segmentModel->selectedItem(), nullptr);
    EXPECT_EQ(sliderModel->value(), 0.5);
    EXPECT_EQ(sheetWindow->sheetParent(), sheet);

    // The same calls on the main thread report nothing.
    for (const std::string name : {"StyledButton setSelected", "StyledPopUpButton setLabel", "StyledPopDownButton setLabel",
                                   "StyledSegmentedControl setHideSelection", "TrackingSlider setDoubleValue",
                                   "PobbleSegmentedControl button action"}) {
        TestSupport::CaptureFatalErrors capture;
        for (const auto& entry : entries) {
            if (entry.name == name) {
                EXPECT_NO_THROW(entry.call()) << name;
            }
        }
    }
    EXPECT_TRUE(styled->isSelected());
    EXPECT_EQ(popUp->label(), "Key");
    EXPECT_EQ(popDown->label(), "Key");
    EXPECT_FALSE(segmented->hideSelection());
    EXPECT_EQ(tracking->doubleValue(), 0.5);
    ASSERT_NE(segmentModel->selectedItem(), nullptr);
    EXPECT_EQ(segmentModel->selectedItem()->id(), 1);
    sheet->endSheet(sheetWindow);
}

// Without a test's handler the message is printed and the program stops.
TEST_F(ControlsOffTheMainThread, TheDefaultHandlerStopsTheProgramWithTheMessage) {
    auto styled = place(Runtime::make<StyledButton>(CGRect{0, 0, 80, 24}));
    EXPECT_DEATH(std::thread([&] { styled->setSelected(true); }).join(), offMainThread);
}

}  // namespace
