// Finding and checking the fixed-point constants of 8-bit ordered dithering.
#include "reduce/bits/byte_plan.h"

#include <algorithm>
#include <mutex>

#include "reduce/bits/levels.h"

namespace qrx {
namespace {

using P8 = Pair<Qrx8u, Qrx8u>;

// The float rule's outcome for every position and sample: the byte stored
// and the level index k + raised.
struct RuleTable {
    uint8_t out[kBytePlanPositions][256];
    int16_t level[kBytePlanPositions][256];
};

void evaluateRule(int L, RuleTable& t) {
    const LevelSteps st = P8::steps(L);
    for (int p = 0; p < kBytePlanPositions; ++p) {
        const float thr = kBayer4x4[p >> 2][p & 3] * st.step;
        for (int s = 0; s < 256; ++s) {
            const float v = P8::working(static_cast<Qrx8u>(s));
            const int32_t k = truncToInt(v * st.recip);
            const float q = quantise<false>(v, thr, st);
            t.out[p][s] = P8::store<false>(q);
            t.level[p][s] = static_cast<int16_t>(k + (q != static_cast<float>(k) * st.step));
        }
    }
}

// mul and add of one position for index shift sh: floor((h(s) + add) / 2^sh)
// equals the level for every sample below 255. Multipliers are tried
// outward from the line's slope; false when none within reach fits.
bool fitIndex(const int16_t (&level)[256], int L, int sh, uint16_t& mul, uint16_t& add) {
    const int64_t unit = int64_t{1} << sh;
    const int64_t ideal = (256 * int64_t{L} * unit + 127) / 255;
    for (int r = 0; r <= 24; ++r) {
        for (int sign = 0; sign < (r ? 2 : 1); ++sign) {
            const int64_t a = sign ? ideal - r : ideal + r;
            if (a < 0 || a > 65535) continue;
            int64_t lo = 0, hi = 65535;
            for (int s = 0; s < 255 && lo <= hi; ++s) {
                const int64_t h = (256 * int64_t{s} * a) >> 16;
                lo = std::max(lo, level[s] * unit - h);
                hi = std::min(hi, (level[s] + 1) * unit - 1 - h);
                hi = std::min(hi, 65535 - h);  // h + add stays in 16 bits
            }
            if (lo <= hi) {
                mul = static_cast<uint16_t>(a);
                add = static_cast<uint16_t>(lo);
                return true;
            }
        }
    }
    return false;
}

// scale and valueShift taking idx = j << sh to the byte of level j, for
// the levels in use (value[j] < 0 for the others). A byte of 255 may come
// from any larger value below 2^15 (the pack saturates).
bool fitValues(const int (&value)[258], int jmax, int sh, BytePlan& b) {
    for (int vs = 0; vs < 16; ++vs) {
        const int64_t den = int64_t{1} << (16 + vs);
        int64_t lo = 0, hi = 65535;
        for (int j = 0; j <= jmax && lo <= hi; ++j) {
            if (value[j] < 0) continue;
            const int64_t idx = int64_t{j} << sh;
            if (idx == 0) {
                if (value[j] != 0) return false;
                continue;
            }
            const int64_t top = value[j] == 255 ? 32768 : value[j] + 1;
            lo = std::max(lo, (value[j] * den + idx - 1) / idx);
            hi = std::min(hi, (top * den - 1) / idx);
        }
        if (lo <= hi) {
            b.scale = static_cast<uint16_t>(lo);
            b.valueShift = vs;
            return true;
        }
    }
    return false;
}

bool fits(const RuleTable& t, const BytePlan& b) {
    for (int p = 0; p < kBytePlanPositions; ++p)
        for (int s = 0; s < 256; ++s)
            if (bytePlanValue(b, p, s) != t.out[p][s]) return false;
    return true;
}

}  // namespace

BytePlan makeBytePlan(int L) {
    BytePlan b{};
    RuleTable t;
    evaluateRule(L, t);
    // The byte of each level; one level giving two bytes has no plan.
    int value[258];
    for (int& v : value) v = -1;
    int jmax = 0;
    for (int p = 0; p < kBytePlanPositions; ++p) {
        b.top[p] = t.out[p][255];
        for (int s = 0; s < 255; ++s) {
            const int j = t.level[p][s];
            if (j < 0 || j > 257) return b;
            if (value[j] >= 0 && value[j] != t.out[p][s]) return b;
            value[j] = t.out[p][s];
            jmax = std::max(jmax, j);
        }
    }
    // The finest index scale whose indices, and the sums before the mask,
    // stay in 16 bits, then coarser ones.
    int sh = 0;
    while ((int64_t{jmax + 1} << (sh + 1)) <= 65536) ++sh;
    for (; sh >= 0; --sh) {
        bool ok = true;
        for (int p = 0; p < kBytePlanPositions && ok; ++p)
            ok = fitIndex(t.level[p], L, sh, b.mul[p], b.add[p]);
        if (!ok) continue;
        b.mask = static_cast<uint16_t>(0xffffu << sh);
        if (!fitValues(value, jmax, sh, b)) continue;
        b.exact = fits(t, b);
        if (b.exact) {
            for (int r = 0; r < 4; ++r) {
                for (int x = 0; x < 4; ++x) {
                    const int p = 4 * r + x;
                    b.rowFactors[r][2 * x] = static_cast<uint8_t>(b.mul[p] & 0xff);
                    b.rowFactors[r][2 * x + 1] = static_cast<uint8_t>(b.mul[p] >> 8);
                    b.rowFactors[r][8 + 2 * x] = static_cast<uint8_t>(b.add[p] & 0xff);
                    b.rowFactors[r][9 + 2 * x] = static_cast<uint8_t>(b.add[p] >> 8);
                }
                for (int i = 0; i < 16; ++i) b.rowTop[r][i] = b.top[4 * r + (i & 3)];
            }
            return b;
        }
    }
    b.exact = false;
    return b;
}

const BytePlan& bytePlan(int L) {
    static std::once_flag once[256];
    static BytePlan plans[256];
    std::call_once(once[L], [L] { plans[L] = makeBytePlan(L); });
    return plans[L];
}

}  // namespace qrx
