// Runs a block of a test with a fixed thread count, restoring the default.
#pragma once

#include "qrxcore.h"

namespace qrxtest {

class ScopedThreads {
public:
    explicit ScopedThreads(int n) { qrxSetNumThreads(n); }
    ~ScopedThreads() { qrxSetNumThreads(0); }  // back to the default

};

// The thread counts every threaded operation is compared across.
inline constexpr int kThreadCounts[] = {1, 2, 8};

}  // namespace qrxtest
