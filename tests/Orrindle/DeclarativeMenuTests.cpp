#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSMenuDelegate.hpp"
#include "Orrindle/Menus/MenuStructure.hpp"
#include "Orrindle/Menus/ODMenuItem.hpp"
#include "Orrindle/Menus/RawValueMenuPresentable.hpp"

namespace {

using namespace Orrindle;
using AppKit::NSMenuItem;

class Delegate : public Runtime::NSObject, public AppKit::NSMenuDelegate {
    VZ_OBJECT(Delegate, Runtime::NSObject)
};

// A presentable enumeration: three speeds, the last with an Option-key alternate.
class Speed : public RawValueMenuPresentable<Speed, int> {
public:
    enum Value { slow = 1, medium = 2, fast = 3 };
    Speed(Value v) : value(v) {}
    Value value;
    int rawValue() const { return value; }
    std::string localizedDisplayName() const override {
        return std::array{"", "Slow", "Medium", "Fast"}[std::size_t(value)];
    }
    std::optional<std::int64_t> alternateTag() const override {
        return value == fast ? std::optional<std::int64_t>(30) : (value == medium ? std::optional<std::int64_t>(20) : std::nullopt);
    }
    // Medium has a tag but no title: no alternate.
    std::optional<std::string> alternateTitle() const override {
        return value == fast ? std::optional<std::string>("Fastest") : std::nullopt;
    }
    std::any alternateRepresentedObject() const override { return std::string("turbo"); }
    AppKit::NSImage::Ptr onStateImage() const override { return AppKit::NSImage::withSize({8, 8}); }
    static std::string typeMenuTitle() { return "Speed"; }
    static std::array<Speed, 3> allCases() { return {slow, medium, fast}; }
};

class Big : public RawValueMenuPresentable<Big, std::uint64_t> {
public:
    std::uint64_t raw;
    explicit Big(std::uint64_t r) : raw(r) {}
    std::uint64_t rawValue() const { return raw; }
    std::string localizedDisplayName() const override { return "Big"; }
};

// A presentable value that names its own action and target, with an Option-key alternate.
class Tool : public MenuPresentable {
public:
    explicit Tool(std::shared_ptr<Runtime::NSObject> owner) : owner(std::move(owner)) {}
    std::shared_ptr<Runtime::NSObject> owner;
    std::int64_t menuTag() const override { return 4; }
    std::string menuTitle() const override { return "Pencil"; }
    std::any menuRepresentedObject() const override { return {}; }
    std::optional<std::int64_t> alternateTag() const override { return 40; }
    std::optional<std::string> alternateTitle() const override { return "Pen"; }
    std::shared_ptr<Runtime::NSObject> menuTarget() const override { return owner; }
    Runtime::Selector menuAction() const override { return "chooseTool:"; }
};

TEST(DeclarativeMenus, AnItemBuildsItsFieldsAndItsKind) {
    auto target = Runtime::make<Delegate>();
    ODMenuItem plain;
    plain.action = "copy:";
    plain.target = target;
    plain.modifiers = AppKit::ModifierFlags::command() | AppKit::ModifierFlags::shift();
    plain.tag = 7;
    plain.representedObject = std::string("clip");
    auto built = plain.asMenu();
    EXPECT_EQ(built->title(), "");
    EXPECT_EQ(built->keyEquivalent(), "");
    EXPECT_EQ(built->keyEquivalentModifierMask(), plain.modifiers);
    EXPECT_EQ(built->action(), Runtime::Selector("copy:"));
    EXPECT_EQ(built->target(), target);
    EXPECT_EQ(built->tag(), 7);
    EXPECT_EQ(std::any_cast<std::string>(built->representedObject()), "clip");

    // A released target builds an item without one.
    target.reset();
    EXPECT_EQ(plain.asMenu()->target(), nullptr);

    auto separator = ODMenuItem::separator().asMenu();
    EXPECT_TRUE(separator->isSeparatorItem());
    EXPECT_EQ(separator->tag(), 0);

    ODMenuItem header;
    header.menuType = ODMenuType::sectionHeader("Recent");
    header.tag = 3;
    auto headerItem = header.asMenu();
    EXPECT_TRUE(headerItem->isSectionHeader());
    EXPECT_EQ(headerItem->title(), "Recent");
    EXPECT_EQ(headerItem->tag(), 0) << "nothing after the kind applies to a header";

    ODMenuItem services;
    services.menuType = ODMenuType::services();
    auto servicesItem = services.asMenu();
    ASSERT_TRUE(servicesItem->submenu());
    EXPECT_EQ(servicesItem->submenu(), AppKit::NSApplication::shared().servicesMenu());
}

TEST(DeclarativeMenus, SubmenusReplaceTheKindsMenuAndOnlyTheTopMenuStopsAutoEnabling) {
    auto delegate = Runtime::make<Delegate>();
    ODMenuItem recents;
    recents.title = "Open Recent";
    recents.menuType = ODMenuType::recentDocuments(delegate);
    auto withDelegate = recents.asMenu();
    ASSERT_TRUE(withDelegate->submenu());
    EXPECT_EQ(withDelegate->submenu()->numberOfItems(), 0);
    EXPECT_EQ(withDelegate->submenu()->delegate(), delegate);

    ODMenuItem child;
    child.title = "Child";
    recents.submenu = std::vector<ODMenuItem>{child};
    auto replaced = recents.asMenu();
    EXPECT_EQ(replaced->submenu()->delegate(), nullptr) << "the array's submenu wins";
    EXPECT_EQ(replaced->submenu()->item(0)->title(), "Child");
    EXPECT_TRUE(replaced->submenu()->autoenablesItems());

    ODMenuItem empty;
    empty.submenu = std::vector<ODMenuItem>{};
    ASSERT_TRUE(empty.asMenu()->submenu());
    EXPECT_EQ(empty.asMenu()->submenu()->numberOfItems(), 0);
    ODMenuItem emptyEnum;
    emptyEnum.submenuEnum = std::vector<std::shared_ptr<const MenuPresentable>>{};
    ASSERT_TRUE(emptyEnum.asMenu()->submenu());

    ODMenuItem speeds;
    speeds.submenuEnum = std::vector<std::shared_ptr<const MenuPresentable>>{std::make_shared<Speed>(Speed::fast)};
    speeds.submenuEmumSelector = "setSpeed:";
    auto fromEnum = speeds.asMenu()->submenu()->item(0);
    EXPECT_EQ(fromEnum->title(), "Fast");
    EXPECT_EQ(fromEnum->tag(), 3);
    EXPECT_EQ(fromEnum->action(), Runtime::Selector("setSpeed:"));
    EXPECT_EQ(fromEnum->target(), nullptr);

    auto menu = asMenu({child, ODMenuItem::separator()});
    EXPECT_FALSE(menu->autoenablesItems());
    EXPECT_EQ(menu->numberOfItems(), 2);
}

TEST(DeclarativeMenus, MenuTypesCompareByCaseAndDelegateIdentity) {
    auto a = Runtime::make<Delegate>(), b = Runtime::make<Delegate>();
    EXPECT_EQ(ODMenuType::documentTemplates(nullptr), ODMenuType::documentTemplates(nullptr));
    EXPECT_EQ(ODMenuType::recentDocuments(a), ODMenuType::recentDocuments(a));
    EXPECT_NE(ODMenuType::recentDocuments(a), ODMenuType::recentDocuments(b));
    EXPECT_NE(ODMenuType::recentDocuments(nullptr), ODMenuType::documentTemplates(nullptr));
    EXPECT_NE(ODMenuType::standard(), ODMenuType::services());
    EXPECT_EQ(ODMenuType::sectionHeader("A"), ODMenuType::sectionHeader("A"));
    EXPECT_NE(ODMenuType::sectionHeader("A"), ODMenuType::sectionHeader("B"));
    EXPECT_NE(ODMenuType::sectionHeader(""), ODMenuType::standard());
}

TEST(DeclarativeMenus, AStructureBuildsLeavesAlternatesSubmenusTitlesAndSeparators) {
    using MS = MenuStructure<Speed>;
    const auto structure = MS::submenu("Speed", {MS::inlineTitle("Pick one"), MS::item(Speed::slow), MS::separator(),
                                                 MS::item(Speed::medium), MS::item(Speed::fast)});
    auto target = Runtime::make<Delegate>();
    auto menu = structure.menu(target, "setSpeed:");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->title(), "Speed");
    std::vector<std::string> titles;
    for (auto& item : menu->items()) titles.push_back(item->isSeparatorItem() ? "-" : item->title());
    EXPECT_EQ(titles, (std::vector<std::string>{"Pick one", "Slow", "-", "Medium", "Fast", "Fastest"}))
        << "an alternate only where both its tag and title are set";
    EXPECT_TRUE(menu->item(0)->isSectionHeader());
    EXPECT_EQ(menu->item(2)->tag(), -1000);

    auto slow = menu->item(1);
    EXPECT_EQ(slow->tag(), 1);
    EXPECT_EQ(std::any_cast<std::int64_t>(slow->representedObject()), 1);
    EXPECT_EQ(slow->target(), target);
    EXPECT_EQ(slow->action(), Runtime::Selector("setSpeed:"));
    EXPECT_TRUE(slow->onStateImage());
    EXPECT_FALSE(slow->isAlternate());

    auto fastest = menu->item(5);
    EXPECT_TRUE(fastest->isAlternate());
    EXPECT_EQ(fastest->tag(), 30);
    EXPECT_EQ(std::any_cast<std::string>(fastest->representedObject()), "turbo");
    EXPECT_EQ(fastest->keyEquivalentModifierMask(), AppKit::ModifierFlags::option());
    EXPECT_EQ(fastest->onStateImage(), nullptr) << "alternates carry no images";
    EXPECT_EQ(fastest->target(), target);

    // Only leaves build items on their own; only submenus build menus.
    EXPECT_TRUE(structure.menuItems(target, "x:").empty());
    EXPECT_TRUE(MS::separator().menuItems(target, "x:").empty());
    EXPECT_EQ(MS::item(Speed::slow).menuItems(nullptr, {}).size(), 1u);
    EXPECT_EQ(MS::item(Speed::slow).menu(nullptr, {}), nullptr);
    // A childless submenu is a plain item, and has no menu.
    auto childless = MS::menuItems(MS::submenu("None", {}), nullptr, {});
    ASSERT_EQ(childless.size(), 1u);
    EXPECT_FALSE(childless[0]->hasSubmenu());
    EXPECT_EQ(MS::submenu("None", {}).menu(nullptr, {}), nullptr);
}

// A leaf built without an action or a target sends its own, at every level and on its
// alternate too; ones given to the builder win over the leaf's.
TEST(DeclarativeMenus, ALeafFallsBackToItsOwnActionAndTarget) {
    using MS = MenuStructure<Tool>;
    auto own = Runtime::make<Delegate>(), given = Runtime::make<Delegate>();
    struct Row {
        const char* name;
        std::shared_ptr<Runtime::NSObject> target;
        Runtime::Selector action;
        std::shared_ptr<Runtime::NSObject> sentTo;
        Runtime::Selector sent;
    };
    for (const auto& row : {Row{"neither given", nullptr, {}, own, "chooseTool:"},
                            Row{"only a target given", given, {}, given, "chooseTool:"},
                            Row{"only an action given", nullptr, "pick:", own, "pick:"},
                            Row{"both given", given, "pick:", given, "pick:"}}) {
        SCOPED_TRACE(row.name);
        auto menu = MS::submenu("Tools", {MS::submenu("Drawing", {MS::item(Tool(own))})}).menu(row.target, row.action);
        ASSERT_TRUE(menu);
        auto inner = menu->item(0)->submenu();
        ASSERT_TRUE(inner);
        ASSERT_EQ(inner->numberOfItems(), 2) << "the leaf and its alternate";
        for (const auto& item : inner->items()) {
            EXPECT_EQ(item->action(), row.sent) << item->title();
            EXPECT_EQ(item->target(), row.sentTo) << item->title();
        }
        const auto leafOnly = MS::item(Tool(own)).menuItems(row.target, row.action);
        ASSERT_FALSE(leafOnly.empty());
        EXPECT_EQ(leafOnly[0]->action(), row.sent);
    }
}

TEST(DeclarativeMenus, ATypesOwnStructureListsItsCasesAndUnsignedTagsAreClamped) {
    auto menu = menuStructureOf<Speed>().menu(nullptr, {});
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->title(), "Speed");
    EXPECT_EQ(menu->numberOfItems(), 4);  // three speeds and Fast's alternate
    EXPECT_EQ(menuStructureOf<Big>().kind(), MenuStructure<Big>::Kind::separator);

    const std::uint64_t huge = std::numeric_limits<std::uint64_t>::max();
    Big big(huge);
    EXPECT_EQ(big.menuTag(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(std::any_cast<std::uint64_t>(big.menuRepresentedObject()), huge) << "the exact value survives";
    EXPECT_EQ(Big(5).menuTag(), 5);
}

}  // namespace
