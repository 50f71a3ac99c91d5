#include "qrxcore.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace {

constexpr uint64_t kAlign = 64;

// 0 means "not set": the default is read when asked, so that a process
// whose CPU set changes sees the current count.
std::atomic<int> gRequestedThreads{0};

int onlineProcessors() {
    long n = sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? static_cast<int>(n) : 1;
}

}  // namespace

extern "C" {

void* qrxMalloc(uint64_t size) {
    if (size == 0) size = 1;
    if (size > UINT64_MAX - kAlign) return nullptr;
    uint64_t rounded = (size + kAlign - 1) / kAlign * kAlign;
    return std::aligned_alloc(kAlign, static_cast<size_t>(rounded));
}

void qrxFree(void* ptr) { std::free(ptr); }

int qrxGetMaxCacheSizeB(int32_t* sizeBytes) {
    if (!sizeBytes) return -8;
    long best = 0;
    const int names[] = {_SC_LEVEL1_DCACHE_SIZE, _SC_LEVEL2_CACHE_SIZE,
                         _SC_LEVEL3_CACHE_SIZE, _SC_LEVEL4_CACHE_SIZE};
    for (int name : names) {
        long v = sysconf(name);
        if (v > best) best = v;
    }
    if (best <= 0) return 1;
    *sizeBytes = best > INT32_MAX ? INT32_MAX : static_cast<int32_t>(best);
    return 0;
}

int ownGetNumThreads(void) {
    int n = gRequestedThreads.load(std::memory_order_relaxed);
    return n > 0 ? n : onlineProcessors();
}

void qrxSetNumThreads(int numThreads) {
    gRequestedThreads.store(numThreads > 0 ? numThreads : 0, std::memory_order_relaxed);
}

int qrxGetNumThreads(void) { return ownGetNumThreads(); }

}  // extern "C"
