// Allocation-failure injection. The test executable defines qrxMalloc and
// qrxFree itself, so every scratch allocation the library makes goes through
// these counters before reaching the core library.
#pragma once

#include <cstddef>

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

// Arms an injected failure for one scope.
class ScopedMallocFailure {
public:
    explicit ScopedMallocFailure(int n) { failNthMalloc(n); }
    ~ScopedMallocFailure() { failNthMalloc(0); }
};

}  // namespace qrxtest
