// Choosing row kernels for the processor.
//
// A family compiles its row functions once per target (scalar reference,
// SSE2, AVX2, AVX-512; the build generates the units, see
// cmake/QrxFamily.cmake) and gathers the four copies of its table in a
// TableSet. Entries use the table of the active target. In the shared
// library that is always the widest target the processor runs, chosen on
// first use and constant afterwards: nothing a caller does changes it. The
// internal library that tests and benchmarks link adds a way to select
// another target (frame/target_select.h), so every target can be run
// through the public entry points.
#pragma once

#include <array>

namespace qrx {

enum class Target : int { Scalar = 0, SSE2 = 1, AVX2 = 2, AVX512 = 3 };
constexpr int kTargetCount = 4;

// True when this processor can run code built for `t`.
bool targetSupported(Target t);
const char* targetName(Target t);
// The widest target this processor runs (computed once).
Target widestTarget();
// The target whose tables the entries use.
Target activeTarget();

// One family's kernel tables, indexed by Target.
template <class Table>
using TableSet = std::array<const Table*, kTargetCount>;

template <class Table>
const Table* tableFor(const TableSet<Table>& set, Target t) {
    return set[static_cast<int>(t)];
}

template <class Table>
const Table& activeTable(const TableSet<Table>& set) {
    return *set[static_cast<int>(activeTarget())];
}

// Declares the four copies of a family's table `name` that its rows_inl.h
// defines once per target, gathers them as the TableSet `name##Set`, and
// defines `accessor()` (the active table) and `accessor##For(Target)`.
// (The target namespaces are inline wherever they appear, see frame/isa.h.)
#define QRX_FAMILY_TABLES(Table, name, accessor)                                    \
    inline namespace isa_scalar { extern const Table name; }                        \
    inline namespace isa_sse2 { extern const Table name; }                          \
    inline namespace isa_avx2 { extern const Table name; }                          \
    inline namespace isa_avx512 { extern const Table name; }                        \
    inline constexpr TableSet<Table> name##Set{&isa_scalar::name, &isa_sse2::name,  \
                                               &isa_avx2::name, &isa_avx512::name}; \
    inline const Table& accessor() { return activeTable(name##Set); }              \
    inline const Table* accessor##For(Target t) { return tableFor(name##Set, t); }

}  // namespace qrx
