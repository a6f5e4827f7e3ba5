#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ControlTestSupport.hpp"
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
#include "TestSupport/FatalErrorCapture.hpp"

namespace {

using namespace Orrindle;
using namespace OrrindleTest;

constexpr const char* offMainThread = "this code must run on the main actor";

class ControlsOffTheMainThread : public ControlTest {};

// The kit's buttons, pop-ups and combo box are main-thread only: each entry point called from
// another thread stops the program with the kit's message, before it changes anything.
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

    // The same calls on the main thread report nothing.
    for (const std::string name : {"StyledButton setSelected", "StyledPopUpButton setLabel", "StyledPopDownButton setLabel"}) {
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
}

// Without a test's handler the message is printed and the program stops.
TEST_F(ControlsOffTheMainThread, TheDefaultHandlerStopsTheProgramWithTheMessage) {
    auto styled = place(Runtime::make<StyledButton>(CGRect{0, 0, 80, 24}));
    EXPECT_DEATH(std::thread([&] { styled->setSelected(true); }).join(), offMainThread);
}

}  // namespace
