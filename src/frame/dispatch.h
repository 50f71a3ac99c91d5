// Choosing row kernels for the processor, once.
//
// A family compiles its row functions for several instruction sets and
// exposes one table per target (null where a target is not built). The
// dispatched table is the widest one the processor can run, chosen on first
// use and constant afterwards; nothing a caller sets can change it. Tests
// reach every target's table directly to compare it with the scalar one.
#pragma once

namespace qrx {

enum class Target : int { Scalar = 0, SSE2 = 1, AVX2 = 2, AVX512 = 3 };
constexpr int kTargetCount = 4;

// True when this processor can run code built for `t`.
bool targetSupported(Target t);
const char* targetName(Target t);

// The widest supported target for which tableFor returns a table.
template <class Table>
const Table& widestTable(const Table* (*tableFor)(Target)) {
    for (int t = kTargetCount - 1; t > 0; --t) {
        const Target target = static_cast<Target>(t);
        if (const Table* table = tableFor(target); table && targetSupported(target)) return *table;
    }
    return *tableFor(Target::Scalar);
}

}  // namespace qrx
