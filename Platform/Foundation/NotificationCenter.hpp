#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Foundation/Notification.hpp"
#include "Runtime/Selector.hpp"

namespace Foundation {

// Delivers posted notifications to the observers registered for their name (and sender),
// synchronously on the posting thread, in registration order. Thread-safe: observers may be
// added, removed and notified from any thread, also from inside a delivery.
class NotificationCenter {
public:
    using Block = std::function<void(const Notification&)>;

    // Removes its observer when destroyed or cancelled. Once cancel() returns, the block is not
    // running on another thread and will not be called again (when cancelled from inside the
    // block itself, the current call finishes).
    class Token {
    public:
        Token() = default;
        Token(Token&&) noexcept = default;
        Token& operator=(Token&& other) noexcept;
        ~Token() { cancel(); }
        void cancel();
        bool isActive() const;

    private:
        friend class NotificationCenter;
        struct Entry;
        explicit Token(std::shared_ptr<Entry> entry) : entry_(std::move(entry)) {}
        std::shared_ptr<Entry> entry_;
    };

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    static NotificationCenter& defaultCenter();

    // `name` absent: every notification. `object` absent: from any sender; else only those
    // posted by that object while it lives (it is held weakly).
    [[nodiscard]] Token addObserver(std::optional<std::string> name, const std::shared_ptr<Runtime::NSObject>& object,
                                    Block block);

    // Sends `selector` to `observer` with the notification as the sender. The observer is held
    // weakly: once it is gone it receives nothing, and removeObserver is never required.
    void addObserver(const std::shared_ptr<Runtime::NSObject>& observer, Runtime::Selector selector,
                     std::optional<std::string> name, const std::shared_ptr<Runtime::NSObject>& object = nullptr);
    // Every selector registration of `observer`.
    void removeObserver(const Runtime::NSObject* observer);
    // Those of `observer` for `name` (absent: any) and `object` (nullptr: any).
    void removeObserver(const Runtime::NSObject* observer, const std::optional<std::string>& name,
                        const Runtime::NSObject* object = nullptr);

    void post(const Notification& notification);
    void post(std::string name, Runtime::NSObject* object = nullptr, Notification::UserInfo userInfo = {});

private:
    struct Impl;
    std::shared_ptr<Impl> impl_;  // tokens reach it weakly, so they may outlive the center
};

}  // namespace Foundation
