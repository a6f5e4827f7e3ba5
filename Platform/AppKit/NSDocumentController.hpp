#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Foundation/URL.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

// The application's document controller, as far as the recent-documents list and opening by
// URL go. It answers "clearRecentDocuments:" at the end of the responder chain.
class NSDocumentController : public Runtime::NSObject {
    VZ_OBJECT(NSDocumentController, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

    static NSDocumentController& shared();
    // The shared controller when something has made it (the responder chain does not make it).
    static NSDocumentController* sharedIfMade();

    // Most recent first, at most maximumRecentDocumentCount, each URL once.
    const std::vector<Foundation::URL>& recentDocumentURLs() const { return recents_; }
    void noteNewRecentDocumentURL(const Foundation::URL& url);
    void clearRecentDocuments(Runtime::NSObject* sender);
    std::size_t maximumRecentDocumentCount() const { return 10; }

    // Opening a document is the application's business: the opener installed here (tests, the
    // host) is called with the URL and whether to display it, then the completion with whether
    // it opened. Without an opener nothing opens. An opened document becomes the most recent.
    using Opener = std::function<bool(const Foundation::URL& url, bool display)>;
    void setOpener(Opener opener) { opener_ = std::move(opener); }
    void openDocument(const Foundation::URL& url, bool display, const std::function<void(bool opened)>& completion);

    // Forgets the recents and the opener (between tests).
    void resetForTesting();

protected:
    NSDocumentController() = default;

private:
    void clearAction(Runtime::NSObject* sender) { clearRecentDocuments(sender); }
    std::vector<Foundation::URL> recents_;
    Opener opener_;
};

}  // namespace AppKit
