// Callers on many threads at once: eight application threads run the
// operations of the fuzz tables together, each on destinations of its own
// (sources shared), while the library's own thread count is 1, 2 and 8; every
// destination must hold the bytes of a serial run. Every row runs its busy
// calls (its busy size, each parameter set that chooses another path), which
// open the parallel regions of the threaded families; results that depend on
// the thread count by design (error diffusion of several channels) are
// compared with a serial run at the same thread count. The ThreadSanitizer
// build (tools/test.sh --tsan) runs the same test.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "harness/harness.h"
#include "threads.h"

namespace qrxfuzz {
namespace {

constexpr int kCallers = 8;

struct Case {
    Plan plan;
    std::unique_ptr<Prepared> serial;  // sources shared with the callers
    QrxStatus status = qrxOk;
    bool threadDependent = false;
};

// A serial run: the calling thread alone calls the operation, with the
// library's thread count as it is.
void runSerial(Case& c, const Prepared* sources) {
    c.serial = materialize(c.plan, sources);
    c.status = c.plan.entry->invoke(c.serial->call);
}

std::string compare(const Case& c, const Prepared& got, QrxStatus st) {
    const Entry& e = *c.plan.entry;
    if (st != c.status) return std::string(e.name) + ": status " + std::to_string(st) + ", serially " +
                               std::to_string(c.status);
    for (int i = 0; i < e.shape.images; ++i) {
        if (accessOf(e, i) == Access::Read || accessOf(e, i) == Access::Scratch) continue;
        for (int k = 0; k < e.images[i].planes; ++k) {
            const GuardedPlane& a = *got.planes[i][k];
            const GuardedPlane& b = *c.serial->planes[i][k];
            for (int y = 0; y < a.rows(); ++y)
                if (std::memcmp(a.row(y), b.row(y), a.rowBytes()) != 0)
                    return std::string(e.name) + ": image " + std::to_string(i) + " plane " +
                           std::to_string(k) + " row " + std::to_string(y) + " differs";
        }
    }
    return "";
}

TEST(Concurrency, EightCallersGetTheSerialBytesForEveryThreadCount) {
    std::vector<Case> cases;
    for (const Entry& e : entries())
        for (Plan& plan : busyPlans(e)) {
            Case c;
            c.threadDependent = holds(e.rules.threadDependent, plan);
            c.plan = std::move(plan);
            cases.push_back(std::move(c));
        }
    ASSERT_FALSE(cases.empty());
    {
        qrxtest::ScopedThreads one(1);
        for (Case& c : cases) {
            runSerial(c, nullptr);
            ASSERT_GE(c.status, 0) << describe(c.plan);
        }
    }
    for (int threads : qrxtest::kThreadCounts) {
        qrxtest::ScopedThreads scoped(threads);
        for (Case& c : cases)
            if (c.threadDependent) runSerial(c, c.serial.get());
        std::vector<std::string> failures(kCallers);
        std::vector<std::thread> callers;
        for (int t = 0; t < kCallers; ++t)
            callers.emplace_back([&, t] {
                // Each caller walks the table from its own starting point, so
                // different operations overlap in time.
                for (size_t n = 0; n < cases.size() && failures[t].empty(); ++n) {
                    const Case& c = cases[(n + t * cases.size() / kCallers) % cases.size()];
                    auto own = materialize(c.plan, c.serial.get());
                    failures[t] = compare(c, *own, c.plan.entry->invoke(own->call));
                }
            });
        for (auto& c : callers) c.join();
        for (int t = 0; t < kCallers; ++t)
            EXPECT_EQ(failures[t], "") << "caller " << t << ", library threads " << threads;
    }
}

}  // namespace
}  // namespace qrxfuzz
