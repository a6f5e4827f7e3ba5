#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSViewController.hpp"
#include "Foundation/Bundle.hpp"

namespace CoreAudioKit {

// The archive a controller may be decoded from. Nothing here is stored in archives, so the
// only thing a coder carries is whether decoding may go ahead.
class NSCoder {
public:
    explicit NSCoder(bool decodable = true) : decodable_(decodable) {}
    bool isDecodable() const { return decodable_; }

private:
    bool decodable_;
};

// The view controller of an Audio Unit's editor: an ordinary view controller that a host puts
// into its plug-in window. Made with init(nibName:bundle:) or init(coder:).
class AUViewController : public AppKit::NSViewController {
    VZ_OBJECT(AUViewController, AppKit::NSViewController)

public:
    const std::shared_ptr<Foundation::Bundle>& nibBundle() const { return nibBundle_; }
    // False when the controller came from a coder that could not be decoded (init(coder:)
    // returned nil); such a controller must not be used.
    bool isInitialised() const { return initialised_; }

protected:
    AUViewController(std::optional<std::string> nibName, std::shared_ptr<Foundation::Bundle> bundle)
        : NSViewController(std::move(nibName)), nibBundle_(std::move(bundle)) {}
    explicit AUViewController(const NSCoder& coder) : initialised_(coder.isDecodable()) {}

private:
    std::shared_ptr<Foundation::Bundle> nibBundle_;
    bool initialised_ = true;
};

}  // namespace CoreAudioKit
