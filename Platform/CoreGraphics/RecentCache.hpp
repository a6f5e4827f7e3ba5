#pragma once
// Internal to the library.
#include <cstddef>
#include <unordered_map>
#include <utility>

namespace CoreGraphics {

// A map that keeps what was used lately and forgets the rest: entries go into the newer of
// two generations; when it fills, it becomes the older and the old older is dropped, and a
// hit in the older moves back to the newer. It never holds more than twice `generationSize`.
// Not locked: its owner guards it.
template <class Key, class Value, class Hash>
class RecentCache {
public:
    explicit RecentCache(std::size_t generationSize) : generationSize_(generationSize) {}

    Value* find(const Key& key) {
        if (auto it = newer_.find(key); it != newer_.end()) return &it->second;
        if (auto it = older_.find(key); it != older_.end()) {
            auto node = older_.extract(it);
            return &insert(std::move(node.key()), std::move(node.mapped()));
        }
        return nullptr;
    }
    Value& insert(Key key, Value value) {
        if (newer_.size() >= generationSize_) {
            older_ = std::move(newer_);
            newer_.clear();
        }
        return newer_.insert_or_assign(std::move(key), std::move(value)).first->second;
    }
    void clear() {
        newer_.clear();
        older_.clear();
    }
    std::size_t size() const { return newer_.size() + older_.size(); }

private:
    std::size_t generationSize_;
    std::unordered_map<Key, Value, Hash> newer_, older_;
};

}  // namespace CoreGraphics
