// Rows of the RGB <-> YUV conversions, compiled once per target by the units
// the build generates (QRX_ISA names the target). Each formula below gives the
// exact value of one pixel (or pair, or block); the row templates pick the
// formula by column and the layouts say where the samples sit. Where a
// target has a vector kernel for a row, the kernel converts a leading part of
// it with the same values and the scalar formulas finish the row.
#include <cstddef>
#include <type_traits>

#include "frame/image.h"
#include "lumachroma/pixels.h"
#include "lumachroma/yuv/rows.h"
#include "lumachroma/yuv/kernels_inl.h"

namespace qrx::yuv {
inline namespace QRX_ISA {
namespace {

struct Yuv {
    int y, u, v;
};

// ---- encoders -------------------------------------------------------------------

int lumaSum(Rgb p) { return kYr * p.r + kYg * p.g + kYb * p.b; }

struct Chroma {
    int u, v;
};

// Exact chroma of 2^log2n pixels from their summed B, R and luma sums: the
// colour differences are summed before scaling, never averaged per pixel.
Chroma exactChroma(int sumB, int sumR, int sumLuma, int log2n) {
    const int round = (32768 << log2n) - 1;
    const int db = (sumB * 65536 - sumLuma + round) >> 16;
    const int dr = (sumR * 65536 - sumLuma + round) >> 16;
    return {((db * kU) >> (16 + log2n)) + 128, sat8u(((dr * kV) >> (16 + log2n)) + 128)};
}

// Exact per-pixel encoder (white gives 255, 128, 128).
Yuv forward(Rgb p) {
    const int ys = lumaSum(p);
    const Chroma c = exactChroma(p.b, p.r, ys, 0);
    return {ys >> 16, c.u, c.v};
}

// 16-bit groups of the 4:4:4 encoders (white gives 254, 127, 127).
Yuv groupForward(Rgb p) {
    const int y = ((kGroupYr * p.r) >> 8) + ((kGroupYg * p.g) >> 8) + ((kGroupYb * p.b) >> 8);
    const int u = ((kGroupUr * p.r) >> 9) + ((kGroupUg * p.g) >> 9) + ((kGroupUb * p.b) >> 9);
    const int v = ((kGroupVr * p.r) >> 9) + ((kGroupVg * p.g) >> 9) + ((kGroupVb * p.b) >> 9);
    return {y >> 8, sat8u((u >> 6) + 128), sat8u((v >> 6) + 128)};
}

// Tail columns of the planar 4:4:4 encoder.
Yuv planarForward(Rgb p) {
    const int y = kGroupYr * p.r + kGroupYg * p.g + kGroupYb * p.b;
    const int u = kGroupUr * p.r + kGroupUg * p.g + kGroupUb * p.b;
    const int v = kGroupVr * p.r + kGroupVg * p.g + kGroupVb * p.b;
    return {y >> 16, (u >> 15) + 128, sat8u((v >> 15) + 128)};
}

// Twice the luma with 15-bit weights, each product floored on its own.
int luma2(Rgb p) { return ((kY15r * p.r) >> 14) + ((kY15b * p.b) >> 14) + ((kY15g * p.g) >> 14); }

// 16-bit groups of the four-plane encoder.
Yuv fourPlaneForward(Rgb p) {
    const int s = luma2(p);
    return {sat8u(s >> 1), sat8u((((2 * p.b - s) * kU15) >> 16) + 128),
            sat8u((((2 * p.r - s) * kV15) >> 16) + 128)};
}

// The lone last pixel of an odd-width planar 4:2:2 row, with or without the
// rounding terms of the colour differences.
template <bool Rounded>
Yuv lonePixel(Rgb p) {
    const int ys = kY15r * p.r + kY15g * p.g + kY15b * p.b;
    const int db = (p.b * 32768 - ys + (Rounded ? 16383 : 0)) >> 15;
    const int dr = (p.r * 32768 - ys + (Rounded ? 32767 : 0)) >> 15;
    return {ys >> 15, ((db * kU15) >> 15) + 128, sat8u(((dr * kV15) >> 15) + 128)};
}

struct Pair {
    int y0, y1, u, v;
};

Pair exactPair(Rgb a, Rgb b) {
    const int ya = lumaSum(a), yb = lumaSum(b);
    const Chroma c = exactChroma(a.b + b.b, a.r + b.r, ya + yb, 1);
    return {ya >> 16, yb >> 16, c.u, c.v};
}

// 16-bit groups of the interleaved-source 4:2:2 encoders.
Pair groupPair(Rgb a, Rgb b) {
    const auto s = [](Rgb p) {
        return ((kY15r * p.r + kY15g * p.g) >> 14) + ((kY15b * p.b) >> 14);
    };
    const int sa = s(a), sb = s(b), t = (sa + sb) >> 1;
    return {sa >> 1, sb >> 1, sat8u((((a.b + b.b - t) * kU15) >> 16) + 128),
            sat8u((((a.r + b.r - t) * kV15) >> 16) + 128)};
}

// A 2x2 block: top-left, top-right, bottom-left, bottom-right.
struct Block {
    int y[4];
    int u, v;
};

Block exactBlock(const Rgb (&p)[4]) {
    Block o{};
    int sumB = 0, sumR = 0, sumLuma = 0;
    for (int k = 0; k < 4; ++k) {
        const int ys = lumaSum(p[k]);
        o.y[k] = ys >> 16;
        sumB += p[k].b;
        sumR += p[k].r;
        sumLuma += ys;
    }
    const Chroma c = exactChroma(sumB, sumR, sumLuma, 2);
    o.u = c.u;
    o.v = c.v;
    return o;
}

// 16-bit groups of the BGRA 4:2:0 encoder.
Block groupBlock(const Rgb (&p)[4]) {
    Block o{};
    int sumS = 0, sumB = 0, sumR = 0;
    for (int k = 0; k < 4; ++k) {
        const int s = luma2(p[k]);
        o.y[k] = sat8u(s >> 1);
        sumS += s;
        sumB += 4 * p[k].b;
        sumR += 4 * p[k].r;
    }
    const int t = sumS >> 2;
    o.u = sat8u(((((sumB >> 3) - t) * kU15) >> 16) + 128);
    o.v = sat8u(((((sumR >> 3) - t) * kV15) >> 16) + 128);
    return o;
}

// ---- decoders -------------------------------------------------------------------

template <const InverseWeights& W>
Rgb inverse(Yuv s) {
    const int y = s.y * 65536, u = s.u - 128, v = s.v - 128;
    return {sat8u((y + W.rv * v) >> 16), sat8u((y + W.gu * u + W.gv * v) >> 16),
            sat8u((y + W.bu * u) >> 16)};
}
constexpr auto exactInverse = inverse<kInverse>;
constexpr auto planarInverse = inverse<kInversePlanar>;

// 16-bit groups: each chroma product floored by >> Shift, added to Y << Half
// and halved Half times.
template <const InverseWeights& W, int Shift, int Half>
Rgb groupInverse(Yuv s) {
    const int y = s.y << Half, u = s.u - 128, v = s.v - 128;
    return {sat8u((y + ((v * W.rv) >> Shift)) >> Half),
            sat8u((y + ((u * W.gu) >> Shift) + ((v * W.gv) >> Shift)) >> Half),
            sat8u((y + ((u * W.bu) >> Shift)) >> Half)};
}
constexpr auto interleavedGroupInverse = groupInverse<kGroupInverse, 13, 0>;
constexpr auto planarGroupInverse = groupInverse<kGroupInverse2, 12, 1>;

// ---- layouts ----------------------------------------------------------------------

using Yuv3 = Packed<3, 0, 1, 2>;  // Y U V
using Yuv4 = Packed<4, 0, 1, 2>;  // Y U V A, A left alone

// Interleaved Y U V (and A) samples.
template <int Channels>
struct PackedYuvSrc {
    const Qrx8u* p;
    Yuv operator()(int x) const {
        const Qrx8u* q = p + x * Channels;
        return {q[0], q[1], q[2]};
    }
};

// Y, U, V planes; the chroma planes hold one sample per 2^Shift pixels.
template <int Shift>
struct YuvPlanesSrc {
    const Qrx8u* y;
    const Qrx8u* u;
    const Qrx8u* v;
    Yuv operator()(int x) const { return {y[x], u[x >> Shift], v[x >> Shift]}; }
};

// Y0 U Y1 V pairs (whole pairs only).
struct YuyvSrc {
    const Qrx8u* p;
    Yuv operator()(int x) const {
        const Qrx8u* pair = p + (x & ~1) * 2;
        return {p[2 * x], pair[1], pair[3]};
    }
};

// RGBA rows whose alpha byte is written as 0.
struct RgbaOpaqueDst {
    Qrx8u* p;
    void operator()(int x, Qrx8u r, Qrx8u g, Qrx8u b) const {
        const PackedDst<RGBA> d{p};
        d(x, r, g, b);
        d.alpha(x, 0);
    }
};

// Y0 U Y1 V pairs.
struct YuyvDst {
    Qrx8u* p;
    void operator()(int i, const Pair& o) const {
        Qrx8u* q = p + 4 * i;
        q[0] = Qrx8u(o.y0);
        q[1] = Qrx8u(o.u);
        q[2] = Qrx8u(o.y1);
        q[3] = Qrx8u(o.v);
    }
};

// Y plane and U, V planes of one sample per pair.
struct Planes422Dst {
    Qrx8u* y;
    Qrx8u* u;
    Qrx8u* v;
    void operator()(int i, const Pair& o) const {
        y[2 * i] = Qrx8u(o.y0);
        y[2 * i + 1] = Qrx8u(o.y1);
        u[i] = Qrx8u(o.u);
        v[i] = Qrx8u(o.v);
    }
};

// A layout over the row pointers handed to a row function: three planes for
// planar layouts, the first pointer for interleaved ones.
template <class L, class T>
L open(T* const* p) {
    if constexpr (requires { L{p[0], p[1], p[2]}; })
        return L{p[0], p[1], p[2]};
    else
        return L{p[0]};
}

template <class Dst>
void put(const Dst& d, int x, Yuv o) {
    d(x, Qrx8u(o.y), Qrx8u(o.u), Qrx8u(o.v));
}
template <class Dst>
void put(const Dst& d, int x, Rgb o) {
    d(x, Qrx8u(o.r), Qrx8u(o.g), Qrx8u(o.b));
}

// ---- rows ---------------------------------------------------------------------------

// The vector kernel's share of the first n pixels (none without a kernel).
template <auto Kern, class... A>
int vectorLead(A... a) {
    if constexpr (std::is_null_pointer_v<decltype(Kern)>)
        return 0;
    else
        return Kern(a...);
}

// Pixel by pixel from column `from`: the first width rounded down to a multiple
// of Group pixels by Lead, the rest by Rest (Group 0: all by Rest).
template <class Src, class Dst, auto Lead, auto Rest, int Group>
void pixelsFrom(const Qrx8u* const* src, Qrx8u* const* dst, int from, int width) {
    const Src s = open<Src>(src);
    const Dst d = open<Dst>(dst);
    const int split = Group ? width & -Group : 0;
    for (int x = from; x < split; ++x) put(d, x, Lead(s(x)));
    for (int x = from > split ? from : split; x < width; ++x) put(d, x, Rest(s(x)));
}

// The kernel Kern converts a leading part of the Lead columns (of the whole row
// when Group is 0), the scalar formulas the rest.
template <class Src, class Dst, auto Lead, auto Rest, int Group, auto Kern = nullptr>
void pixelRow(const Qrx8u* const* src, Qrx8u* const* dst, int width) {
    const int done = vectorLead<Kern>(src, dst, Group ? width & -Group : width);
    pixelsFrom<Src, Dst, Lead, Rest, Group>(src, dst, done, width);
}

void rgbaToYuvaPlanesRow(const Qrx8u* const* src, Qrx8u* const* dst, int width) {
    const int done = vectorLead<vec::kRgbToYuvAC4P4>(src, dst, width & -8);
    pixelsFrom<PackedSrc<RGBA>, PlanarDst, fourPlaneForward, forward, 8>(src, dst, done, width);
    for (int x = done; x < width; ++x) dst[3][x] = src[0][4 * x + 3];
}

void yuyvToRgbRow(const Qrx8u* const* src, Qrx8u* const* dst, int width) {
    pixelRow<YuyvSrc, PackedDst<RGB>, planarGroupInverse, exactInverse, 16, vec::kYuyvToRgb>(
        src, dst, width & ~1);
    if (width & 1) {
        // The lone last pixel takes V from the pair before it; a one-pixel
        // row has none and uses its U twice.
        const Qrx8u* q = src[0] + 2 * (width - 1);
        put(PackedDst<RGB>{dst[0]}, width - 1,
            exactInverse({q[0], q[1], width > 1 ? q[-1] : q[1]}));
    }
}

// An odd last 4:2:2 pixel of an interleaved row: its Y and U only.
void loneYuyv(const YuyvDst& d, int x, Rgb p) {
    const Yuv o = forward(p);
    d.p[2 * x] = Qrx8u(o.y);
    d.p[2 * x + 1] = Qrx8u(o.u);
}

// An odd last 4:2:2 pixel of a planar row: Y, U and V at chroma index x / 2.
template <bool Rounded>
void lonePlanar(const Planes422Dst& d, int x, Rgb p) {
    const Yuv o = lonePixel<Rounded>(p);
    d.y[x] = Qrx8u(o.y);
    d.u[x / 2] = Qrx8u(o.u);
    d.v[x / 2] = Qrx8u(o.v);
}

// Pair by pair, the pairs within the first width rounded down to a multiple of
// Group pixels by Lead; an odd last pixel by Lone (nullptr: left unwritten).
// Kern converts a leading part of the Lead pairs (Group 0: of all pairs).
template <class Src, class Dst, auto Lead, auto Rest, int Group, auto Lone, auto Kern, class S>
void pairRow(const S* const* src, Qrx8u* const* dst, int width) {
    const Src s = open<Src>(src);
    const Dst d = open<Dst>(dst);
    const int split = Group ? (width & -Group) / 2 : 0;
    const int done = vectorLead<Kern>(src, dst, Group ? width & -Group : width & ~1);
    for (int i = done / 2; i < width / 2; ++i) d(i, (i < split ? Lead : Rest)(s(2 * i), s(2 * i + 1)));
    if constexpr (!std::is_null_pointer_v<decltype(Lone)>)
        if (width & 1) Lone(d, width - 1, s(width - 1));
}

// Block by block over whole 2x2 blocks, those within the first width rounded
// down to a multiple of Group columns by Lead. Kern converts a leading part of
// the Lead blocks (Group 0: of all blocks).
template <class Src, auto Lead, auto Rest, int Group, auto Kern, class S>
void blockRow(const S* const* top, const S* const* bottom, Qrx8u* yTop, Qrx8u* yBottom, Qrx8u* u,
              Qrx8u* v, int width) {
    const Src a = open<Src>(top), b = open<Src>(bottom);
    const int split = Group ? (width & -Group) / 2 : 0;
    const int done =
        vectorLead<Kern>(top, bottom, yTop, yBottom, u, v, Group ? width & -Group : width & ~1);
    for (int i = done / 2; i < width / 2; ++i) {
        const Rgb p[4] = {a(2 * i), a(2 * i + 1), b(2 * i), b(2 * i + 1)};
        const Block o = (i < split ? Lead : Rest)(p);
        yTop[2 * i] = Qrx8u(o.y[0]);
        yTop[2 * i + 1] = Qrx8u(o.y[1]);
        yBottom[2 * i] = Qrx8u(o.y[2]);
        yBottom[2 * i + 1] = Qrx8u(o.y[3]);
        u[i] = Qrx8u(o.u);
        v[i] = Qrx8u(o.v);
    }
}

using Planes422 = YuvPlanesSrc<1>;

constexpr YuvRows kRows = {
    .rgbToYuvC3 =
        pixelRow<PackedSrc<RGB>, PackedDst<Yuv3>, groupForward, forward, 16, vec::kRgbToYuvC3>,
    .rgbToYuvAC4 =
        pixelRow<PackedSrc<RGBA>, PackedDst<Yuv4>, forward, forward, 0, vec::kRgbToYuvAC4>,
    .rgbToYuvC3P3 =
        pixelRow<PackedSrc<RGB>, PlanarDst, groupForward, forward, 8, vec::kRgbToYuvC3P3>,
    .rgbToYuvP3 =
        pixelRow<PlanarSrc, PlanarDst, groupForward, planarForward, 16, vec::kRgbToYuvP3>,
    .rgbToYuvAC4P4 = rgbaToYuvaPlanesRow,
    .yuvToRgbC3 = pixelRow<PackedYuvSrc<3>, PackedDst<RGB>, interleavedGroupInverse, exactInverse,
                           8, vec::kYuvToRgbC3>,
    .yuvToRgbAC4 = pixelRow<PackedYuvSrc<4>, PackedDst<RGBA>, exactInverse, exactInverse, 0,
                            vec::kYuvToRgbAC4>,
    .yuvToRgbP3C3 = pixelRow<YuvPlanesSrc<0>, PackedDst<RGB>, planarGroupInverse, planarInverse,
                             16, vec::kYuvToRgbP3C3>,
    .yuvToRgbP3 = pixelRow<YuvPlanesSrc<0>, PlanarDst, planarInverse, planarInverse, 0,
                           vec::kYuvToRgbP3>,
    .rgbToYuv422C3C2 = pairRow<PackedSrc<RGB>, YuyvDst, groupPair, exactPair, 16, loneYuyv,
                               vec::kRgbToYuv422C3C2>,
    .rgbToYuv422C3P3 = pairRow<PackedSrc<RGB>, Planes422Dst, groupPair, exactPair, 16,
                               lonePlanar<true>, vec::kRgbToYuv422C3P3>,
    .rgbToYuv422P3 = pairRow<PlanarSrc, Planes422Dst, exactPair, exactPair, 0, lonePlanar<false>,
                             vec::kRgbToYuv422P3>,
    .rgb565ToYuv422 = pairRow<Rgb565Src, Planes422Dst, exactPair, exactPair, 0, nullptr,
                              vec::kRgb565ToYuv422>,
    .yuv422ToRgbC2C3 = yuyvToRgbRow,
    .yuv422ToRgbP3C3 = pixelRow<Planes422, PackedDst<RGB>, planarGroupInverse, exactInverse, 16,
                                vec::kYuv422ToRgbC3>,
    .yuv422ToRgbP3AC4 = pixelRow<Planes422, RgbaOpaqueDst, exactInverse, exactInverse, 0,
                                 vec::kYuv422ToRgba>,
    .yuv422ToRgbP3 = pixelRow<Planes422, PlanarDst, planarGroupInverse, exactInverse, 16,
                              vec::kYuv422ToRgbP3>,
    .yuv420ToRgbP3C3 = pixelRow<Planes422, PackedDst<RGB>, planarGroupInverse, exactInverse, 16,
                                vec::kYuv422ToRgbC3>,
    .yuv420ToRgbP3AC4 = pixelRow<Planes422, RgbaOpaqueDst, exactInverse, exactInverse, 0,
                                 vec::kYuv422ToRgba>,
    .yuv420ToRgbP3 = pixelRow<Planes422, PlanarDst, exactInverse, exactInverse, 0,
                              vec::kYuv422ToRgbP3Exact>,
    .yuv420ToBgrP3C3 = pixelRow<Planes422, PackedDst<BGR>, exactInverse, exactInverse, 0,
                                vec::kYuv422ToBgr>,
    .rgbToYuv420C3 = blockRow<PackedSrc<RGB>, exactBlock, exactBlock, 0, vec::kRgbToYuv420C3>,
    .rgbToYuv420P3 = blockRow<PlanarSrc, exactBlock, exactBlock, 0, vec::kRgbToYuv420P3>,
    .bgrToYuv420AC4 =
        blockRow<PackedSrc<BGRA>, groupBlock, exactBlock, 16, vec::kBgraToYuv420>,
    .rgb565ToYuv420 = blockRow<Rgb565Src, exactBlock, exactBlock, 0, vec::kRgb565ToYuv420>,
    .bgr565ToYuv420 = blockRow<Bgr565Src, exactBlock, exactBlock, 0, vec::kBgr565ToYuv420>,
    .bgr555ToYuv420 = blockRow<Bgr555Src, exactBlock, exactBlock, 0, vec::kBgr555ToYuv420>,
};

}  // namespace

extern const YuvRows kYuvRows;
const YuvRows kYuvRows = kRows;

}  // namespace QRX_ISA
}  // namespace qrx::yuv
