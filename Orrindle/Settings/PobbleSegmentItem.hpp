#pragma once
#include <memory>
#include <string>
#include <utility>

namespace Orrindle {

// One segment of the SwiftUI segmented control: its identity and the title it shows verbatim.
// Shared by reference; two items are equal when their ids are, whatever their titles.
class PobbleSegmentItem {
public:
    using Ptr = std::shared_ptr<const PobbleSegmentItem>;

    PobbleSegmentItem(int id, std::string title) : id_(id), title_(std::move(title)) {}
    static Ptr make(int id, std::string title) { return std::make_shared<const PobbleSegmentItem>(id, std::move(title)); }

    int id() const { return id_; }
    const std::string& title() const { return title_; }
    friend bool operator==(const PobbleSegmentItem& a, const PobbleSegmentItem& b) { return a.id_ == b.id_; }

private:
    int id_;
    std::string title_;
};

}  // namespace Orrindle
