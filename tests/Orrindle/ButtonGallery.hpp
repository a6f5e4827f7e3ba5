#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "SheetDrawing.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Buttons/BackButton.hpp"
#include "Orrindle/Buttons/CornerButton.hpp"
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
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Resources/ODColorsAK.hpp"
#include "Orrindle/Styles/Styles.hpp"

namespace OrrindleTest {

using AppKit::CGFloat;
using AppKit::CGRect;
using AppKit::CGSize;

// Every button, check box and pop-up of the kit in its states, at its natural size, in one
// window: the picture sheet draws it and the real-window test clicks on it.
class ButtonGallery {
public:
    enum class Look { normal, pressed, on, mixed, disabled, focused };
    struct Sample {
        std::string row, caption;
        AppKit::NSControl::Ptr control;
        Look look;
    };

    static constexpr CGFloat margin = 20, rowTitleWidth = 112, gap = 18, captionHeight = 16, menuRoom = 90;

    ButtonGallery() {
        container = Runtime::make<Flipped>(CGRect{0, 0, 100, 100});
        container_()->background = Orrindle::ODColorsAK::Background::normal();
        build();
        buildComboBoxes();
        layOut();
        window = AppKit::NSWindow::make({0, 0, size.width, size.height});
        window->setTitle("Orrindle buttons");
        window->setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
        window->setContentView(container);
    }

    // The sample of a row with a caption.
    AppKit::NSControl::Ptr find(const std::string& row, const std::string& caption) const {
        for (const auto& s : samples)
            if (s.row == row && s.caption == caption) return s.control;
        return nullptr;
    }

    // Draws the window's content with every focused sample taking the focus in turn (only one
    // view can have it at a time), titles and captions included, into `ctx` (not flipped, of
    // the gallery's size), as the window shows its flipped content.
    void drawSheet(CoreGraphics::CGContext& ctx) {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        std::vector<AppKit::NSView::Ptr> focused;
        for (const auto& s : samples)
            if (s.look == Look::focused) focused.push_back(s.control);
        drawWindowContent(ctx, *window, *container, size.height, focused);
    }

    AppKit::NSWindow::Ptr window;
    std::vector<Sample> samples;
    CGSize size;

private:
    class Flipped : public AppKit::NSView {
        VZ_OBJECT(Flipped, AppKit::NSView)
    public:
        bool isFlipped() const override { return true; }
        AppKit::NSColor::Ptr background;
        std::vector<std::pair<std::string, CGRect>> labels;  // row titles and captions
        void draw(CGRect) override {
            auto* ctx = CoreGraphics::CGContext::current();
            if (!ctx) return;
            if (background) ctx->setFillColor(background->cgColor());
            ctx->fill(bounds());
            for (const auto& [text, box] : labels) {
                const bool title = box.width() == rowTitleWidth;
                const auto font = CoreGraphics::Font::system(title ? 11 : 9, title ? CoreGraphics::FontWeight::medium : CoreGraphics::FontWeight::regular);
                const auto colour = (title ? Orrindle::ODColorsAK::grey85() : Orrindle::ODColorsAK::grey50())->cgColor();
                CoreGraphics::AttributedText t(text, font, colour);
                ctx->drawText(t, box);
            }
        }

    protected:
        using AppKit::NSView::NSView;
    };

    template <class Control>
    std::shared_ptr<Control> add(const std::string& row, const std::string& caption, std::shared_ptr<Control> control,
                                 Look look = Look::normal) {
        switch (look) {
        case Look::normal:
        case Look::focused: break;
        case Look::pressed: control->cell()->setHighlighted(true); break;
        case Look::on: control->cell()->setState(AppKit::NSControlStateValue::on); break;
        case Look::mixed:
            if (auto button = std::dynamic_pointer_cast<AppKit::NSButton>(control)) button->setAllowsMixedState(true);
            control->cell()->setState(AppKit::NSControlStateValue::mixed);
            break;
        case Look::disabled: control->setEnabled(false); break;
        }
        samples.push_back({row, caption, control, look});
        return control;
    }

    static AppKit::NSImage::Ptr kit(const SwiftUI::ImageResource& resource) { return AppKit::NSImage::withResource(resource); }

    // One row of samples of the same control in the looks listed.
    template <class Make>
    void row(const std::string& name, const std::vector<Look>& looks, Make make) {
        static const char* captions[] = {"default", "pressed", "on", "mixed", "disabled", "focused"};
        for (Look look : looks) add(name, captions[int(look)], make(), look);
    }

    void build() {
        using L = Look;
        using namespace Orrindle;
        const std::vector<Look> all{L::normal, L::pressed, L::on, L::disabled, L::focused};
        row("Styled button", all, [] {
            auto b = Runtime::make<StyledButton>(CGRect{0, 0, 10, 10}, CGFloat(120));
            b->setTitle("Render");
            b->setButtonType(AppKit::NSButtonType::pushOnPushOff);
            return b;
        });
        row("Push button", {L::normal, L::pressed, L::disabled, L::focused}, [] {
            auto b = Runtime::make<TessikPushButton>(CGRect{0, 0, 10, 10}, CGFloat(24), CGFloat(96));
            b->setTitle("Apply");
            return b;
        });
        row("Check box", {L::normal, L::pressed, L::on, L::mixed, L::disabled, L::focused}, [] {
            auto b = Runtime::make<StyledCheckBox>(CGRect{0, 0, 10, 10});
            b->setButtonType(AppKit::NSButtonType::switch_);
            b->setTitle("Loop");
            return b;
        });
        row("Favourite", {L::normal, L::pressed, L::on, L::disabled}, [] {
            auto b = Runtime::make<FavouriteCheckBox>(CGRect{0, 0, 10, 10});
            b->setButtonType(AppKit::NSButtonType::switch_);
            b->setTitle("");
            return b;
        });
        row("Back", {L::normal, L::pressed, L::disabled}, [] {
            auto b = Runtime::make<BackButton>(CGRect{0, 0, 10, 10});
            b->setTitle("");
            return b;
        });
        row("Corner / tool", {L::normal, L::pressed, L::on, L::disabled}, [] {
            auto b = Runtime::make<ToolButton>(CGRect{0, 0, 10, 10});
            b->setButtonType(AppKit::NSButtonType::pushOnPushOff);
            b->setImage(kit(ImageResources::cornerToolMore()));
            return b;
        });
        row("Corner", {L::normal, L::pressed}, [] {
            auto b = Runtime::make<CornerButton>(CGRect{0, 0, 10, 10});
            b->setTitle("+");
            return b;
        });
        row("Cursor buttons", {L::normal, L::pressed, L::disabled}, [] {
            auto b = Runtime::make<DarkHighlightButton>(CGRect{0, 0, 10, 10});
            b->setBordered(false);
            b->setImagePosition(AppKit::NSCellImagePosition::imageOnly);
            b->setImage(kit(ImageResources::organiserIconDisclose()));
            return b;
        });
        const auto cycling = [] {
            auto b = Runtime::make<PopUpCyclingButton>(CGRect{0, 0, 10, 10});
            b->setBordered(false);
            b->setTitle("Next");
            b->setImage(kit(ImageResources::organiserIconDiscloseOpen()));
            return b;
        };
        add("Cursor buttons", "cycling", cycling());
        // A cursor button shows a press by dimming its layer.
        add("Cursor buttons", "held", [&] {
            auto b = cycling();
            b->setWantsLayer(true);
            b->highlight(true);
            return b;
        }());
        const auto popUp = [] {
            auto p = Runtime::make<StyledPopUpButton>(CGRect{0, 0, 10, 10}, false, CGFloat(130));
            p->addItems({"Major", "Minor", "Dorian", "Phrygian"});
            p->setLabel("Scale");
            return p;
        };
        row("Pop-up", {L::normal, L::pressed, L::disabled, L::focused}, popUp);
        row("Pop-down", {L::normal, L::pressed, L::disabled, L::focused}, [] {
            auto p = Runtime::make<StyledPopDownButton>(CGRect{0, 0, 10, 10});
            p->addItems({"Rename", "Duplicate", "Delete"});
            p->setTitle("Actions");
            return p;
        });
        row("Tool pop-up", {L::normal, L::pressed, L::disabled, L::focused}, [] {
            auto p = Runtime::make<ToolPopUpButton>(CGRect{0, 0, 10, 10}, false, std::nullopt);
            p->addItems({"1/4", "1/8", "1/16"});
            return p;
        });
    }

    void buildComboBoxes() {
        using L = Look;
        const auto combo = [] {
            auto c = Runtime::make<Orrindle::StyledComboBox>(CGRect{0, 0, 10, 10});
            c->setFont(Orrindle::Styles::Control::font());
            for (double v : {0.25, 0.5, 1.0}) c->addItem(v);
            c->selectItem(1);
            return c;
        };
        row("Combo box", {L::normal, L::disabled, L::focused}, combo);
        auto open = combo();
        open->styledCell()->setPopupOpen(true);
        add("Combo box", "list open", open);
        // A pop-up whose menu the sheet shows open, with room below for it.
        auto menu = Runtime::make<Orrindle::StyledPopUpButton>(CGRect{0, 0, 10, 10}, false, CGFloat(130));
        menu->addItems({"Quarter notes", "Eighth notes", "Triplets", "Sixteenth notes"});
        menu->menu()->insertItem(AppKit::NSMenuItem::separatorItem(), 3);
        menu->item(2)->setEnabled(false);
        menu->setAutoenablesItems(false);
        menu->selectItem(0);
        menu->setLabel("Steps");
        add("Open menu", "open", menu);
    }

    void layOut() {
        CGFloat y = margin, widest = 0;
        std::string current;
        CGFloat x = 0, rowHeight = 0;
        auto* flipped = container_();
        const auto finishRow = [&] {
            if (current.empty()) return;
            y += rowHeight + captionHeight + gap;
            widest = std::max(widest, x);
        };
        for (auto& s : samples) {
            if (s.row != current) {
                finishRow();
                current = s.row;
                x = margin + rowTitleWidth;
                rowHeight = 0;
                flipped->labels.push_back({s.row, {margin, y + 4, rowTitleWidth, 16}});
            }
            CGSize natural = s.control->intrinsicContentSize();
            if (natural.width <= 0 || natural.width > 400) natural.width = 60;
            if (natural.height <= 0 || natural.height > 100) natural.height = 24;
            // A combo box's own width leaves no room for a value; a layout gives it some.
            if (std::dynamic_pointer_cast<AppKit::NSComboBox>(s.control)) natural.width = 64;
            s.control->setFrame({x, y, natural.width, natural.height});
            container->addSubview(s.control);
            flipped->labels.push_back({s.caption, {x, y + natural.height + 3, std::max<CGFloat>(natural.width, 50), 12}});
            x += std::max<CGFloat>(natural.width, 50) + gap;
            rowHeight = std::max(rowHeight, natural.height);
        }
        finishRow();
        size = {std::ceil(widest + margin), std::ceil(y + margin + menuRoom)};
        container->setFrame({0, 0, size.width, size.height});
    }

    Flipped* container_() const { return static_cast<Flipped*>(container.get()); }
    AppKit::NSView::Ptr container;
};

}  // namespace OrrindleTest
