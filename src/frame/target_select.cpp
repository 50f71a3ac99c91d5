// The internal library's choice of target: the widest this processor runs,
// unless a test or benchmark selected another.
#include <atomic>

#include "frame/target_select.h"

namespace qrx {
namespace {

constexpr int kAutomatic = -1;
std::atomic<int> selected{kAutomatic};

}  // namespace

Target activeTarget() {
    const int t = selected.load(std::memory_order_relaxed);
    return t == kAutomatic ? widestTarget() : static_cast<Target>(t);
}

bool selectTarget(Target t) {
    if (!targetSupported(t)) return false;
    selected.store(static_cast<int>(t), std::memory_order_relaxed);
    return true;
}

void selectAutomaticTarget() { selected.store(kAutomatic, std::memory_order_relaxed); }

}  // namespace qrx
