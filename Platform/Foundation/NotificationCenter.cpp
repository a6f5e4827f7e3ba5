#include "Foundation/NotificationCenter.hpp"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace Foundation {

struct NotificationCenter::Impl {
    std::mutex mutex;
    std::vector<std::shared_ptr<Token::Entry>> entries;  // in registration order

    void remove(const Token::Entry* entry) {
        std::lock_guard lock(mutex);
        std::erase_if(entries, [&](const auto& e) { return e.get() == entry; });
    }
};

struct NotificationCenter::Token::Entry {
    std::optional<std::string> name;
    const Runtime::NSObject* objectAddress = nullptr;  // nullptr: any sender
    std::weak_ptr<Runtime::NSObject> object;

    Block block;
    // Selector registrations instead of a block.
    const Runtime::NSObject* observerAddress = nullptr;
    std::weak_ptr<Runtime::NSObject> observer;
    Runtime::Selector selector;

    std::weak_ptr<NotificationCenter::Impl> center;
    std::atomic<bool> active{true};
    // Held while the observer runs, so that cancel() can wait for a call on another thread.
    std::recursive_mutex calling;

    bool matches(const Notification& n) const {
        if (name && *name != n.name) return false;
        if (!objectAddress) return true;
        return n.object == objectAddress && !object.expired();
    }

    void deactivate() {
        active = false;
        if (auto c = center.lock()) c->remove(this);
        std::lock_guard wait(calling);  // recursive: passes straight through from inside our own call
    }
};

NotificationCenter::Token& NotificationCenter::Token::operator=(Token&& other) noexcept {
    if (this != &other) {
        cancel();
        entry_ = std::move(other.entry_);
    }
    return *this;
}

void NotificationCenter::Token::cancel() {
    if (auto entry = std::move(entry_)) entry->deactivate();
}

bool NotificationCenter::Token::isActive() const { return entry_ && entry_->active; }

NotificationCenter::NotificationCenter() : impl_(std::make_shared<Impl>()) {}
NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* center = new NotificationCenter;  // outlives every static observer
    return *center;
}

NotificationCenter::Token NotificationCenter::addObserver(std::optional<std::string> name,
                                                          const std::shared_ptr<Runtime::NSObject>& object, Block block) {
    auto entry = std::make_shared<Token::Entry>();
    entry->name = std::move(name);
    entry->objectAddress = object.get();
    entry->object = object;
    entry->block = std::move(block);
    entry->center = impl_;
    std::lock_guard lock(impl_->mutex);
    impl_->entries.push_back(entry);
    return Token(std::move(entry));
}

void NotificationCenter::addObserver(const std::shared_ptr<Runtime::NSObject>& observer, Runtime::Selector selector,
                                     std::optional<std::string> name, const std::shared_ptr<Runtime::NSObject>& object) {
    if (!observer || !selector) return;
    auto entry = std::make_shared<Token::Entry>();
    entry->name = std::move(name);
    entry->objectAddress = object.get();
    entry->object = object;
    entry->observerAddress = observer.get();
    entry->observer = observer;
    entry->selector = selector;
    entry->center = impl_;
    std::lock_guard lock(impl_->mutex);
    impl_->entries.push_back(std::move(entry));
}

void NotificationCenter::removeObserver(const Runtime::NSObject* observer) { removeObserver(observer, std::nullopt, nullptr); }

void NotificationCenter::removeObserver(const Runtime::NSObject* observer, const std::optional<std::string>& name,
                                        const Runtime::NSObject* object) {
    if (!observer) return;
    std::vector<std::shared_ptr<Token::Entry>> removed;
    {
        std::lock_guard lock(impl_->mutex);
        for (const auto& e : impl_->entries) {
            if (e->observerAddress != observer) continue;
            if (name && e->name != name) continue;
            if (object && e->objectAddress != object) continue;
            removed.push_back(e);
        }
    }
    for (const auto& e : removed) e->deactivate();
}

void NotificationCenter::post(const Notification& notification) {
    std::vector<std::shared_ptr<Token::Entry>> targets;
    {
        std::lock_guard lock(impl_->mutex);
        for (const auto& e : impl_->entries)
            if (e->matches(notification)) targets.push_back(e);
    }
    std::vector<const Token::Entry*> gone;
    for (const auto& e : targets) {
        std::lock_guard calling(e->calling);
        if (!e->active) continue;  // removed while earlier observers ran
        if (e->block) {
            e->block(notification);
        } else if (auto observer = e->observer.lock()) {
            observer->perform(e->selector, const_cast<Notification*>(&notification));
        } else {
            gone.push_back(e.get());
        }
    }
    for (const auto* e : gone) impl_->remove(e);
}

void NotificationCenter::post(std::string name, Runtime::NSObject* object, Notification::UserInfo userInfo) {
    post(Notification(std::move(name), object, std::move(userInfo)));
}

}  // namespace Foundation
