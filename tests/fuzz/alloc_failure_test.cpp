// Every allocating path with each of its allocations failing in turn: the
// call reports qrxErrMemAlloc, writes nothing and leaves no block behind (the
// counters of tests/support/alloc_hooks.h; LeakSanitizer in the sanitizer
// build). The paths are the internal allocators and generators, and every
// busy call of the fuzz tables that allocates (16-bit gamma's table on large
// images; ReduceBits' error rows, noise tables and generators), at thread
// counts 1, 2 and 8.
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

// A busy call of an allocating entry.
Attempt entryCall(const Plan& plan, int threads) {
    const Entry& e = *plan.entry;
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
    for (const Entry& e : entries())
        for (const Plan& plan : busyPlans(e)) {
            if (!holds(e.rules.allocates, plan)) continue;
            for (int threads : qrxtest::kThreadCounts)
                paths.push_back({describe(plan) + " on " + std::to_string(threads) + " threads",
                                 [plan, threads] { return entryCall(plan, threads); }});
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

// The tables' word on memory holds the other way too: a busy call that is
// not marked as allocating takes none (no dither, ordered dithering without
// noise, 16-bit gamma on small images).
TEST(AllocationFailure, CallsNotMarkedAsAllocatingTakeNoMemory) {
    int calls = 0;
    for (const Entry& e : entries())
        for (const Plan& plan : busyPlans(e)) {
            if (holds(e.rules.allocates, plan)) continue;
            qrxtest::failNthMalloc(0);
            const Attempt a = entryCall(plan, 2);
            EXPECT_GE(a.status, 0) << describe(plan);
            EXPECT_EQ(qrxtest::mallocCalls(), 0) << describe(plan);
            ++calls;
        }
    EXPECT_GT(calls, 0);
}

}  // namespace
}  // namespace qrxfuzz
