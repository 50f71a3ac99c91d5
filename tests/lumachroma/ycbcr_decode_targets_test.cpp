// Every target of the subsampled YCbCr decoders gives the scalar target's
// bytes through the public entries, across the vector block sizes, the split
// between vector and scalar columns and the odd last pixel; and the entries
// use the chosen target's table.
#include <gtest/gtest.h>

#include <vector>

#include "entry_targets.h"
#include "lumachroma/ycbcr_decode/rows.h"

namespace {

// ---- through the public entries ------------------------------------------------

using qrxtest::EntryCase;
using qrxtest::EntryIo;
using R = QrxRoiSize;
using F = const EntryIo&;

TEST(YcbcrDecodeTargets, EveryEntryMatchesScalarTarget) {
    using namespace qrxtest;
    const std::vector<PlaneSpec> c2{interleaved(2)}, c3{interleaved(3)}, c4{interleaved(4)};
    const std::vector<PlaneSpec> p3 = fullPlanes(3), p422 = planes422(), p420 = planes420();
    const std::vector<PlaneSpec> p411 = {{}, {1, Scale::QuarterUp}, {1, Scale::QuarterUp}};
    // Alpha arguments whose low byte is not what a clamp would give.
    // clang-format off
    const std::vector<EntryCase> cases = {
        {"YCbCr422ToRGB_8u_C2C3R", c2, c3, [](F f, R r) { return qrxiYCbCr422ToRGB_8u_C2C3R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YCbCr422ToRGB_8u_C2P3R", c2, p3, [](F f, R r) { return qrxiYCbCr422ToRGB_8u_C2P3R(f.in(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"YCrCb422ToRGB_8u_C2C3R", c2, c3, [](F f, R r) { return qrxiYCrCb422ToRGB_8u_C2C3R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YCrCb422ToRGB_8u_C2P3R", c2, p3, [](F f, R r) { return qrxiYCrCb422ToRGB_8u_C2P3R(f.in(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"YCbCr422ToRGB_8u_P3C3R", p422, c3, [](F f, R r) { return qrxiYCbCr422ToRGB_8u_P3C3R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YCbCr422ToBGR_8u_C2C3R", c2, c3, [](F f, R r) { return qrxiYCbCr422ToBGR_8u_C2C3R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YCbCr422ToBGR_8u_C2C4R", c2, c4, [](F f, R r) { return qrxiYCbCr422ToBGR_8u_C2C4R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r, 300); }},
        {"YCbCr422ToBGR_8u_P3C3R", p422, c3, [](F f, R r) { return qrxiYCbCr422ToBGR_8u_P3C3R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YCbCr420ToBGR_8u_P3C3R", p420, c3, [](F f, R r) { return qrxiYCbCr420ToBGR_8u_P3C3R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YCbCr420ToBGR_8u_P3C4R", p420, c4, [](F f, R r) { return qrxiYCbCr420ToBGR_8u_P3C4R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r, -1); }},
        {"YCbCr420ToRGB_8u_P3C3R", p420, c3, [](F f, R r) { return qrxiYCbCr420ToRGB_8u_P3C3R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YCrCb420ToRGB_8u_P3C4R", p420, c4, [](F f, R r) { return qrxiYCrCb420ToRGB_8u_P3C4R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r, 256 + 0x5A); }},
        {"YCrCb420ToBGR_Filter_8u_P3C4R", p420, c4, [](F f, R r) { return qrxiYCrCb420ToBGR_Filter_8u_P3C4R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r, 511); }},
        {"YCbCr411ToBGR_8u_P3C3R", p411, c3, [](F f, R r) { return qrxiYCbCr411ToBGR_8u_P3C3R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YCbCr411ToBGR_8u_P3C4R", p411, c4, [](F f, R r) { return qrxiYCbCr411ToBGR_8u_P3C4R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r, -200); }},
    };
    // clang-format on
    std::vector<R> sizes = edgeSizes();
    for (int w : {62, 68, 70, 131}) sizes.push_back({w, 2});
    for (const EntryCase& c : cases) expectTargetsAgree(c, sizes);
}

TEST(YcbcrDecodeTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::ycbcrDecodeRows, &qrx::ycbcrDecodeRowsFor);
}

}  // namespace
