// The core library: aligned scratch memory, the thread count every parallel
// region asks for, and the cache size.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "qrxcore.h"
#include "threads.h"

namespace {

TEST(CoreMalloc, BlocksAreAlignedWritableAndIndependent) {
    // Sizes around the alignment, including the empty request.
    for (uint64_t size : {0ull, 1ull, 2ull, 63ull, 64ull, 65ull, 127ull, 4097ull, 1ull << 20}) {
        auto* a = static_cast<unsigned char*>(qrxMalloc(size));
        auto* b = static_cast<unsigned char*>(qrxMalloc(size));
        ASSERT_NE(a, nullptr) << size;
        ASSERT_NE(b, nullptr) << size;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 64, 0u) << size;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % 64, 0u) << size;
        const size_t n = size ? size : 1;
        std::memset(a, 0x11, n);  // the whole requested size is usable
        std::memset(b, 0x22, n);
        EXPECT_EQ(a[n - 1], 0x11) << size;
        EXPECT_EQ(a[0], 0x11) << size;
        qrxFree(a);
        qrxFree(b);
    }
    qrxFree(nullptr);  // ignored
}

TEST(CoreMalloc, SizesThatCannotBeRoundedToTheAlignmentFail) {
    EXPECT_EQ(qrxMalloc(UINT64_MAX), nullptr);
    EXPECT_EQ(qrxMalloc(UINT64_MAX - 63), nullptr);
}

TEST(CoreThreads, CountFollowsTheApplicationAndFallsBackToTheProcessors) {
    const int online = static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN));
    ASSERT_GE(online, 1);
    {
        qrxtest::ScopedThreads none(0);
        EXPECT_EQ(ownGetNumThreads(), online);
        EXPECT_EQ(qrxGetNumThreads(), online);
    }
    // One, a few, and more than this machine has.
    for (int n : {1, 2, 3, 4 * online + 1}) {
        qrxtest::ScopedThreads scope(n);
        EXPECT_EQ(ownGetNumThreads(), n);
        EXPECT_EQ(qrxGetNumThreads(), n);
    }
    // A count below 1 restores the default, whatever was set before.
    for (int n : {0, -1, -100}) {
        qrxSetNumThreads(5);
        qrxSetNumThreads(n);
        EXPECT_EQ(ownGetNumThreads(), online) << n;
        EXPECT_EQ(qrxGetNumThreads(), online) << n;
    }
    qrxSetNumThreads(0);
}

TEST(CoreCache, ReportsTheLargestKnownCache) {
    EXPECT_NE(qrxGetMaxCacheSizeB(nullptr), 0);
    long largest = 0;
    for (int name : {_SC_LEVEL1_DCACHE_SIZE, _SC_LEVEL2_CACHE_SIZE, _SC_LEVEL3_CACHE_SIZE,
                     _SC_LEVEL4_CACHE_SIZE})
        largest = std::max(largest, sysconf(name));
    int32_t size = -7;
    const int st = qrxGetMaxCacheSizeB(&size);
    if (largest <= 0) {
        EXPECT_NE(st, 0);
        EXPECT_EQ(size, -7);  // nothing stored
    } else {
        EXPECT_EQ(st, 0);
        EXPECT_EQ(size, std::min<long>(largest, INT32_MAX));
    }
}

}  // namespace
