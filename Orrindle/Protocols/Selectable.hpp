#pragma once

namespace Orrindle {

// Something that can be selected; a selected styled cell draws its `selected` look.
class Selectable {
public:
    virtual ~Selectable() = default;
    virtual bool isSelected() const = 0;
    virtual void setSelected(bool selected) = 0;
};

}  // namespace Orrindle
