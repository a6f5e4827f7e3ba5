#include "Sparkle/SPUUpdater.hpp"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "Dispatch/DispatchQueue.hpp"
#include "Foundation/URLSession.hpp"
#include "Runtime/MainActor.hpp"
#include "Sparkle/SPUUpdaterDelegate.hpp"
#include "Sparkle/SUAppcast.hpp"
#include "Sparkle/SUErrors.hpp"
#include "Sparkle/SUStandardVersionComparator.hpp"

namespace Sparkle {

namespace {

SPUUpdater::EventObserver& observer() {
    static SPUUpdater::EventObserver o;
    return o;
}

std::mutex redirectMutex;
std::optional<std::optional<std::string>>& redirectSetting() {
    static std::optional<std::optional<std::string>> setting;
    return setting;
}

std::optional<std::string> redirect() {
    std::lock_guard lock(redirectMutex);
    auto& s = redirectSetting();
    if (!s) {
        const char* env = std::getenv("VZ_UPDATE_FEED_REDIRECT");
        s = env && *env ? std::optional<std::string>(env) : std::nullopt;
    }
    return *s;
}

bool isLoopback(const Foundation::URL& url) {
    const std::string scheme = url.scheme().value_or("");
    if (scheme != "http" && scheme != "https") return false;
    const std::string host = url.host().value_or("");
    return host == "localhost" || host == "::1" || host.rfind("127.", 0) == 0;
}

// A feed is a few hundred kilobytes at most; a server that sends far more sends no feed.
Foundation::URLSession& feedSession() {
    static Foundation::URLSession* session = [] {
        auto* made = new Foundation::URLSession;  // outlives loads still running at exit
        made->setMaximumBodySize(4u << 20);
        made->setTimeouts(10, 30);
        return made;
    }();
    return *session;
}

std::string infoString(const Foundation::Bundle* bundle, const char* key) {
    const Foundation::PropertyList* value = bundle ? bundle->objectForInfoDictionaryKey(key) : nullptr;
    const std::string* s = value ? value->string() : nullptr;
    return s ? *s : std::string();
}

Foundation::NSError error(SUError code, const std::string& description) {
    return Foundation::NSError(SUSparkleErrorDomain, code, description);
}

void logFailure(const Foundation::NSError& e) { std::fprintf(stderr, "Sparkle: update check failed: %s\n", e.what()); }

}  // namespace

SPUUpdater::Ptr SPUUpdater::make(std::shared_ptr<Foundation::Bundle> hostBundle, std::shared_ptr<SPUUserDriver> userDriver,
                                 const std::shared_ptr<Runtime::NSObject>& delegate) {
    auto updater = Runtime::make<SPUUpdater>();
    updater->hostBundle_ = std::move(hostBundle);
    updater->userDriver_ = std::move(userDriver);
    updater->delegate_ = delegate;
    updater->notify(Event::created);
    return updater;
}

void SPUUpdater::setEventObserver(EventObserver o) { observer() = std::move(o); }

void SPUUpdater::setFeedRedirect(std::optional<std::string> url) {
    std::lock_guard lock(redirectMutex);
    redirectSetting() = std::move(url);
}

void SPUUpdater::notify(Event event) const {
    if (auto& o = observer()) o(*this, event);
}

bool SPUUpdater::startUpdater() {
    Runtime::assertMainActor();
    if (started_) return true;
    started_ = true;
    notify(Event::started);
    return true;
}

std::optional<Foundation::URL> SPUUpdater::feedURL() {
    std::string text;
    if (auto* d = dynamic_cast<SPUUpdaterDelegate*>(delegate().get()))
        if (auto s = d->feedURLString(*this)) text = *s;
    if (text.empty()) text = infoString(hostBundle_.get(), "SUFeedURL");
    auto url = Foundation::URL::fromString(text);
    if (url && !url->scheme()) url.reset();
    return url;
}

void SPUUpdater::checkForUpdates() {
    Runtime::assertMainActor();
    ++checks_;
    notify(Event::checkRequested);
    if (!started_) {
        std::fprintf(stderr, "Sparkle: update check refused: the updater has not been started\n");
        notify(Event::checkRefused);
        return;
    }
    if (inProgress_) {
        notify(Event::checkJoined);
        return;
    }
    inProgress_ = true;
    const auto feed = feedURL();
    feedURLs_.push_back(feed ? feed->absoluteString() : std::string());
    notify(Event::feedRequested);
    if (!feed) {
        fail(error(SUNoFeedURLError, "No update feed is set: the application names none and its Info.plist has no SUFeedURL."));
        return;
    }
    Foundation::URL target = *feed;
    if (const auto other = redirect()) {
        const auto url = Foundation::URL::fromString(*other);
        if (!url || !isLoopback(*url)) {
            fail(error(SUInvalidFeedURLError,
                       "The feed redirect \"" + *other + "\" is not an http address of this computer; the check was not made."));
            return;
        }
        target = *url;
    }
    load(target);
}

void SPUUpdater::load(const Foundation::URL& url) {
    std::weak_ptr<SPUUpdater> weak = sharedAs<SPUUpdater>();
    const std::string current = infoString(hostBundle_.get(), "CFBundleShortVersionString");
    feedSession().dataTask(url, [weak, current](std::optional<Foundation::Data> data, std::optional<Foundation::URLResponse> response,
                                                std::optional<Foundation::NSError> failure) {
        // Read here, off the main thread; only the outcome goes back, as plain values that no
        // other thread shares.
        struct Outcome {
            enum Kind { found, notFound, failed } kind = failed;
            SUAppcastItem item;
            long code = 0;
            std::string text;
        } outcome;
        try {
            if (failure) throw error(SUDownloadError, "The update feed could not be loaded: " + failure->localizedDescription());
            if (response && response->statusCode && (*response->statusCode < 200 || *response->statusCode >= 300))
                throw error(SUAppcastError, "The update server answered with status " + std::to_string(*response->statusCode) + ".");
            const auto best = SUAppcast::parse(data.value_or(Foundation::Data())).bestItem();
            if (!best) throw error(SUAppcastError, "The update feed lists no version.");
            outcome.kind = SUStandardVersionComparator::compareVersions(best->displayVersionString, current) > 0 ? Outcome::found
                                                                                                               : Outcome::notFound;
            outcome.item = *best;
        } catch (const Foundation::NSError& e) {
            logFailure(e);
            outcome.code = e.code();
            outcome.text = std::string(e.what());
        }
        Dispatch::DispatchQueue::main().async([weak, outcome = std::move(outcome)] {
            auto self = weak.lock();
            if (!self) return;
            self->finish([&outcome](SPUUserDriver& d) {
                switch (outcome.kind) {
                case Outcome::found: d.showUpdateFound(outcome.item); break;
                case Outcome::notFound: d.showUpdateNotFound(outcome.item); break;
                case Outcome::failed: d.showUpdaterError(error(SUError(outcome.code), outcome.text)); break;
                }
            });
        });
    });
}

void SPUUpdater::fail(const Foundation::NSError& e) {
    logFailure(e);
    finish([e](SPUUserDriver& d) { d.showUpdaterError(e); });
}

void SPUUpdater::finish(std::function<void(SPUUserDriver&)> tell) {
    inProgress_ = false;
    notify(Event::finished);
    if (userDriver_) tell(*userDriver_);
}

}  // namespace Sparkle
