// Every allocating path with each of its allocations failing in turn: the
// call reports qrxErrMemAlloc, writes nothing and leaves no block behind (the
// counters of tests/support/alloc_hooks.h; LeakSanitizer in the sanitizer
// build). The paths are the internal allocators and generators, and every
// row of the fuzz tables marked as allocating, at thread counts 1, 2 and 8.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "alloc_hooks.h"
#include "frame/primitives.h"
#include "harness/harness.h"
#include "threads.h"

namespace qrxfuzz {
namespace {

struct Attempt {
    QrxStatus status;
    bool wroteNothing;
};

struct AllocatingPath {
    std::string name;
    std::function<Attempt()> attempt;
};

template <class T>
Attempt typedMalloc(T* (*alloc)(int)) {
    T* p = alloc(4099);
    qrxsFree(p);
    return {p ? qrxOk : qrxErrMemAlloc, true};
}

template <class B>
Attempt generator(QrxStatus (*init)(QrxRandState**, B, B, uint32_t), QrxStatus (*release)(QrxRandState*)) {
    QrxRandState marker{};
    QrxRandState* state = &marker;
    const QrxStatus st = init(&state, B(0), B(1024), 0);
    if (st == qrxOk) release(state);
    return {st, st == qrxOk || state == &marker};
}

// A valid call of an allocating entry at its busy size.
Attempt entryCall(const Entry& e, int threads) {
    const Plan plan = validPlan(e, e.rules.busy, e.key);
    auto call = materialize(plan);
    std::vector<std::vector<uint8_t>> before;
    for (int i = 0; i < e.shape.images; ++i)
        for (int k = 0; k < e.images[i].planes; ++k) before.push_back(call->planes[i][k]->snapshot());
    qrxtest::ScopedThreads scoped(threads);
    const QrxStatus st = e.invoke(call->call);
    bool unchanged = true;
    size_t n = 0;
    for (int i = 0; i < e.shape.images; ++i)
        for (int k = 0; k < e.images[i].planes; ++k) unchanged &= call->planes[i][k]->unchangedSince(before[n++]);
    return {st, unchanged};
}

std::vector<AllocatingPath> allocatingPaths() {
    std::vector<AllocatingPath> paths = {
        {"qrxsMalloc_16s", [] { return typedMalloc(&qrxsMalloc_16s); }},
        {"qrxsMalloc_16u", [] { return typedMalloc(&qrxsMalloc_16u); }},
        {"qrxsMalloc_32f", [] { return typedMalloc(&qrxsMalloc_32f); }},
        {"qrxsRandUniformInitAlloc_16s",
         [] { return generator<Qrx16s>(&qrxsRandUniformInitAlloc_16s, &qrxsRandUniformFree_16s); }},
        {"qrxsRandUniformInitAlloc_32f",
         [] { return generator<Qrx32f>(&qrxsRandUniformInitAlloc_32f, &qrxsRandUniformFree_32f); }},
    };
    for (const Entry& e : entries()) {
        if (!e.rules.allocates) continue;
        for (int threads : qrxtest::kThreadCounts)
            paths.push_back({std::string(e.name) + " on " + std::to_string(threads) + " threads",
                             [&e, threads] { return entryCall(e, threads); }});
    }
    return paths;
}

TEST(AllocationFailure, EachAllocationFailingInTurnFailsCleanly) {
    for (const AllocatingPath& path : allocatingPaths()) {
        SCOPED_TRACE(path.name);
        qrxtest::failNthMalloc(0);
        const long live = qrxtest::liveAllocations();
        const Attempt clean = path.attempt();
        const int allocations = qrxtest::mallocCalls();
        ASSERT_EQ(clean.status, qrxOk);
        ASSERT_GT(allocations, 0) << "marked as allocating but took no memory";
        EXPECT_EQ(qrxtest::liveAllocations(), live);
        for (int n = 1; n <= allocations; ++n) {
            qrxtest::ScopedMallocFailure failing(n);
            const Attempt a = path.attempt();
            EXPECT_EQ(a.status, qrxErrMemAlloc) << "allocation " << n << " of " << allocations;
            EXPECT_TRUE(a.wroteNothing) << "allocation " << n << " of " << allocations;
            EXPECT_EQ(qrxtest::liveAllocations(), live) << "allocation " << n << " of " << allocations;
        }
    }
}

}  // namespace
}  // namespace qrxfuzz
