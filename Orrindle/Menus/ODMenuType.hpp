#pragma once
#include <memory>
#include <string>

#include "Runtime/NSObject.hpp"

namespace Orrindle {

// The kind of a declared menu item. The delegate cases hold their menu delegate (an NSObject
// that is also an AppKit::NSMenuDelegate, or null).
class ODMenuType {
public:
    enum class Kind { sectionHeader, documentTemplates, recentDocuments, standard, separator, services };

    static ODMenuType sectionHeader(std::string title) { return {Kind::sectionHeader, std::move(title), nullptr}; }
    static ODMenuType documentTemplates(std::shared_ptr<Runtime::NSObject> delegate) {
        return {Kind::documentTemplates, {}, std::move(delegate)};
    }
    static ODMenuType recentDocuments(std::shared_ptr<Runtime::NSObject> delegate) {
        return {Kind::recentDocuments, {}, std::move(delegate)};
    }
    static ODMenuType standard() { return {Kind::standard, {}, nullptr}; }
    static ODMenuType separator() { return {Kind::separator, {}, nullptr}; }
    static ODMenuType services() { return {Kind::services, {}, nullptr}; }

    Kind kind() const { return kind_; }
    const std::string& title() const { return title_; }
    const std::shared_ptr<Runtime::NSObject>& delegate() const { return delegate_; }

    // The same case; delegates by identity (both null counts as the same); section headers by
    // their titles.
    friend bool operator==(const ODMenuType& a, const ODMenuType& b) {
        return a.kind_ == b.kind_ && a.delegate_ == b.delegate_ && a.title_ == b.title_;
    }

private:
    ODMenuType(Kind kind, std::string title, std::shared_ptr<Runtime::NSObject> delegate)
        : kind_(kind), title_(std::move(title)), delegate_(std::move(delegate)) {}
    Kind kind_;
    std::string title_;
    std::shared_ptr<Runtime::NSObject> delegate_;
};

}  // namespace Orrindle
