#include "Sparkle/SPUUpdater.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "Dispatch/DispatchQueue.hpp"
#include "Dispatch/Timer.hpp"
#include "Foundation/Strings.hpp"
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

std::string infoString(const Foundation::Bundle* bundle, const char* key) {
    const Foundation::PropertyList* value = bundle ? bundle->objectForInfoDictionaryKey(key) : nullptr;
    const std::string* s = value ? value->string() : nullptr;
    return s ? *s : std::string();
}

Foundation::NSError error(SUError code, const std::string& description) {
    return Foundation::NSError(SUSparkleErrorDomain, code, description);
}

void logFailure(const Foundation::NSError& e) { std::fprintf(stderr, "Sparkle: update check failed: %s\n", e.what()); }

// The host as an address: a name that merely starts like one ("127.0.0.1.example.invalid")
// is a name to look up, not this computer.
bool isLoopback(const Foundation::URL& url) {
    const std::string scheme = Foundation::lowercased(url.scheme().value_or(""));
    if (scheme != "http" && scheme != "https") return false;
    const std::string host = url.host().value_or("");
    if (Foundation::lowercased(host) == "localhost") return true;
    in_addr v4{};
    if (::inet_pton(AF_INET, host.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    return ::inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

bool sameHost(const Foundation::URL& a, const Foundation::URL& b) {
    return Foundation::lowercased(a.host().value_or("")) == Foundation::lowercased(b.host().value_or(""));
}

// A feed is a few hundred kilobytes at most; a server that sends far more sends no feed.
Foundation::URLSession& feedSession() {
    static Foundation::URLSession* session = [] {
        auto* made = new Foundation::URLSession;  // outlives loads still running at exit
        made->setMaximumBodySize(SPUUpdater::feedSizeLimit);
        made->setTimeouts(10, SPUUpdater::feedTimeLimit);
        // The tests' server on this computer never sends a check elsewhere.
        made->setRedirectPolicy([](const Foundation::URL& from, const Foundation::URL& to) {
            return !isLoopback(from) || sameHost(from, to);
        });
        return made;
    }();
    return *session;
}

// A version as the alert quotes it: a hostile feed may send a page of text as one.
std::string quoted(const std::string& version) {
    constexpr std::size_t shown = 40;
    if (version.size() <= shown) return "\xE2\x80\x9C" + version + "\xE2\x80\x9D";
    std::size_t cut = shown;
    while (cut > 0 && (static_cast<unsigned char>(version[cut]) & 0xC0) == 0x80) --cut;  // whole UTF-8 characters
    return "\xE2\x80\x9C" + version.substr(0, cut) + "\xE2\x80\xA6\xE2\x80\x9D";
}

Foundation::NSError unreadable(const SUAppcastItem& item) {
    return error(SUAppcastError, "The update feed\xE2\x80\x99s version " + quoted(item.displayVersionString) + " cannot be read.");
}

// The feed's newest item against the running version. "Up to date" needs every version read,
// since one the weights cannot order might be the newer one.
bool offersNewer(const SUAppcast& appcast, const SUAppcastItem& best, const std::string& current) {
    if (!SUStandardVersionComparator::canRead(best.displayVersionString)) throw unreadable(best);
    if (SUStandardVersionComparator::compareVersions(best.displayVersionString, current) > 0) return true;
    for (const auto& item : appcast.items())
        if (!SUStandardVersionComparator::canRead(item.displayVersionString)) throw unreadable(item);
    return false;
}

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

SPUUpdater::~SPUUpdater() {
    if (deadline_) deadline_->invalidate();
    if (task_) task_->cancel();
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
    const std::uint64_t load = ++loads_;
    // Only the outcome of the check still waited for is told: one that ran out of time was
    // told already.
    auto waited = [weak, load]() -> std::shared_ptr<SPUUpdater> {
        auto self = weak.lock();
        return self && self->inProgress_ && self->loads_ == load ? self : nullptr;
    };
    deadline_ = Dispatch::Timer::scheduledTimer(feedTimeLimit, false, [waited](Dispatch::Timer&) {
        auto self = waited();
        if (!self) return;
        if (self->task_) self->task_->cancel();
        self->fail(error(SUDownloadError, "The update feed could not be loaded: the update server did not answer within " +
                                              std::to_string(int(feedTimeLimit)) + " seconds."));
    });
    task_ = feedSession().dataTask(url, [waited, current](std::optional<Foundation::Data> data, std::optional<Foundation::URLResponse> response,
                                                          std::optional<Foundation::NSError> failure) {
        // Given up on (out of time, or the process ends): nobody waits for it.
        if (failure && failure->code() == Foundation::URLError::cancelled) return;
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
            const auto appcast = SUAppcast::parse(data.value_or(Foundation::Data()));
            const auto best = appcast.bestItem();
            if (!best) throw error(SUAppcastError, "The update feed lists no version.");
            outcome.kind = offersNewer(appcast, *best, current) ? Outcome::found : Outcome::notFound;
            outcome.item = *best;
        } catch (const Foundation::NSError& e) {
            logFailure(e);
            outcome.code = e.code();
            outcome.text = std::string(e.what());
        }
        Dispatch::DispatchQueue::main().async([waited, outcome = std::move(outcome)] {
            auto self = waited();
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
    if (deadline_) deadline_->invalidate();
    deadline_.reset();
    task_.reset();
    notify(Event::finished);
    if (userDriver_) tell(*userDriver_);
}

}  // namespace Sparkle
