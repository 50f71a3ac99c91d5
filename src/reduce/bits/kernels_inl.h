// Vector kernels of the plain and ordered rows. Each converts the leading
// part of a row and returns how many pixels (or elements) it did; the row
// finishes with the scalar code, which is the reference.
#pragma once

#include "frame/simd.h"
#include "reduce/bits/levels.h"
#include "reduce/bits/rows.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

template <class P>
int plainLead(const typename P::Src*, typename P::Dst*, int, const PlainLevels&) {
    return 0;
}

template <class P>
int plainLeadAC4(const typename P::Src*, typename P::Dst*, int, const PlainLevels&) {
    return 0;
}

template <class P, int Channels, int Reduced, bool Noise, bool Nudged>
int orderedLead(const typename P::Src*, typename P::Dst*, int, int, const OrderedArgs&) {
    return 0;
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
