#include "progressbar/live_objects.h"

#include <atomic>

namespace orvane {
namespace {

std::atomic<long>& LiveObjects() {
    static std::atomic<long> count{0};
    return count;
}

}  // namespace

void ObjectCreated() {
    ++LiveObjects();
}
void ObjectDestroyed() {
    --LiveObjects();
}
bool AnyObjectAlive() {
    return LiveObjects() > 0;
}

}  // namespace orvane
