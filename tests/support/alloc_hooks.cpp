#include "alloc_hooks.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdint>

#include "qrxcore.h"

namespace {

std::atomic<int> gFailAt{0};
std::atomic<int> gCalls{0};
std::atomic<unsigned long long> gBytes{0};
std::atomic<long> gLive{0};
std::atomic<int> gCacheQueries{0};
std::atomic<int32_t> gCacheOverride{0};

template <class Fn>
Fn realSymbol(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

}  // namespace

namespace qrxtest {

void failNthMalloc(int n) {
    gCalls = 0;
    gBytes = 0;
    gFailAt = n;
}
int mallocCalls() { return gCalls; }
unsigned long long mallocBytes() { return gBytes; }
long liveAllocations() { return gLive; }
void resetAllocCounters() {
    gCalls = 0;
    gBytes = 0;
    gFailAt = 0;
}
int cacheQueries() { return gCacheQueries; }
void resetCacheQueries() { gCacheQueries = 0; }
void overrideCacheSize(int32_t bytes) { gCacheOverride = bytes; }

}  // namespace qrxtest

extern "C" {

void* qrxMalloc(uint64_t size) {
    static auto real = realSymbol<void* (*)(uint64_t)>("qrxMalloc");
    const int call = ++gCalls;
    gBytes += size;
    if (gFailAt != 0 && call == gFailAt) return nullptr;
    void* p = real(size);
    if (p) ++gLive;
    return p;
}

void qrxFree(void* ptr) {
    static auto real = realSymbol<void (*)(void*)>("qrxFree");
    if (ptr) --gLive;
    real(ptr);
}

int qrxGetMaxCacheSizeB(int32_t* sizeBytes) {
    static auto real = realSymbol<int (*)(int32_t*)>("qrxGetMaxCacheSizeB");
    ++gCacheQueries;
    if (gCacheOverride > 0 && sizeBytes) {
        *sizeBytes = gCacheOverride;
        return 0;
    }
    return real(sizeBytes);
}

}  // extern "C"
