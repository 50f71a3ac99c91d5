#include "harness/planes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define QRX_FUZZ_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QRX_FUZZ_ASAN 1
#endif
#endif
#ifdef QRX_FUZZ_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace qrxfuzz {
namespace {

bool allSentinel(const uint8_t* p, size_t n) {
    static const std::vector<uint8_t> block(4096, kSentinel);
    while (n > 0) {
        const size_t k = std::min(n, block.size());
        if (std::memcmp(p, block.data(), k) != 0) return false;
        p += k;
        n -= k;
    }
    return true;
}

}  // namespace

GuardedPlane::GuardedPlane(int rowBytes, int rows, int step, bool flushStart, int slack)
    : rowBytes_(rowBytes), rows_(rows), step_(step) {
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const bool empty = rows <= 0 || rowBytes <= 0;
    // Lowest and highest byte offsets the rows cover, relative to row 0.
    int64_t lo = 0, hi = 0;
    if (!empty) {
        const int64_t last = int64_t(step) * (rows - 1);
        lo = last < 0 ? last : 0;
        hi = (last > 0 ? last : 0) + rowBytes;
    }
    const size_t span = size_t(hi - lo);
    usableBytes_ = std::max((span + size_t(slack) + page - 1) / page * page, page);
    mapBytes_ = usableBytes_ + 2 * page;
    void* m = mmap(nullptr, mapBytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) std::abort();
    map_ = static_cast<uint8_t*>(m);
    if (mprotect(map_, page, PROT_NONE) != 0 || mprotect(map_ + page + usableBytes_, page, PROT_NONE) != 0)
        std::abort();
    usable_ = map_ + page;
    std::memset(usable_, kSentinel, usableBytes_);
    if (empty) {
        rows_ = std::max(rows_, 0);
        origin_ = usable_ + usableBytes_;
        gaps_.push_back({0, usableBytes_});
        guardPadding();
        return;
    }
    const size_t lowest = flushStart ? size_t(slack) : usableBytes_ - span - size_t(slack);
    origin_ = usable_ + lowest - lo;
    // The rows in address order, merged where they overlap or touch.
    std::vector<std::pair<size_t, size_t>> covered;
    for (int y = 0; y < rows; ++y) {
        const size_t at = size_t(row(y) - usable_);
        covered.push_back({at, at + size_t(rowBytes)});
    }
    std::sort(covered.begin(), covered.end());
    size_t next = 0;
    for (const auto& [first, last] : covered) {
        if (first > next) gaps_.push_back({next, first});
        next = std::max(next, last);
    }
    if (next < usableBytes_) gaps_.push_back({next, usableBytes_});
    guardPadding();
}

GuardedPlane::~GuardedPlane() {
    setPoison(false);
    munmap(map_, mapBytes_);
}

void GuardedPlane::setPoison(bool on) {
    if (on == poisoned_) return;
#ifdef QRX_FUZZ_ASAN
    if (on) {
        for (const auto& [first, last] : gaps_) ASAN_POISON_MEMORY_REGION(usable_ + first, last - first);
    } else {
        ASAN_UNPOISON_MEMORY_REGION(usable_, usableBytes_);
    }
#endif
    poisoned_ = on;
}

void GuardedPlane::guardPadding() { setPoison(true); }

std::vector<uint8_t> GuardedPlane::snapshot() {
    std::vector<uint8_t> out(size_t(rows_) * size_t(std::max(rowBytes_, 0)));
    if (out.empty()) return out;
    for (int y = 0; y < rows_; ++y) std::memcpy(out.data() + size_t(y) * rowBytes_, row(y), size_t(rowBytes_));
    return out;
}

bool GuardedPlane::unchangedSince(const std::vector<uint8_t>& snap) {
    if (!outsideUntouched()) return false;
    if (snap.empty()) return true;
    for (int y = 0; y < rows_; ++y)
        if (std::memcmp(snap.data() + size_t(y) * rowBytes_, row(y), size_t(rowBytes_)) != 0) return false;
    return true;
}

bool GuardedPlane::outsideUntouched() {
    setPoison(false);
    for (const auto& [first, last] : gaps_)
        if (!allSentinel(usable_ + first, last - first)) return false;
    return true;
}

}  // namespace qrxfuzz
