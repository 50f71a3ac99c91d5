// Every target of the subsampled YCbCr encoders gives the scalar target's
// bytes through the public entries, at sizes around each vector step, on
// random and on black-and-white images; and the entries use the chosen
// target's table.
#include <gtest/gtest.h>

#include <vector>

#include "entry_targets.h"
#include "lumachroma/ycbcr_encode/rows.h"

namespace {

using qrxtest::EntryCase;
using qrxtest::EntryIo;
using R = QrxRoiSize;
using F = const EntryIo&;

TEST(YcbcrEncodeTargets, EveryEntryMatchesScalarTarget) {
    using namespace qrxtest;
    const std::vector<PlaneSpec> c2{interleaved(2)}, c3{interleaved(3)}, c4{interleaved(4)};
    const std::vector<PlaneSpec> w16{words()}, p3 = fullPlanes(3), p420 = planes420();
    const std::vector<PlaneSpec> p422 = {{}, {1, Scale::HalfDown}, {1, Scale::HalfDown}};
    const std::vector<PlaneSpec> p411 = {{}, {1, Scale::QuarterUp}, {1, Scale::QuarterUp}};
    // clang-format off
    const std::vector<EntryCase> cases = {
        {"RGBToYCbCr420_8u_C3P3R", c3, p420, [](F f, R r) { return qrxiRGBToYCbCr420_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"RGBToYCbCr422_8u_C3C2R", c3, c2, [](F f, R r) { return qrxiRGBToYCbCr422_8u_C3C2R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYCbCr422_8u_P3C2R", p3, c2, [](F f, R r) { return qrxiRGBToYCbCr422_8u_P3C2R(f.inPlanes(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYCrCb422_8u_C3C2R", c3, c2, [](F f, R r) { return qrxiRGBToYCrCb422_8u_C3C2R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYCrCb422_8u_P3C2R", p3, c2, [](F f, R r) { return qrxiRGBToYCrCb422_8u_P3C2R(f.inPlanes(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYCbCr422_8u_C3P3R", c3, p422, [](F f, R r) { return qrxiRGBToYCbCr422_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"RGBToYCrCb420_8u_AC4P3R", c4, p420, [](F f, R r) { return qrxiRGBToYCrCb420_8u_AC4P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGRToYCbCr411_8u_C3P3R", c3, p411, [](F f, R r) { return qrxiBGRToYCbCr411_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGRToYCbCr411_8u_AC4P3R", c4, p411, [](F f, R r) { return qrxiBGRToYCbCr411_8u_AC4P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGRToYCbCr420_8u_C3P3R", c3, p420, [](F f, R r) { return qrxiBGRToYCbCr420_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGRToYCbCr420_8u_AC4P3R", c4, p420, [](F f, R r) { return qrxiBGRToYCbCr420_8u_AC4P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGRToYCrCb420_8u_C3P3R", c3, p420, [](F f, R r) { return qrxiBGRToYCrCb420_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGRToYCrCb420_8u_AC4P3R", c4, p420, [](F f, R r) { return qrxiBGRToYCrCb420_8u_AC4P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGRToYCbCr422_8u_C3C2R", c3, c2, [](F f, R r) { return qrxiBGRToYCbCr422_8u_C3C2R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"BGRToYCbCr422_8u_AC4C2R", c4, c2, [](F f, R r) { return qrxiBGRToYCbCr422_8u_AC4C2R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"BGRToYCbCr422_8u_C3P3R", c3, p422, [](F f, R r) { return qrxiBGRToYCbCr422_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGRToYCbCr422_8u_AC4P3R", c4, p422, [](F f, R r) { return qrxiBGRToYCbCr422_8u_AC4P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR555ToYCbCr411_16u8u_C3P3R", w16, p411, [](F f, R r) { return qrxiBGR555ToYCbCr411_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR565ToYCbCr411_16u8u_C3P3R", w16, p411, [](F f, R r) { return qrxiBGR565ToYCbCr411_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR555ToYCbCr420_16u8u_C3P3R", w16, p420, [](F f, R r) { return qrxiBGR555ToYCbCr420_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR565ToYCbCr420_16u8u_C3P3R", w16, p420, [](F f, R r) { return qrxiBGR565ToYCbCr420_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR555ToYCrCb420_16u8u_C3P3R", w16, p420, [](F f, R r) { return qrxiBGR555ToYCrCb420_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR565ToYCrCb420_16u8u_C3P3R", w16, p420, [](F f, R r) { return qrxiBGR565ToYCrCb420_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR555ToYCbCr422_16u8u_C3C2R", w16, c2, [](F f, R r) { return qrxiBGR555ToYCbCr422_16u8u_C3C2R(f.in<Qrx16u>(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"BGR565ToYCbCr422_16u8u_C3C2R", w16, c2, [](F f, R r) { return qrxiBGR565ToYCbCr422_16u8u_C3C2R(f.in<Qrx16u>(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"BGR555ToYCbCr422_16u8u_C3P3R", w16, p422, [](F f, R r) { return qrxiBGR555ToYCbCr422_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR565ToYCbCr422_16u8u_C3P3R", w16, p422, [](F f, R r) { return qrxiBGR565ToYCbCr422_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
    };
    // clang-format on
    std::vector<R> sizes = qrxtest::edgeSizes();
    for (int w : {12, 62, 96, 191, 192, 193, 256}) sizes.push_back({w, 2});
    for (const EntryCase& c : cases) expectTargetsAgree(c, sizes);
}

TEST(YcbcrEncodeTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::ycbcrEncodeRows, &qrx::ycbcrEncodeRowsFor);
}

}  // namespace
