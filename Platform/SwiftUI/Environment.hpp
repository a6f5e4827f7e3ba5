#pragma once
#include <map>
#include <memory>
#include <optional>
#include <typeindex>

#include "Runtime/FatalError.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Font.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

enum class TextAlignment { leading, center, trailing };
enum class TruncationMode { head, middle, tail };
enum class ControlSize { mini, small, regular, large, extraLarge };
enum class ColorScheme { light, dark };
enum class TextFieldStyle { automatic, plain, roundedBorder, squareBorder };
enum class MenuStyle { automatic, button, borderlessButton };
enum class MenuIndicatorVisibility { automatic, visible, hidden };
enum class ScrollEdgeEffectStyle { automatic, soft, hard };
enum class AlternatingRowBackgroundBehavior { automatic, enabled, disabled };

// The values a view inherits from its ancestors; modifiers change them for their content.
struct EnvironmentValues {
    std::optional<Font> font;
    std::optional<Color> foregroundColor;
    ColorScheme colorScheme = ColorScheme::light;
    bool isEnabled = true;
    TextAlignment multilineTextAlignment = TextAlignment::leading;
    std::optional<int> lineLimit;
    bool allowsTightening = false;
    TruncationMode truncationMode = TruncationMode::tail;
    std::shared_ptr<const ButtonStyle> buttonStyle;  // null: the automatic style
    TextFieldStyle textFieldStyle = TextFieldStyle::automatic;
    MenuStyle menuStyle = MenuStyle::automatic;
    MenuIndicatorVisibility menuIndicator = MenuIndicatorVisibility::automatic;
    EdgeInsets safeAreaInsets;
    // Kept for those who ask; nothing in the stand-in draws scroll edges or list rows by them.
    std::optional<ScrollEdgeEffectStyle> scrollEdgeEffectStyle;  // on scrollEdgeEffectEdges
    Edges scrollEdgeEffectEdges = Edges::all();
    AlternatingRowBackgroundBehavior alternatingRowBackgrounds = AlternatingRowBackgroundBehavior::automatic;

    // Observable objects, keyed by type (.environment(object)).
    std::map<std::type_index, std::shared_ptr<void>> objects;
    template <class T>
    std::shared_ptr<T> object() const {
        auto it = objects.find(typeid(T));
        return it == objects.end() ? nullptr : std::static_pointer_cast<T>(it->second);
    }

    Font resolvedFont() const { return font.value_or(Font::body()); }
    Color resolvedForeground() const {
        if (foregroundColor) return *foregroundColor;
        return colorScheme == ColorScheme::dark ? Color(1, 1, 1, 0.85) : Color::primary();
    }
};

namespace detail {
// The environment of the node whose view is being instantiated; null outside instantiate().
const EnvironmentValues* bindingEnvironment();
}  // namespace detail

// An observable object read from the environment by type (@Environment(T.self)). Bound when
// the graph installs the view; using it when no ancestor provided one is a fatal error, as
// on the platform.
template <class T>
class Environment {
public:
    Environment() { bind(); }
    Environment(const Environment& other) : object_(other.object_) { bind(); }
    Environment& operator=(const Environment& other) {
        object_ = other.object_;
        return *this;
    }

    T& operator*() const { return *get(); }
    T* operator->() const { return get().get(); }
    const std::shared_ptr<T>& get() const {
        if (!object_) Runtime::fatalError(std::string("No observable object of type ") + typeid(T).name() + " found in the environment");
        return object_;
    }
    bool isPresent() const { return object_ != nullptr; }

private:
    void bind() {
        if (auto* env = detail::bindingEnvironment()) object_ = env->object<T>();
    }
    std::shared_ptr<T> object_;
};

// An environment value by key (@Environment(\.isEnabled)).
template <class T>
class EnvironmentValue {
public:
    explicit EnvironmentValue(T EnvironmentValues::*key) : key_(key) { bind(); }
    EnvironmentValue(const EnvironmentValue& other) : key_(other.key_), value_(other.value_) { bind(); }
    EnvironmentValue& operator=(const EnvironmentValue& other) {
        key_ = other.key_;
        value_ = other.value_;
        return *this;
    }
    const T& operator()() const { return value_; }
    operator const T&() const { return value_; }

private:
    void bind() {
        if (auto* env = detail::bindingEnvironment()) value_ = env->*key_;
        else value_ = EnvironmentValues{}.*key_;
    }
    T EnvironmentValues::*key_;
    T value_{};
};

}  // namespace SwiftUI
