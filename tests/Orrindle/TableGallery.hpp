#pragma once
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSTextView.hpp"
#include "AppKit/NSWindow.hpp"
#include "Foundation/Notification.hpp"
#include "Observation/Observation.hpp"
#include "Orrindle/Extensions/ViewOperations.hpp"
#include "Orrindle/Labels/StyledTableGroupRowLabel.hpp"
#include "Orrindle/Labels/StyledTableRowLabel.hpp"
#include "Orrindle/Labels/StyledTextLabel.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/Tables/ActionableTableHeaderView.hpp"
#include "Orrindle/Tables/StyledTableCellView.hpp"
#include "Orrindle/Tables/StyledTableColumn.hpp"
#include "Orrindle/Tables/StyledTableRowView.hpp"
#include "Orrindle/Tables/StyledTableView.hpp"
#include "Orrindle/TextFields/TessikStyledTextField.hpp"
#include "Orrindle/TextFields/ValidatingPropertiesField.hpp"
#include "Orrindle/TextFields/ValidatingTextField.hpp"
#include "SheetDrawing.hpp"
#include "SwiftUI/NSHostingView.hpp"

namespace OrrindleTest {

using AppKit::CGFloat;
using AppKit::CGRect;
using AppKit::CGSize;

// The kit's table and text fields in their states, in one window laid out like the other
// sheets: a table of parameters with its header, group rows, two selected rows and a value being
// edited; styled, validating and properties fields; labels; the SwiftUI field. The picture sheet
// draws it and the real-window test types, tabs and selects rows in it.
class TableGallery {
public:
    // The table's rows: group rows carry only a title.
    struct Row {
        std::string name, value;
        bool group = false;
    };

    // The table's data source and delegate: styled rows, a label per name, an editable label per
    // value; group rows are one group label across and cannot be selected. Each label's text
    // starts where its column's title does (the header cells inset it 4 points in the first
    // column, 1 in the others; a row label draws its text a device pixel left of its frame), so
    // the titles stand over their columns; the selection bar spans the row, so that the first
    // column's text stays on it.
    class Parameters : public Runtime::NSObject, public AppKit::NSTableViewDataSource, public AppKit::NSTableViewDelegate {
        VZ_OBJECT(Parameters, Runtime::NSObject)
    public:
        static constexpr CGFloat firstTitleInset = 4, titleInset = 1;

        std::vector<Row> rows{{"TIMING", "", true},  {"Delay", "12 ms", false}, {"Random", "4 ms", false}, {"Seed", "120", false},
                              {"SWING", "", true},   {"1/4", "50 %", false},   {"1/8", "58 %", false},    {"1/16", "62 %", false}};

        long numberOfRowsInTableView(AppKit::NSTableView&) override { return long(rows.size()); }
        std::shared_ptr<AppKit::NSView> tableViewViewFor(AppKit::NSTableView&, AppKit::NSTableColumn* column, long row) override {
            const Row& r = rows[std::size_t(row)];
            auto cell = Runtime::make<Orrindle::StyledTableCellView>(CGRect{});
            const bool value = column && column->identifier() == "value";
            const std::string text = r.group ? r.name : value ? r.value : r.name;
            std::shared_ptr<Orrindle::StyledTextField> label;
            if (r.group) {
                label = AppKit::NSTextField::labelWithString<Orrindle::StyledTableGroupRowLabel>(text);
                label->setFrame({firstTitleInset + 1, 3, 200, 16});
            } else {
                label = AppKit::NSTextField::labelWithString<Orrindle::StyledTableRowLabel>(text);
                label->setFrame({(value ? titleInset : firstTitleInset) + 1, 2, 120, 16});
            }
            if (value) {
                label->setEditable(true);
                label->setSelectable(true);
            }
            cell->addSubview(label);
            cell->setTextField(label);
            return cell;
        }
        std::shared_ptr<AppKit::NSTableRowView> tableViewRowViewForRow(AppKit::NSTableView&, long) override {
            auto row = Runtime::make<Orrindle::StyledTableRowView>(CGRect{});
            row->setSelectionHorizontalInset(0);
            return row;
        }
        bool tableViewIsGroupRow(AppKit::NSTableView&, long row) override { return rows[std::size_t(row)].group; }
        bool tableViewShouldSelectRow(AppKit::NSTableView&, long row) override { return !rows[std::size_t(row)].group; }
    };

    // The owner of the validating field: a tempo between 20 and 300, else invalid with a message.
    class TempoCheck : public Runtime::NSObject, public AppKit::NSTextFieldDelegate {
        VZ_OBJECT(TempoCheck, Runtime::NSObject)
    public:
        void controlTextDidChange(const Foundation::Notification& n) override {
            auto* field = dynamic_cast<Orrindle::ValidatingTextField*>(n.object);
            if (!field) return;
            const std::string& text = field->stringValue();
            char* end = nullptr;
            const long tempo = std::strtol(text.c_str(), &end, 10);
            const bool valid = !text.empty() && end && *end == '\0' && tempo >= 20 && tempo <= 300;
            field->setValid(valid);
            field->setMessage(valid ? std::nullopt : std::optional<std::string>("Tempo must be between 20 and 300"));
        }
    };

    // The SwiftUI field's text.
    struct Wrapped {
        std::shared_ptr<Observation::Observed<std::string>> text;
        SwiftUI::AnyView body() const {
            auto value = text;
            (void)value->get();
            SwiftUI::Binding<std::string> binding([value] { return value->get(); }, [value](std::string v) { value->set(std::move(v)); });
            return SwiftUI::AnyView(Orrindle::TessikStyledTextField(std::string("Preset name"), binding));
        }
    };

    TableGallery() {
        container = Runtime::make<GallerySheet>(CGRect{0, 0, 100, 100});
        build();
        size = container->layOut(samples, 60);
        window = AppKit::NSWindow::make({0, 0, size.width, size.height});
        window->setTitle("Orrindle tables and text fields");
        window->setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
        window->setContentView(container);
        // The header goes in once the table is in its scroll view, so that it follows that
        // clip view.
        header = Runtime::make<Orrindle::ActionableTableHeaderView>(CGRect{0, 0, 10, 24});
        table->setHeaderView(header);
        table->setHeaderStyle(Orrindle::Styles::TableHeader::textColor(), Orrindle::Styles::TableHeader::background(),
                              Orrindle::Styles::TableHeader::font());
        Orrindle::setNextKeyViewSequence({tempo, checked, properties->textField()});
    }

    AppKit::NSView::Ptr find(const std::string& row, const std::string& caption) const {
        for (const auto& s : samples)
            if (s.row == row && s.caption == caption) return s.view;
        return nullptr;
    }
    std::shared_ptr<Orrindle::StyledTextField> wrappedField() const {
        return hosting->subviews().empty() ? nullptr : std::dynamic_pointer_cast<Orrindle::StyledTextField>(hosting->subviews()[0]);
    }
    // The value label of a table row.
    std::shared_ptr<Orrindle::StyledTextField> valueField(long row) const {
        auto cell = std::dynamic_pointer_cast<AppKit::NSTableCellView>(table->view(1, row));
        return cell ? std::dynamic_pointer_cast<Orrindle::StyledTextField>(cell->textField()) : nullptr;
    }

    // The states the sheet shows: the validating field focused with its message open (the
    // window must be on screen and the run loop drained after), then the Seed value being typed
    // into while two rows are selected.
    void openMessage() {
        message->setMessage("Tempo must be between 20 and 300");
        window->makeFirstResponder(message);
    }
    void editSeed() {
        table->selectRowIndexes({2, 3}, false);
        auto field = valueField(3);
        window->makeFirstResponder(field);
        if (auto editor = field->currentEditor()) {
            editor->setSelectedRange({0, editor->string().size()});
            editor->insertText("140");
        }
    }

    // Draws the window's content, the focused samples taking the focus in turn, and the open
    // popover where it stands, into `ctx` (not flipped, of the gallery's size).
    void drawSheet(CoreGraphics::CGContext& ctx) {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        drawWindowContent(ctx, *window, *container, size.height, focused,
                          [&] { OrrindleTest::drawOpenPopover(ctx, *window, *message->popoverController()); });
    }

    AppKit::NSWindow::Ptr window;
    std::vector<GallerySheet::Sample> samples;
    std::vector<AppKit::NSView::Ptr> focused;  // drawn again with the focus
    CGSize size;
    std::shared_ptr<Parameters> parameters = Runtime::make<Parameters>();
    std::shared_ptr<TempoCheck> check = Runtime::make<TempoCheck>();
    std::shared_ptr<Observation::Observed<std::string>> wrappedText = std::make_shared<Observation::Observed<std::string>>("Late night");
    Orrindle::StyledTableView::Ptr table;
    std::shared_ptr<AppKit::NSScrollView> scroll;
    Orrindle::ActionableTableHeaderView::Ptr header;
    std::shared_ptr<Orrindle::StyledTextField> tempo;
    std::shared_ptr<Orrindle::ValidatingTextField> checked, message;
    std::shared_ptr<Orrindle::ValidatingPropertiesField> properties;
    std::shared_ptr<SwiftUI::NSHostingView> hosting;

private:
    void add(const std::string& row, const std::string& caption, AppKit::NSView::Ptr view, bool focus = false, CGFloat roomAbove = 0) {
        samples.push_back({row, caption, view, roomAbove});
        if (focus) focused.push_back(view);
    }

    template <class Field = Orrindle::StyledTextField>
    static std::shared_ptr<Field> field(const std::string& text, const std::string& placeholder = "") {
        auto f = Runtime::make<Field>(CGRect{0, 0, 140, 10});
        f->setStringValue(text);
        if (!placeholder.empty()) f->setPlaceholderString(placeholder);
        return f;
    }

    static std::shared_ptr<Orrindle::ValidatingPropertiesField> propertiesField(const std::string& text, bool icon) {
        auto p = icon ? Runtime::make<Orrindle::ValidatingPropertiesField>(
                            AppKit::NSImage::withResource(Orrindle::ImageResources::kvuCustomsliderHandle()))
                      : Runtime::make<Orrindle::ValidatingPropertiesField>();
        p->setFrameSize({110, 24});
        p->textField()->setStringValue(text);
        return p;
    }

    void build() {
        using namespace Orrindle;
        // The table: parameter names and values under a styled header with its buttons.
        table = Runtime::make<StyledTableView>(CGRect{});
        table->setAllowsMultipleSelection(true);
        table->setAllowKeyboardNavigation(true);
        table->setIntercellSpacing({0, 2});
        for (const auto& [id, title, width] : {std::tuple{"name", "Parameter", 120.0}, std::tuple{"value", "Value", 150.0}}) {
            auto column = Runtime::make<StyledTableColumn>(std::string(id));
            column->setTitle(title);
            column->setWidth(width);
            table->addTableColumn(column);
        }
        table->setDelegate(parameters);
        table->setDataSource(parameters);
        scroll = Runtime::make<AppKit::NSScrollView>(CGRect{0, 0, 300, 24 + 8 * 22 + 4});
        scroll->setDocumentView(table);
        add("Table", "header, group rows, two rows selected, a value edited", scroll);

        tempo = field("", "Tempo");
        add("Text field", "placeholder", tempo);
        add("Text field", "text", field("120 bpm"));
        add("Text field", "focused", field("Soft swing"), true);
        auto disabled = field("Locked");
        disabled->setEnabled(false);
        add("Text field", "disabled", disabled);

        checked = field<ValidatingTextField>("140");
        checked->setDelegate(check);
        add("Validating", "valid", checked, false, 26);
        auto invalid = field<ValidatingTextField>("999");
        invalid->setValid(false);
        add("Validating", "invalid", invalid);
        message = field<ValidatingTextField>("999");
        message->setValid(false);
        add("Validating", "invalid, focused, message", message, true);

        // Without an icon the field is one line high in the middle of the view: a view of about that height.
        properties = propertiesField("0.50", false);
        properties->setFrameSize({110, 16});
        add("Properties field", "plain", properties);
        add("Properties field", "with its slider icon", propertiesField("25 %", true));
        // As it shows while its field has the focus; the focus itself goes to the message field.
        auto focusedProperties = propertiesField("64", true);
        focusedProperties->setSelected(true);
        add("Properties field", "focused", focusedProperties);
        auto invalidProperties = propertiesField("-3", true);
        invalidProperties->setValid(false);
        add("Properties field", "invalid", invalidProperties);

        add("Labels", "text label", AppKit::NSTextField::labelWithString<StyledTextLabel>("Global delay"));
        auto dim = AppKit::NSTextField::labelWithString<StyledTextLabel>("Not in this preset");
        dim->setEnabled(false);
        add("Labels", "disabled", dim);
        add("Labels", "table row (as wide as its text)", AppKit::NSTextField::labelWithString<StyledTableRowLabel>("Swing on the eighths"));
        add("Labels", "group row", AppKit::NSTextField::labelWithString<StyledTableGroupRowLabel>("TIMING"));

        hosting = SwiftUI::NSHostingView::make(SwiftUI::AnyView(Wrapped{wrappedText}));
        hosting->setFrame({0, 0, 80, 22});
        add("SwiftUI field", "bound to its text", hosting);
    }

    std::shared_ptr<GallerySheet> container;
};

}  // namespace OrrindleTest
