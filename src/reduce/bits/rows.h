// Row functions of the bit-depth reduction: plain quantisation, ordered
// (4 x 4 Bayer) dithering and error diffusion, one table per target.
//
// Every method quantises a working value v against `step` equal steps:
// k = trunc(v x recip), q = k x step, raised by one step when v - q is
// strictly above a threshold. The methods differ in the threshold (half a
// step, a matrix entry, or a random one) and in what they add to v first
// (nothing, or the error diffused from quantised neighbours).
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

// No dither: lf = (float)L, r = 1 / lf, h = 0.5 / lf, in the normalised
// domain 0..1.
struct PlainLevels {
    float lf, r, h;
};

// The step between two levels in the pair's working domain, and its
// reciprocal.
struct LevelSteps {
    float step, recip;
};

// The shared, read-only tables of the noise forms: 1024 random values
// (thresholds or offsets) and 1024 random indices into them. Pixel (x, y)
// takes values[(idx[x mod 1024] + 2y + x) mod 1024].
struct NoiseTables {
    const Qrx32f* values = nullptr;
    const Qrx16s* idx = nullptr;
};

inline constexpr int kNoiseTableSize = 1024;

// The 4 x 4 threshold matrix, B / 15 as float, indexed [y mod 4][x mod 4].
inline constexpr float kBayer4x4[4][4] = {
    {0.0f, 0.5333333611488342f, 0.13333334028720856f, 0.6666666865348816f},
    {0.800000011920929f, 0.2666666805744171f, 0.9333333373069763f, 0.4000000059604645f},
    {0.20000000298023224f, 0.7333333492279053f, 0.06666667014360428f, 0.6000000238418579f},
    {1.0f, 0.46666666865348816f, 0.8666666746139526f, 0.3333333432674408f},
};

struct BytePlan;

struct OrderedArgs {
    LevelSteps s;
    NoiseTables noise;  // used by the noise rows only
    // 8-bit to 8-bit without noise: the checked fixed-point form of this
    // level count, or null (the float rule then runs everywhere).
    const BytePlan* bytes = nullptr;
};

// Weights of the two wide diffusion kernels: the row two above and the row
// above at columns x-2 .. x+2, the current row at x-2 and x-1, and the
// normalisation.
struct WideWeights {
    float up2[5], up[5], cur[2], norm;
};

inline constexpr WideWeights kJarvisJudiceNinke = {
    {1, 3, 5, 3, 1}, {3, 5, 7, 5, 3}, {5, 7}, 0.02083333395421505f};
inline constexpr WideWeights kStucki = {
    {1, 2, 4, 2, 1}, {2, 4, 8, 4, 2}, {4, 8}, 0.02380952425301075f};

struct DiffusionArgs {
    LevelSteps s;
    NoiseTables noise;           // thresholds, used by the noise rows only
    const WideWeights* weights;  // the wide kernels only
};

// The error rows of one channel's row: the current row (written), the row
// above and the row two above (read). Index -1 (Floyd-Steinberg) or -2 and
// -1 (wide kernels) and the same count past the width are zero margins.
struct ErrorRows {
    float* cur;
    const float* up;
    const float* up2;
};

// Plain rows convert `count` elements (a run of whole pixels) or, for the
// AC4 form, channels 0..2 of `count` four-element pixels.
template <class S, class D>
using PlainRow = void (*)(const S* src, D* dst, int count, const PlainLevels& lv);

// Ordered rows convert one row of `width` pixels; y is the row's index in
// the region (the matrix phase and the noise index follow it).
template <class S, class D>
using OrderedRow = void (*)(const S* src, D* dst, int width, int y, const OrderedArgs& a);

// Diffusion rows convert one channel of one row: src and dst address the
// channel's first element, `stride` elements apart.
template <class S, class D>
using DiffusionRow = void (*)(const S* src, D* dst, int width, int stride, int y,
                              const ErrorRows& e, const DiffusionArgs& a);

enum OrderedLayout { kOrderedC1, kOrderedC3, kOrderedAC4, kOrderedC4, kOrderedLayouts };

template <class S, class D>
struct PairRows {
    PlainRow<S, D> plain, plainAC4;
    OrderedRow<S, D> ordered[kOrderedLayouts][2];  // [layout][noise]
    DiffusionRow<S, D> floydSteinberg[2];          // [noise]
    DiffusionRow<S, D> wide[2];                    // Jarvis-Judice-Ninke and Stucki, [noise]
};

struct BitsRows {
    PairRows<Qrx8u, Qrx8u> u8;
    PairRows<Qrx16u, Qrx16u> u16;
    PairRows<Qrx16s, Qrx16s> s16;
    PairRows<Qrx16u, Qrx8u> u16u8;
    PairRows<Qrx16s, Qrx8u> s16u8;
    PairRows<Qrx32f, Qrx8u> f32u8;
    PairRows<Qrx32f, Qrx16u> f32u16;
    PairRows<Qrx32f, Qrx16s> f32s16;
};

// The active table (bitsRows()) and each target's (bitsRowsFor(t)).
QRX_FAMILY_TABLES(BitsRows, kBitsRows, bitsRows)

// The rows of one type pair in a table.
template <class S, class D>
const PairRows<S, D>& pairRows(const BitsRows& t);
template <> inline const PairRows<Qrx8u, Qrx8u>& pairRows(const BitsRows& t) { return t.u8; }
template <> inline const PairRows<Qrx16u, Qrx16u>& pairRows(const BitsRows& t) { return t.u16; }
template <> inline const PairRows<Qrx16s, Qrx16s>& pairRows(const BitsRows& t) { return t.s16; }
template <> inline const PairRows<Qrx16u, Qrx8u>& pairRows(const BitsRows& t) { return t.u16u8; }
template <> inline const PairRows<Qrx16s, Qrx8u>& pairRows(const BitsRows& t) { return t.s16u8; }
template <> inline const PairRows<Qrx32f, Qrx8u>& pairRows(const BitsRows& t) { return t.f32u8; }
template <> inline const PairRows<Qrx32f, Qrx16u>& pairRows(const BitsRows& t) { return t.f32u16; }
template <> inline const PairRows<Qrx32f, Qrx16s>& pairRows(const BitsRows& t) { return t.f32s16; }

}  // namespace qrx
