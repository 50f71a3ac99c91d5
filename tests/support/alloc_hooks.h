// Allocation-failure injection and core-library call counts. The test
// executable defines qrxMalloc, qrxFree and qrxGetMaxCacheSizeB itself, so
// every call the library makes to them goes through these counters before
// reaching the core library.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qrxtest {

// Makes the n-th qrxMalloc call from now on (1-based) return null; 0 disarms.
void failNthMalloc(int n);
// qrxMalloc calls since the last failNthMalloc/resetAllocCounters.
int mallocCalls();
// Bytes those calls asked for (failed ones included).
unsigned long long mallocBytes();
// Blocks handed out and not yet freed.
long liveAllocations();
void resetAllocCounters();
// qrxGetMaxCacheSizeB calls since the last resetCacheQueries().
int cacheQueries();
void resetCacheQueries();
// Makes qrxGetMaxCacheSizeB report `bytes` (0: the real size again).
void overrideCacheSize(int32_t bytes);

// Arms an injected failure for one scope.
class ScopedMallocFailure {
public:
    explicit ScopedMallocFailure(int n) { failNthMalloc(n); }
    ~ScopedMallocFailure() { failNthMalloc(0); }
};

}  // namespace qrxtest
