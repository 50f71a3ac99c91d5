// Fuzz table of bit reduction. Parameters: noise (0..100, else
// qrxErrNoiseAmount), dither type (0..4; any other value converts nothing and
// succeeds) and levels (2..256, or 2..65536 for 16u and 16s to themselves,
// else qrxErrLevelCount, after the noise test). Error diffusion allocates its
// error rows and, with noise, its tables and generators; ordered dithering
// allocates only with noise. Ordered dithering runs row blocks in parallel,
// error diffusion channel groups (so a multi-channel result depends on the
// thread count); single-channel diffusion and no dither stay on the calling
// thread.
#include <climits>

#include "harness/table.h"

namespace qrxfuzz {
namespace {

enum Param { kNoise, kDither, kLevels };

bool diffuses(const Call& c) { return c.ints[kDither] >= 1 && c.ints[kDither] <= 3; }
bool ordered(const Call& c) { return c.ints[kDither] == 4; }

template <int MaxLevels>
QrxStatus noiseThenLevels(const Call& c) {
    if (c.ints[kNoise] < 0 || c.ints[kNoise] > 100) return qrxErrNoiseAmount;
    if (c.ints[kLevels] < 2 || c.ints[kLevels] > MaxLevels) return qrxErrLevelCount;
    return qrxOk;
}

bool unknownMethod(const Call& c) { return unsigned(c.ints[kDither]) > 4u; }
bool allocates(const Call& c) { return diffuses(c) || (ordered(c) && c.ints[kNoise] > 0); }
bool oneChannelThreaded(const Call& c) { return ordered(c); }
bool manyChannelsThreaded(const Call& c) { return diffuses(c) || ordered(c); }

constexpr QrxRoiSize kBusy{72, 40};
constexpr Rules kOne{.paramStatus = noiseThenLevels<256>, .doesNothing = unknownMethod,
                     .threaded = oneChannelThreaded, .allocates = allocates, .busy = kBusy};
constexpr Rules kOneWide{.paramStatus = noiseThenLevels<65536>, .doesNothing = unknownMethod,
                         .threaded = oneChannelThreaded, .allocates = allocates, .busy = kBusy};
constexpr Rules kMany{.paramStatus = noiseThenLevels<256>, .doesNothing = unknownMethod,
                      .threaded = manyChannelsThreaded, .allocates = allocates, .threadDependent = diffuses,
                      .busy = kBusy};
constexpr Rules kManyWide{.paramStatus = noiseThenLevels<65536>, .doesNothing = unknownMethod,
                          .threaded = manyChannelsThreaded, .allocates = allocates,
                          .threadDependent = diffuses, .busy = kBusy};

const std::vector<IntValues> kParams{
    {{0, 20, 100, 1, 50, 99, 101, -1, INT_MIN, INT_MAX}},
    {{qrxDitherFloydSteinberg, qrxDitherNone, qrxDitherJarvisJudiceNinke, qrxDitherStucki, qrxDitherBayer4x4, -1,
      5, INT_MIN}},
    {{16, 2, 256, 65536, 3, 255, 257, 65535, 65537, 1, 0, -1, INT_MIN}},
};

// Besides Floyd-Steinberg without noise: every other method, with and
// without noise, at level counts valid for every type pair.
const std::vector<std::array<int, kMaxParams>> kMethods{
    {0, qrxDitherNone, 256},       {20, qrxDitherFloydSteinberg, 16}, {0, qrxDitherJarvisJudiceNinke, 2},
    {100, qrxDitherStucki, 256},   {0, qrxDitherBayer4x4, 16},        {20, qrxDitherBayer4x4, 2},
};

const Family kBits{"reduce/bits", {
    {QRX_FUZZ_ENTRY(qrxiReduceBits_8u_C1R), {kC1, kC1}, kOne, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_8u_C3R), {kC3, kC3}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_8u_C4R), {kC4, kC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_8u_AC4R), {kAC4Read, kAC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16u_C1R), {kC1, kC1}, kOneWide, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16u_C3R), {kC3, kC3}, kManyWide, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16u_C4R), {kC4, kC4}, kManyWide, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16u_AC4R), {kAC4Read, kAC4}, kManyWide, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16s_C1R), {kC1, kC1}, kOneWide, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16s_C3R), {kC3, kC3}, kManyWide, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16s_C4R), {kC4, kC4}, kManyWide, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16s_AC4R), {kAC4Read, kAC4}, kManyWide, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16u8u_C1R), {kC1, kC1}, kOne, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16u8u_C3R), {kC3, kC3}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16u8u_C4R), {kC4, kC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16u8u_AC4R), {kAC4Read, kAC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16s8u_C1R), {kC1, kC1}, kOne, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16s8u_C3R), {kC3, kC3}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16s8u_C4R), {kC4, kC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_16s8u_AC4R), {kAC4Read, kAC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f8u_C1R), {kC1, kC1}, kOne, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f8u_C3R), {kC3, kC3}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f8u_C4R), {kC4, kC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f8u_AC4R), {kAC4Read, kAC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f16u_C1R), {kC1, kC1}, kOne, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f16u_C3R), {kC3, kC3}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f16u_C4R), {kC4, kC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f16u_AC4R), {kAC4Read, kAC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f16s_C1R), {kC1, kC1}, kOne, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f16s_C3R), {kC3, kC3}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f16s_C4R), {kC4, kC4}, kMany, kParams, {}, kMethods},
    {QRX_FUZZ_ENTRY(qrxiReduceBits_32f16s_AC4R), {kAC4Read, kAC4}, kMany, kParams, {}, kMethods},
}};

}  // namespace
}  // namespace qrxfuzz
