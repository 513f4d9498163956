#pragma once
// Counts the library's live objects and factories, so the host can tell when unloading the
// library is safe. This counter is the library's only global state.

namespace orvane {

void ObjectCreated();
void ObjectDestroyed();
bool AnyObjectAlive();

}  // namespace orvane
