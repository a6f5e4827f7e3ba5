#pragma once

namespace Metal {

// Something a command buffer shows once its work is done.
class MTLDrawable {
public:
    virtual ~MTLDrawable() = default;
    virtual void present() = 0;
};

}  // namespace Metal
