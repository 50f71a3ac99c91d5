// Vector kernel of the CFA interior rows (AVX2 and AVX-512 units): whole
// column pairs, with the reference arithmetic of rows_inl.h.
//
// A lane of the wide type holds one column pair, the pair's first sample in
// its low half and the second in its high half, so one unaligned load and a
// mask or shift separate the two sites of a Bayer row without shuffles, and
// the sums of up to four samples fit the lane. The results are packed back
// the same way and stored as RGB by an interleaving store.
#pragma once

#if QRX_SIMD

#include <cstdint>

namespace qrx {
inline namespace QRX_ISA {
namespace {

namespace hn = simd::hn;

template <class T>
struct PairLanes;
template <>
struct PairLanes<Qrx8u> {
    using W = int16_t;
    static constexpr int kBits = 8;
};
template <>
struct PairLanes<Qrx16u> {
    using W = int32_t;
    static constexpr int kBits = 16;
};

// Returns the number of leading columns converted (a multiple of the pairs
// per vector, times two).
template <class T>
int cfaLeadKernel(const T* const* rows, T* dst, int c0, int n, int greenParity, int siteChannel) {
    using W = typename PairLanes<T>::W;
    constexpr int kBits = PairLanes<T>::kBits;
    const hn::ScalableTag<W> dw;
    const hn::Repartition<T, decltype(dw)> dt;
    using V = hn::Vec<decltype(dw)>;
    struct Pair {
        V a, b;  // first and second column of each pair
    };
    const V low = hn::Set(dw, W((1 << kBits) - 1)), one = hn::Set(dw, 1), two = hn::Set(dw, 2);
    const auto load = [&](const T* row, int c) {
        const V w = hn::BitCast(dw, hn::LoadU(dt, row + c));
        return Pair{hn::And(w, low), hn::And(hn::ShiftRight<kBits>(w), low)};
    };
    const auto avg2 = [&](V a, V b) { return hn::ShiftRight<1>(hn::Add(hn::Add(a, b), one)); };
    const auto avg4 = [&](V a, V b, V c, V d) {
        return hn::ShiftRight<2>(hn::Add(hn::Add(hn::Add(a, b), hn::Add(c, d)), two));
    };
    // Green at a red or blue site from its row (l, r, l2, r2) and column
    // (u, d, u2, d2) neighbours.
    const auto green = [&](V l, V r, V l2, V r2, V u, V d, V u2, V d2) {
        const V dV = hn::Abs(hn::Sub(u2, d2)), dH = hn::Abs(hn::Sub(l2, r2));
        return hn::IfThenElse(hn::Lt(dV, dH), avg2(u, d),
                              hn::IfThenElse(hn::Gt(dV, dH), avg2(l, r), avg4(u, l, r, d)));
    };
    const auto pack = [&](V first, V second) {
        return hn::BitCast(dt, hn::Or(first, hn::ShiftLeft<kBits>(second)));
    };

    const T *up2 = rows[0], *up = rows[1], *s = rows[2], *down = rows[3], *down2 = rows[4];
    const bool siteFirst = ((c0 ^ greenParity) & 1) != 0;
    const int step = static_cast<int>(2 * hn::Lanes(dw));
    int i = 0;
    for (; i + step <= n; i += step) {
        const int c = c0 + i;
        const Pair sM = load(s, c - 2), s0 = load(s, c), sP = load(s, c + 2);
        const Pair u0 = load(up, c), d0 = load(down, c), u2 = load(up2, c), d2 = load(down2, c);
        hn::Vec<decltype(dt)> x, y, g;  // the site colour, the other of red and blue, green
        if (siteFirst) {
            const Pair uM = load(up, c - 2), dM = load(down, c - 2);
            x = pack(s0.a, avg2(s0.a, sP.a));
            y = pack(avg4(uM.b, u0.b, dM.b, d0.b), avg2(u0.b, d0.b));
            g = pack(green(sM.b, s0.b, sM.a, sP.a, u0.a, d0.a, u2.a, d2.a), s0.b);
        } else {
            const Pair uP = load(up, c + 2), dP = load(down, c + 2);
            x = pack(avg2(sM.b, s0.b), s0.b);
            y = pack(avg2(u0.a, d0.a), avg4(u0.a, uP.a, d0.a, dP.a));
            g = pack(s0.a, green(s0.a, sP.a, sM.b, sP.b, u0.b, d0.b, u2.b, d2.b));
        }
        if (siteChannel == 0)
            hn::StoreInterleaved3(x, g, y, dt, dst + 3 * i);
        else
            hn::StoreInterleaved3(y, g, x, dt, dst + 3 * i);
    }
    return i;
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#else

namespace qrx {
inline namespace QRX_ISA {
namespace {

template <class T>
int cfaLeadKernel(const T* const*, T*, int, int, int, int) {
    return 0;
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#endif
