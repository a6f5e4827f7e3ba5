#include "Observation/Observation.hpp"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace Observation {

namespace {

struct Subscription {
    std::function<void()> onChange;
    std::vector<PropertyId> properties;
    bool active = true;
};

struct Registry {
    std::recursive_mutex mutex;
    std::unordered_map<PropertyId, std::vector<std::weak_ptr<Subscription>>> observers;

    static Registry& shared() {
        static Registry r;
        return r;
    }

    void add(const std::shared_ptr<Subscription>& s) {
        std::lock_guard lock(mutex);
        for (PropertyId p : s->properties) observers[p].push_back(s);
    }
    void remove(Subscription& s) {
        std::lock_guard lock(mutex);
        s.active = false;
        for (PropertyId p : s.properties) {
            auto it = observers.find(p);
            if (it == observers.end()) continue;
            std::erase_if(it->second, [&](auto& w) {
                auto l = w.lock();
                return !l || l.get() == &s;
            });
            if (it->second.empty()) observers.erase(it);
        }
    }
};

thread_local std::vector<AccessList*> trackingStack;

}  // namespace

void AccessList::add(PropertyId p) {
    if (!contains(p)) ids_.push_back(p);
}
bool AccessList::contains(PropertyId p) const { return std::find(ids_.begin(), ids_.end(), p) != ids_.end(); }

namespace detail {

void recordAccess(PropertyId property) {
    if (!trackingStack.empty()) trackingStack.back()->add(property);
}

void notifyChange(PropertyId property) {
    std::vector<std::shared_ptr<Subscription>> fire;
    Registry& r = Registry::shared();
    {
        std::lock_guard lock(r.mutex);
        auto it = r.observers.find(property);
        if (it == r.observers.end()) return;
        for (auto& w : it->second)
            if (auto s = w.lock(); s && s->active) fire.push_back(s);
    }
    for (auto& s : fire) {
        std::function<void()> f;
        {
            std::lock_guard lock(r.mutex);
            if (!s->active) continue;
            f = std::move(s->onChange);
        }
        r.remove(*s);  // one-shot, like the platform's
        if (f) f();
    }
}

void forget(PropertyId property) {
    Registry& r = Registry::shared();
    std::lock_guard lock(r.mutex);
    r.observers.erase(property);
}

}  // namespace detail

AccessList recordAccesses(const std::function<void()>& apply) {
    AccessList list;
    trackingStack.push_back(&list);
    try {
        apply();
    } catch (...) {
        trackingStack.pop_back();
        throw;
    }
    trackingStack.pop_back();
    return list;
}

ObservationToken subscribe(const AccessList& accesses, std::function<void()> onChange) {
    auto s = std::make_shared<Subscription>();
    s->onChange = std::move(onChange);
    s->properties = accesses.ids();
    if (s->properties.empty()) return ObservationToken();
    Registry::shared().add(s);
    return ObservationToken(s);
}

ObservationToken withObservationTracking(const std::function<void()>& apply, std::function<void()> onChange) {
    return subscribe(recordAccesses(apply), std::move(onChange));
}

void ObservationToken::cancel() {
    if (!state_) return;
    Registry::shared().remove(*std::static_pointer_cast<Subscription>(state_));
    state_.reset();
}

bool ObservationToken::isActive() const {
    if (!state_) return false;
    Registry& r = Registry::shared();
    std::lock_guard lock(r.mutex);
    return std::static_pointer_cast<Subscription>(state_)->active;
}

}  // namespace Observation
