// Small helpers every family uses to address rows and saturate values.
#pragma once

#include "frame/isa.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "qrxcc.h"

namespace qrx {
inline namespace QRX_ISA {

// Row y of an image whose rows are `step` bytes apart (step may be negative).
template <class T>
inline T* rowPtr(T* base, int step, int y) {
    using Byte = std::conditional_t<std::is_const_v<T>, const unsigned char, unsigned char>;
    return reinterpret_cast<T*>(reinterpret_cast<Byte*>(base) +
                                static_cast<std::ptrdiff_t>(step) * y);
}

// A byte step as whole elements of T, rounded down (floor for negative
// steps too): rows of 16- and 32-bit data start on element boundaries.
template <class T>
inline int wholeElementStep(int step) {
    return step & -static_cast<int>(sizeof(T));
}

inline Qrx8u sat8u(int v) { return static_cast<Qrx8u>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

inline Qrx16u sat16u(int v) {
    return static_cast<Qrx16u>(v < 0 ? 0 : (v > 65535 ? 65535 : v));
}

inline Qrx16s sat16s(int v) {
    return static_cast<Qrx16s>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v));
}

// Floor division by 2^n of a signed value (arithmetic shift).
inline int floorShift(int v, int n) { return v >> n; }
inline int64_t floorShift(int64_t v, int n) { return v >> n; }

}  // namespace QRX_ISA
}  // namespace qrx
