// The row pipeline of the AHD demosaicing, compiled once per target by the
// units the build generates (QRX_ISA names the target). Every pass is a
// plain loop over the columns of one row and is the reference; the vector
// kernels (kernels_inl.h) take its columns in whole vectors with the same
// arithmetic, and float operations are never contracted or reordered, so
// every target rounds like the scalar one.
#include <cstdint>
#include <type_traits>

#include "demosaic/ahd/rows.h"
#include "demosaic/bayer.h"
#include "frame/image.h"
#include "frame/simd.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// Sample range and the RGB to XYZ rows, each divided by its white-point
// component and by the sample maximum.
template <class T>
struct AhdScale;
template <>
struct AhdScale<Qrx8u> {
    static constexpr int kMax = 255;
    static constexpr float kXyz[9] = {
        0.0017017754726111889f, 0.001475370256230235f,  0.0007444228394888341f,
        0.0008340039057657123f, 0.002804549178108573f,  0.0002830156881827861f,
        6.96388742653653e-05f,  0.0004293196543585509f, 0.0034226097632199526f};
};
template <>
struct AhdScale<Qrx16u> {
    static constexpr int kMax = 65535;
    static constexpr float kXyz[9] = {
        6.6216944105690345e-06f, 5.740740107285092e-06f,  2.896586920542177e-06f,
        3.245151447117678e-06f,  1.0912642210314516e-05f, 1.1012283493982977e-06f,
        2.709683712964761e-07f,  1.6705045027265442e-06f, 1.3317548109625932e-05f};
};

// Rows of floats (Lab values and differences) hold columns -2 .. width + 1,
// the first of them at a 64-byte boundary.
inline constexpr int kLabAligned = -2;
inline constexpr int kLabPad = 16 - kLabAligned;
inline constexpr int kLabRow = kAhdMaxStripe + 2 * kLabPad;

struct LabRow {
    float* L;
    float* a;
    float* b;
};

// Differences between neighbours in one candidate: |dL| and dC.
struct DiffRow {
    float* L;
    float* C;
};

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#include "demosaic/ahd/kernels_inl.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

inline bool isGreen(int c, int greenParity) { return ((c ^ greenParity) & 1) == 0; }

// Green at a red or blue sample k between greens g1 and g2, corrected by
// the curvature of its own colour (k1, k2 two samples away); the plain
// average when the corrected value does not lie strictly inside the greens.
inline int directionalGreen(int g1, int g2, int k, int k1, int k2) {
    const int avg = (g1 + g2) >> 1;
    const int v = avg + (((k - k1) + (k - k2)) >> 2);
    return ((v - g1) ^ (g2 - v)) <= 0 ? avg : v;
}

template <class T>
inline T clampSample(int v) {
    constexpr int kMax = AhdScale<T>::kMax;
    return static_cast<T>(v < 0 ? 0 : (v > kMax ? kMax : v));
}

// Row k's greens along the row (gh) and along the column (gv), columns
// [c0, c1); s[j] is source row k - 2 + j.
template <class T>
void greenRow(const T* const* s, T* gh, T* gv, int c0, int c1, int greenParity) {
    const T *u2 = s[0], *u1 = s[1], *m = s[2], *d1 = s[3], *d2 = s[4];
    for (int c = greenKernel(s, gh, gv, c0, c1, greenParity); c < c1; ++c) {
        const int k = m[c];
        const int h = directionalGreen(m[c - 1], m[c + 1], k, m[c - 2], m[c + 2]);
        const int v = directionalGreen(u1[c], d1[c], k, u2[c], d2[c]);
        const bool g = isGreen(c, greenParity);
        gh[c] = static_cast<T>(g ? k : h);
        gv[c] = static_cast<T>(g ? k : v);
    }
}

// One candidate's red and blue on row k, columns [c0, c1), from the colour
// differences to its green g (rows k - 1, k, k + 1, like the source rows s).
// `site` receives the colour of the row's red or blue sites, `cross` the
// other one.
template <class T>
void candidateRow(const T* const* s, const T* const* g, T* site, T* cross, int c0, int c1,
                  int greenParity) {
    const T *s0 = s[0], *s1 = s[1], *s2 = s[2], *g0 = g[0], *g1 = g[1], *g2 = g[2];
    for (int c = c0; c < c1; ++c) {
        const int centre = g1[c];
        const int across = ((s1[c - 1] - g1[c - 1]) + (s1[c + 1] - g1[c + 1])) >> 1;
        const int along = ((s0[c] - g0[c]) + (s2[c] - g2[c])) >> 1;
        const int diagonal = ((s0[c - 1] + s0[c + 1] + s2[c - 1] + s2[c + 1]) -
                              (g0[c - 1] + g0[c + 1] + g2[c - 1] + g2[c + 1])) >> 2;
        const bool green = isGreen(c, greenParity);
        site[c] = green ? clampSample<T>(centre + across) : s1[c];
        cross[c] = clampSample<T>(centre + (green ? along : diagonal));
    }
}

// Both candidates' red and blue: g[d], site[d] and cross[d] are candidate
// d's green rows, red or blue at the sites and the other colour.
template <class T>
void candidateRows(const T* const* s, const T* const (&g)[2][3], T* const (&site)[2], T* const (&cross)[2],
                   int c0, int c1, int greenParity) {
    const int c = candidateKernel(s, g, site, cross, c0, c1, greenParity);
    for (int d = 0; d < 2; ++d) candidateRow(s, g[d], site[d], cross[d], c, c1, greenParity);
}

// The cube root above the linear toe: a rational start refined by two
// Halley steps.
inline float labF(float t) {
    const float toe = 7.787037f * t + 0.13793103f;
    float a = (0.6f * t + 0.0081f) / (t + 0.054f);
    for (int i = 0; i < 2; ++i) {
        const float a3 = (a * a) * a;
        a = a * (((t + t) + a3) / ((t + a3) + a3));
    }
    return t < 0.008856f ? toe : a;
}


template <class T>
void labRow(const T* r, const T* g, const T* b, LabRow out, int c0, int c1) {
    const float* k = AhdScale<T>::kXyz;
    for (int c = c0; c < c1; ++c) {
        const float R = r[c], G = g[c], B = b[c];
        const float x = (k[0] * R + k[1] * G) + k[2] * B;
        const float y = (k[3] * R + k[4] * G) + k[5] * B;
        const float z = (k[6] * R + k[7] * G) + k[8] * B;
        const float fx = labF(x), fy = labF(y), fz = labF(z);
        out.L[c] = 116.0f * fy - 16.0f;
        out.a[c] = 500.0f * (fx - fy);
        out.b[c] = 200.0f * (fy - fz);
    }
}

// Lab of both candidates (red, green and blue rows of each).
template <class T>
void labRows(const T* const (&rgb)[2][3], const LabRow (&out)[2], int c0, int c1) {
    const int c = labKernel(rgb, out, c0, c1);
    for (int d = 0; d < 2; ++d) labRow(rgb[d][0], rgb[d][1], rgb[d][2], out[d], c, c1);
}

inline float absf(float v) { return v < 0.0f ? -v : v; }
inline float maxf(float a, float b) { return a < b ? b : a; }
inline float minf(float a, float b) { return b < a ? b : a; }

// The differences the homogeneity test takes between a pixel and one
// neighbour, in one candidate: |dL| and dC = da*^2 + db*^2. Both are the
// same seen from either pixel, so each is computed once: along a row
// between columns c and c + 1, down a column between rows k - 1 and k.
inline void diffRow(LabRow p, LabRow q, DiffRow out, int c0, int c1) {
    for (int c = c0; c < c1; ++c) {
        const float da = q.a[c] - p.a[c], db = q.b[c] - p.b[c];
        out.L[c] = absf(q.L[c] - p.L[c]);
        out.C[c] = da * da + db * db;
    }
}

// Both candidates' differences of Lab row k: along the row (q is p one
// column on), and to row k - 1 above when `above` is given.
inline void diffRows(const LabRow (&lab)[2], const LabRow* above, const DiffRow (&along)[2],
                     const DiffRow (&down)[2], int c0, int c1) {
    for (int d = 0; d < 2; ++d) {
        const LabRow p = lab[d], q{p.L + 1, p.a + 1, p.b + 1};
        const DiffRow o = along[d];
        diffRow(p, q, o, diffKernel(p, q, o, c0, c1), c1);
        if (above) diffRow(above[d], p, down[d], diffKernel(above[d], p, down[d], c0, c1), c1);
    }
}

// Homogeneity map of row k, columns [c0, c1): how many of the four
// neighbours lie within the row candidate's tolerances minus how many
// within the column candidate's. For candidate d, along[d] holds the
// differences along row k, up[d] those to row k - 1, down[d] to row k + 1.
inline void homogeneityRow(const DiffRow (&along)[2], const DiffRow (&up)[2], const DiffRow (&down)[2],
                           int8_t* m, int c0, int c1) {
    for (int c = homogeneityKernel(along, up, down, m, c0, c1); c < c1; ++c) {
        // Neighbours left, right, up, down of each candidate.
        float dL[2][4], dC[2][4];
        for (int d = 0; d < 2; ++d) {
            const DiffRow n[4] = {along[d], along[d], up[d], down[d]};
            const int at[4] = {c - 1, c, c, c};
            for (int i = 0; i < 4; ++i) dL[d][i] = n[i].L[at[i]], dC[d][i] = n[i].C[at[i]];
        }
        const float epsL = minf(maxf(dL[0][0], dL[0][1]), maxf(dL[1][2], dL[1][3]));
        const float epsC = minf(maxf(dC[0][0], dC[0][1]), maxf(dC[1][2], dC[1][3]));
        int count = 0;
        for (int i = 0; i < 4; ++i) {
            count += (dL[0][i] <= epsL) & (dC[0][i] <= epsC);
            count -= (dL[1][i] <= epsL) & (dC[1][i] <= epsC);
        }
        m[c] = static_cast<int8_t>(count);
    }
}

// The output row: per pixel the row candidate when the 3 x 3 sum of the map
// is zero or more, else the column candidate. m[j] is map row k - 1 + j;
// h[j] and v[j] are the candidates' red, green and blue rows.
template <class T>
void selectRow(const int8_t* const* m, const T* const* h, const T* const* v, T* dst, int width) {
    for (int c = selectKernel(m, h, v, dst, width); c < width; ++c) {
        int16_t s = 0;
        for (int j = 0; j < 3; ++j)
            s = static_cast<int16_t>(s + m[j][c - 1] + m[j][c] + m[j][c + 1]);
        const bool row = s >= 0;
        for (int ch = 0; ch < 3; ++ch) dst[3 * c + ch] = row ? h[ch][c] : v[ch][c];
    }
}

// How many rows ahead of their use source and destination rows are fetched.
inline constexpr int kAhdPrefetchRows = 10;

template <class T>
void ahdBlock(const AhdBlock<T>& b) {
    // Scratch rows hold columns -3 .. width + 2 at offset 3.
    const auto scratchRow = [&](int i) { return rowPtr(b.scratch, b.scratchStep, i) + 3; };
    const auto srcRow = [&](int k) { return rowPtr(b.src, b.srcStep, k); };
    const auto greenParity = [&](int k) { return bayer::colourAt(b.grid, k, 0) == bayer::kGreen ? 0 : 1; };
    // Rings: row k of the greens in slot (k + 4) & 3, of the candidates and
    // the map in slot (k + 3) % 3 (k >= -3, -2 and -1 respectively).
    T *gh[4], *gv[4], *cand[2][2][3];  // [H or V][red or blue][slot]
    int8_t* map[3];
    for (int i = 0; i < 4; ++i) gh[i] = scratchRow(i), gv[i] = scratchRow(4 + i);
    for (int d = 0; d < 2; ++d)
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < 3; ++i) cand[d][ch][i] = scratchRow(8 + 6 * d + 3 * ch + i);
    for (int i = 0; i < 3; ++i) map[i] = reinterpret_cast<int8_t*>(scratchRow(20 + i));
    // Lab values of two rows, and the differences of two rows (slot k & 1).
    alignas(64) float lab[2][2][3][kLabRow];
    alignas(64) float diffs[2][2][2][2][kLabRow];  // [row][along or down][candidate][L or C]
    const auto labOf = [&](int k, int d) {
        float(*p)[kLabRow] = lab[k & 1][d];
        return LabRow{p[0] + kLabPad, p[1] + kLabPad, p[2] + kLabPad};
    };
    const auto diffOf = [&](int k, int kind, int d) {
        float(*p)[kLabRow] = diffs[k & 1][kind][d];
        return DiffRow{p[0] + kLabPad, p[1] + kLabPad};
    };
    const auto slot3 = [](int k) { return (k + 3) % 3; };
    const int W = b.width;

    for (int k = -3; k < b.height + 3; ++k) {
        // A stripe reads a few hundred bytes of each source row and writes
        // a few hundred of each destination row, a pattern the hardware does
        // not fetch ahead on its own.
        if (const int r = k + 2 + kAhdPrefetchRows; r <= b.height + 4) {
            const char* p = reinterpret_cast<const char*>(srcRow(r) - 5);
            for (int i = 0; i < (W + 10) * int(sizeof(T)) + 63; i += 64) __builtin_prefetch(p + i);
        }
        if (const int r = k - 3 + kAhdPrefetchRows; r >= 0 && r < b.height) {
            char* p = reinterpret_cast<char*>(rowPtr(b.dst, b.dstStep, r));
            for (int i = 0; i < 3 * W * int(sizeof(T)); i += 64) __builtin_prefetch(p + i, 1);
        }
        {  // greens of row k
            const T* s[5];
            for (int j = 0; j < 5; ++j) s[j] = srcRow(k - 2 + j);
            greenRow(s, gh[(k + 4) & 3], gv[(k + 4) & 3], -3, W + 3, greenParity(k));
        }
        if (const int kc = k - 1; kc >= -2) {  // candidates and Lab of row kc
            const T* s[3] = {srcRow(kc - 1), srcRow(kc), srcRow(kc + 1)};
            const int gp = greenParity(kc);
            const bool siteIsRed = bayer::colourAt(b.grid, kc, gp ^ 1) == bayer::kRed;
            const T* g[2][3];
            T *site[2], *cross[2];
            const T* rgb[2][3];
            for (int d = 0; d < 2; ++d) {
                T* const* gring = d == 0 ? gh : gv;
                for (int j = 0; j < 3; ++j) g[d][j] = gring[(kc + 3 + j) & 3];
                T* red = cand[d][0][slot3(kc)];
                T* blue = cand[d][1][slot3(kc)];
                site[d] = siteIsRed ? red : blue;
                cross[d] = siteIsRed ? blue : red;
                rgb[d][0] = red, rgb[d][1] = g[d][1], rgb[d][2] = blue;
            }
            candidateRows(s, g, site, cross, -2, W + 2, gp);
            const LabRow lab[2] = {labOf(kc, 0), labOf(kc, 1)};
            labRows(rgb, lab, -2, W + 2);
            const LabRow above[2] = {labOf(kc - 1, 0), labOf(kc - 1, 1)};
            diffRows(lab, kc > -2 ? above : nullptr, {diffOf(kc, 0, 0), diffOf(kc, 0, 1)},
                     {diffOf(kc, 1, 0), diffOf(kc, 1, 1)}, -2, W + 1);
        }
        if (const int km = k - 2; km >= -1) {  // map of row km
            homogeneityRow({diffOf(km, 0, 0), diffOf(km, 0, 1)}, {diffOf(km, 1, 0), diffOf(km, 1, 1)},
                           {diffOf(km + 1, 1, 0), diffOf(km + 1, 1, 1)}, map[slot3(km)], -1, W + 1);
        }
        if (const int ko = k - 3; ko >= 0) {  // output row ko
            const int8_t* m[3] = {map[slot3(ko - 1)], map[slot3(ko)], map[slot3(ko + 1)]};
            const int s = slot3(ko);
            const T* h[3] = {cand[0][0][s], gh[(ko + 4) & 3], cand[0][1][s]};
            const T* v[3] = {cand[1][0][s], gv[(ko + 4) & 3], cand[1][1][s]};
            selectRow(m, h, v, rowPtr(b.dst, b.dstStep, ko), W);
        }
    }
}

}  // namespace

extern const AhdRows kAhdRows;
const AhdRows kAhdRows{ahdBlock<Qrx8u>, ahdBlock<Qrx16u>};

}  // namespace QRX_ISA
}  // namespace qrx
