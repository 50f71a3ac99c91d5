// Row functions of the bit-depth reduction, compiled once per target by the
// units the build generates (QRX_ISA names the target).
#include "reduce/bits/levels.h"
#include "reduce/bits/rows.h"
#include "reduce/bits/kernels_inl.h"
#include "reduce/bits/diffusion_inl.h"
#include "reduce/bits/ordered_inl.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// No dither, in 0..1: k = trunc(x lf), q = k r, raised by r when x - q > h,
// stored as trunc(q x 255 or 65535), saturated.
template <class P>
inline typename P::Dst plainElement(typename P::Src s, const PlainLevels& lv) {
    const float x = P::normalised(s);
    const float q0 = static_cast<float>(truncToInt(x * lv.lf)) * lv.r;
    const float q = x - q0 > lv.h ? q0 + lv.r : q0;
    return P::fromLevel(truncToInt(q * P::kLevelScale));
}

template <class P>
void plainRun(const typename P::Src* src, typename P::Dst* dst, int count, const PlainLevels& lv) {
    for (int i = plainLead<P>(src, dst, count, lv); i < count; ++i)
        dst[i] = plainElement<P>(src[i], lv);
}

// Channels 0..2 of four-element pixels; the fourth is never written.
template <class P>
void plainAC4(const typename P::Src* src, typename P::Dst* dst, int count, const PlainLevels& lv) {
    for (int i = plainLeadAC4<P>(src, dst, count, lv); i < count; ++i)
        for (int c = 0; c < 3; ++c) dst[4 * i + c] = plainElement<P>(src[4 * i + c], lv);
}

template <class S, class D>
constexpr PairRows<S, D> pairRowsOf() {
    using P = Pair<S, D>;
    // The noise rows of 16s to 8u and of the float sources use the nudged
    // conversions, except for four-channel images.
    constexpr bool kN = kFloydSteinbergAlt<P>;
    return {plainRun<P>,
            plainAC4<P>,
            {{orderedRow<P, 1, 1, false, false>, orderedRow<P, 1, 1, true, kN>},
             {orderedRow<P, 3, 3, false, false>, orderedRow<P, 3, 3, true, kN>},
             {orderedRow<P, 4, 3, false, false>, orderedRow<P, 4, 3, true, kN>},
             {orderedRow<P, 4, 4, false, false>, orderedRow<P, 4, 4, true, false>}},
            {floydSteinbergRow<P, false>, floydSteinbergRow<P, true>},
            {wideRow<P, false>, wideRow<P, true>}};
}

}  // namespace

extern const BitsRows kBitsRows;
const BitsRows kBitsRows{
    pairRowsOf<Qrx8u, Qrx8u>(),   pairRowsOf<Qrx16u, Qrx16u>(), pairRowsOf<Qrx16s, Qrx16s>(),
    pairRowsOf<Qrx16u, Qrx8u>(),  pairRowsOf<Qrx16s, Qrx8u>(),  pairRowsOf<Qrx32f, Qrx8u>(),
    pairRowsOf<Qrx32f, Qrx16u>(), pairRowsOf<Qrx32f, Qrx16s>(),
};

}  // namespace QRX_ISA
}  // namespace qrx
