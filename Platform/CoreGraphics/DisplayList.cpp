#include "CoreGraphics/DisplayList.hpp"

namespace CoreGraphics {

std::vector<std::string> DisplayList::imageNames() const {
    std::vector<std::string> out;
    for (auto* op : all<Op::Image>()) out.push_back(op->name);
    return out;
}

std::vector<std::string> DisplayList::texts() const {
    std::vector<std::string> out;
    for (auto* op : all<Op::Text>()) out.push_back(op->text.string());
    return out;
}

}  // namespace CoreGraphics
