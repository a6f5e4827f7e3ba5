#pragma once
#include <memory>

#include "Runtime/NSObject.hpp"

namespace Runtime {

// How an associated object is held. `assign` keeps a weak reference; the retaining policies
// keep the value alive until it is replaced, removed or the owner is destroyed. Every access
// is serialised, so the atomic and non-atomic policies behave alike here.
enum class AssociationPolicy { assign, retainNonatomic, copyNonatomic, retain, copy };

// Attaches `value` to `object` under `key` (any process-wide unique address). A null value
// removes the association. The previous value is released after the table is updated, so its
// destructor may touch the owner's associations.
void setAssociatedObject(NSObject& object, const void* key, std::shared_ptr<NSObject> value,
                         AssociationPolicy policy);
// Null when nothing is attached under `key` (or an assigned value has gone).
std::shared_ptr<NSObject> getAssociatedObject(const NSObject& object, const void* key);
void removeAssociatedObjects(NSObject& object);

}  // namespace Runtime
