// Choosing row kernels for the processor, once.
//
// A family compiles its row functions for several instruction sets and
// exposes one table per target (null where a target is not built). The
// dispatched table is the widest one the processor can run, chosen on first
// use and constant afterwards; nothing a caller sets can change it. Tests
// reach every target's table directly to compare it with the scalar one.
#pragma once

#include <array>

namespace qrx {

enum class Target : int { Scalar = 0, SSE2 = 1, AVX2 = 2, AVX512 = 3 };
constexpr int kTargetCount = 4;

// True when this processor can run code built for `t`.
bool targetSupported(Target t);
const char* targetName(Target t);

// One family's kernel tables, indexed by Target; null where not built.
template <class Table>
using TableSet = std::array<const Table*, kTargetCount>;

template <class Table>
const Table& widestTable(const TableSet<Table>& set) {
    for (int t = kTargetCount - 1; t > 0; --t)
        if (set[t] && targetSupported(static_cast<Target>(t))) return *set[t];
    return *set[0];
}

template <class Table>
const Table* tableFor(const TableSet<Table>& set, Target t) {
    return set[static_cast<int>(t)];
}

// The widest table, chosen on the first call and kept (one per family).
template <class Table>
const Table& dispatchedTable(const TableSet<Table>& set) {
    static const Table& table = widestTable(set);
    return table;
}

// Declares the four copies of a family's table `name` that its _rows_inl.h defines
// once per instruction set, and gathers them as the TableSet `name##Set`.
#define QRX_TARGET_TABLES(Table, name)                           \
    namespace isa_scalar { extern const Table name; }            \
    namespace isa_sse2 { extern const Table name; }              \
    namespace isa_avx2 { extern const Table name; }              \
    namespace isa_avx512 { extern const Table name; }            \
    constexpr TableSet<Table> name##Set {                        \
        &isa_scalar::name, &isa_sse2::name, &isa_avx2::name, &isa_avx512::name \
    }

}  // namespace qrx
