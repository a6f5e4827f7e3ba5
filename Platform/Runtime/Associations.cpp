#include "Runtime/Associations.hpp"

#include <mutex>
#include <unordered_map>
#include <utility>

namespace Runtime {

struct AssociationEntry {
    std::shared_ptr<NSObject> strong;
    std::weak_ptr<NSObject> weak;
};

class AssociationTable {
public:
    std::unordered_map<const void*, AssociationEntry> entries;
};

// The owner's table is reached only here; one lock for every table keeps this simple, and
// associations are set rarely.
class Associations {
public:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static std::shared_ptr<AssociationTable>& table(NSObject& object) { return object.associations_; }
    static const AssociationTable* table(const NSObject& object) { return object.associations_.get(); }
};

void setAssociatedObject(NSObject& object, const void* key, std::shared_ptr<NSObject> value, AssociationPolicy policy) {
    AssociationEntry released;  // destroyed after the lock is let go
    {
        std::lock_guard lock(Associations::mutex());
        auto& table = Associations::table(object);
        if (!value) {
            if (!table) return;
            if (auto it = table->entries.find(key); it != table->entries.end()) {
                released = std::move(it->second);
                table->entries.erase(it);
            }
            return;
        }
        if (!table) table = std::make_unique<AssociationTable>();
        AssociationEntry entry;
        if (policy == AssociationPolicy::assign)
            entry.weak = value;
        else
            entry.strong = std::move(value);
        auto& slot = table->entries[key];
        released = std::exchange(slot, std::move(entry));
    }
}

std::shared_ptr<NSObject> getAssociatedObject(const NSObject& object, const void* key) {
    std::lock_guard lock(Associations::mutex());
    const AssociationTable* table = Associations::table(object);
    if (!table) return nullptr;
    auto it = table->entries.find(key);
    if (it == table->entries.end()) return nullptr;
    return it->second.strong ? it->second.strong : it->second.weak.lock();
}

void removeAssociatedObjects(NSObject& object) {
    std::shared_ptr<AssociationTable> released;
    {
        std::lock_guard lock(Associations::mutex());
        released = std::move(Associations::table(object));
    }
}

}  // namespace Runtime
