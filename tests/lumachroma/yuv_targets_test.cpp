// Every target of the RGB <-> YUV conversions gives the scalar target's
// bytes: every entry at sizes around each vector group size, and every 8-bit
// colour through the per-pixel rows; the entries use the chosen target's table.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "entry_targets.h"
#include "guarded_image.h"
#include "lumachroma/yuv/rows.h"
#include "targets.h"

namespace {

using qrx::yuv::RowFn;
using qrx::yuv::YuvRows;
using qrxtest::GuardedImage;

// Samples per row of a plane for a row of `width` pixels.
using PlaneSize = int (*)(int width);
int full(int w) { return w; }
int thrice(int w) { return 3 * w; }
int four(int w) { return 4 * w; }

const std::vector<PlaneSize> kRgb{thrice}, kRgba{four}, kPlanes{full, full, full};
const std::vector<PlaneSize> kPlanes4{full, full, full, full};

enum class Fill { Random, Extremes };

// One row of planes; every destination starts from the same pattern, so bytes
// a row leaves alone compare equal too.
template <class T>
struct RowSet {
    std::vector<std::unique_ptr<GuardedImage<T>>> planes;
    std::vector<T*> ptrs;

    RowSet(const std::vector<PlaneSize>& sizes, int width, Fill fill, uint32_t seed) {
        for (PlaneSize s : sizes) {
            planes.push_back(std::make_unique<GuardedImage<T>>(s(width), 1));
            GuardedImage<T>& im = *planes.back();
            const int top = sizeof(T) == 1 ? 255 : 65535;
            if (fill == Fill::Random) {
                im.randomize(seed++, 0, top);
            } else {
                im.randomize(seed++, 0, 1);
                for (int i = 0; i < im.width(); ++i) im.row(0)[i] = T(im.row(0)[i] * top);
            }
            ptrs.push_back(im.ptr());
        }
    }
    bool operator==(const RowSet& o) const {
        for (size_t i = 0; i < planes.size(); ++i)
            if (std::memcmp(planes[i]->ptr(), o.planes[i]->ptr(), planes[i]->width() * sizeof(T)))
                return false;
        return true;
    }
};

// ---- through the public entries ------------------------------------------------

using qrxtest::EntryCase;
using qrxtest::EntryIo;
using R = QrxRoiSize;
using F = const EntryIo&;

std::vector<EntryCase> entryCases() {
    using namespace qrxtest;
    const std::vector<PlaneSpec> c3{interleaved(3)}, c4{interleaved(4)}, c2{interleaved(2)};
    const std::vector<PlaneSpec> p3 = fullPlanes(3), p4 = fullPlanes(4), w16{words()};
    const std::vector<PlaneSpec> p422 = planes422(), p420 = planes420();
    // clang-format off
    std::vector<EntryCase> v = {
        {"RGBToYUV_8u_C3R", c3, c3, [](F f, R r) { return qrxiRGBToYUV_8u_C3R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYUV_8u_AC4R", c4, c4, [](F f, R r) { return qrxiRGBToYUV_8u_AC4R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYUV_8u_C3P3R", c3, p3, [](F f, R r) { return qrxiRGBToYUV_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"RGBToYUV_8u_P3R", p3, p3, [](F f, R r) { return qrxiRGBToYUV_8u_P3R(f.inPlanes(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"RGBToYUV_8u_AC4P4R", c4, p4, [](F f, R r) { return qrxiRGBToYUV_8u_AC4P4R(f.in(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"YUVToRGB_8u_C3R", c3, c3, [](F f, R r) { return qrxiYUVToRGB_8u_C3R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YUVToRGB_8u_AC4R", c4, c4, [](F f, R r) { return qrxiYUVToRGB_8u_AC4R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YUVToRGB_8u_P3C3R", p3, c3, [](F f, R r) { return qrxiYUVToRGB_8u_P3C3R(f.inPlanes(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YUVToRGB_8u_P3R", p3, p3, [](F f, R r) { return qrxiYUVToRGB_8u_P3R(f.inPlanes(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"RGBToYUV422_8u_C3C2R", c3, c2, [](F f, R r) { return qrxiRGBToYUV422_8u_C3C2R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYUV422_8u_C3P3R", c3, p422, [](F f, R r) { return qrxiRGBToYUV422_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"RGBToYUV422_8u_P3R", p3, p422, [](F f, R r) { return qrxiRGBToYUV422_8u_P3R(f.inPlanes(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"RGBToYUV422_8u_C3P3", c3, p422, [](F f, R r) { return qrxiRGBToYUV422_8u_C3P3(f.in(), f.outPlanes(), r); }, true},
        {"RGBToYUV422_8u_P3", p3, p422, [](F f, R r) { return qrxiRGBToYUV422_8u_P3(f.inPlanes(), f.outPlanes(), r); }, true},
        {"RGB565ToYUV422_16u8u_C3P3R", w16, p422, [](F f, R r) { return qrxiRGB565ToYUV422_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"YUV422ToRGB_8u_C2C3R", c2, c3, [](F f, R r) { return qrxiYUV422ToRGB_8u_C2C3R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YUV422ToRGB_8u_P3C3R", p422, c3, [](F f, R r) { return qrxiYUV422ToRGB_8u_P3C3R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YUV422ToRGB_8u_P3AC4R", p422, c4, [](F f, R r) { return qrxiYUV422ToRGB_8u_P3AC4R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YUV422ToRGB_8u_P3R", p422, p3, [](F f, R r) { return qrxiYUV422ToRGB_8u_P3R(f.inPlanes(), f.inSteps(), f.outPlanes(), f.dstStep[0], r); }},
        {"YUV422ToRGB_8u_P3C3", p422, c3, [](F f, R r) { return qrxiYUV422ToRGB_8u_P3C3(f.inPlanes(), f.out(), r); }, true},
        {"YUV422ToRGB_8u_P3", p422, p3, [](F f, R r) { return qrxiYUV422ToRGB_8u_P3(f.inPlanes(), f.outPlanes(), r); }, true},
        {"RGBToYUV420_8u_C3P3R", c3, p420, [](F f, R r) { return qrxiRGBToYUV420_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"RGBToYUV420_8u_P3R", p3, p420, [](F f, R r) { return qrxiRGBToYUV420_8u_P3R(f.inPlanes(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"RGBToYUV420_8u_C3P3", c3, p420, [](F f, R r) { return qrxiRGBToYUV420_8u_C3P3(f.in(), f.outPlanes(), r); }, true},
        {"RGBToYUV420_8u_P3", p3, p420, [](F f, R r) { return qrxiRGBToYUV420_8u_P3(f.inPlanes(), f.outPlanes(), r); }, true},
        {"BGRToYUV420_8u_AC4P3R", c4, p420, [](F f, R r) { return qrxiBGRToYUV420_8u_AC4P3R(f.in(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"RGB565ToYUV420_16u8u_C3P3R", w16, p420, [](F f, R r) { return qrxiRGB565ToYUV420_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR565ToYUV420_16u8u_C3P3R", w16, p420, [](F f, R r) { return qrxiBGR565ToYUV420_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"BGR555ToYUV420_16u8u_C3P3R", w16, p420, [](F f, R r) { return qrxiBGR555ToYUV420_16u8u_C3P3R(f.in<Qrx16u>(), f.srcStep[0], f.outPlanes(), f.outSteps(), r); }},
        {"YUV420ToRGB_8u_P3C3R", p420, c3, [](F f, R r) { return qrxiYUV420ToRGB_8u_P3C3R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YUV420ToRGB_8u_P3AC4R", p420, c4, [](F f, R r) { return qrxiYUV420ToRGB_8u_P3AC4R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
        {"YUV420ToRGB_8u_P3R", p420, p3, [](F f, R r) { return qrxiYUV420ToRGB_8u_P3R(f.inPlanes(), f.inSteps(), f.outPlanes(), f.dstStep[0], r); }},
        {"YUV420ToRGB_8u_P3C3", p420, c3, [](F f, R r) { return qrxiYUV420ToRGB_8u_P3C3(f.inPlanes(), f.out(), r); }, true},
        {"YUV420ToRGB_8u_P3", p420, p3, [](F f, R r) { return qrxiYUV420ToRGB_8u_P3(f.inPlanes(), f.outPlanes(), r); }, true},
        {"YUV420ToBGR_8u_P3C3R", p420, c3, [](F f, R r) { return qrxiYUV420ToBGR_8u_P3C3R(f.inPlanes(), f.inSteps(), f.out(), f.dstStep[0], r); }},
    };
    // clang-format on
    return v;
}

TEST(YuvTargets, EveryEntryMatchesScalarTarget) {
    const std::vector<EntryCase> cases = entryCases();
    ASSERT_EQ(cases.size(), 35u);
    std::vector<R> sizes = qrxtest::edgeSizes();
    // Whole 4:2:2 images switch to one long row at 256 pixels.
    sizes.insert(sizes.end(), {{2, 128}, {2, 127}, {8, 32}, {10, 25}, {258, 255}});
    for (const EntryCase& c : cases) qrxtest::expectTargetsAgree(c, sizes);
}

TEST(YuvTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::yuv::yuvRows, &qrx::yuv::yuvRowsFor);
}

// Every 8-bit colour (and, for four channels, every alpha in turn) through
// the per-pixel rows of interleaved sources, so each rounding step of the
// vector formulas is compared at every input rather than at random ones.
TEST(YuvTargets, EveryColourMatchesScalar) {
    struct PixelCase {
        const char* name;
        RowFn<Qrx8u> YuvRows::*fn;
        int channels;
        std::vector<PlaneSize> dst;
    };
    const std::vector<PixelCase> cases = {
        {"rgbToYuvC3", &YuvRows::rgbToYuvC3, 3, kRgb},
        {"rgbToYuvAC4", &YuvRows::rgbToYuvAC4, 4, kRgba},
        {"rgbToYuvC3P3", &YuvRows::rgbToYuvC3P3, 3, kPlanes},
        {"rgbToYuvAC4P4", &YuvRows::rgbToYuvAC4P4, 4, kPlanes4},
        {"yuvToRgbC3", &YuvRows::yuvToRgbC3, 3, kRgb},
        {"yuvToRgbAC4", &YuvRows::yuvToRgbAC4, 4, kRgba},
    };
    constexpr int kWidth = 4096;
    const YuvRows& ref = *qrx::yuv::yuvRowsFor(qrx::Target::Scalar);
    for (qrx::Target t : qrxtest::vectorTargets()) {
        const YuvRows& table = *qrx::yuv::yuvRowsFor(t);
        for (const PixelCase& c : cases) {
            GuardedImage<Qrx8u> src(kWidth, 1, c.channels);
            RowSet<Qrx8u> want(c.dst, kWidth, Fill::Random, 5), have(c.dst, kWidth, Fill::Random, 5);
            const Qrx8u* in[] = {src.ptr()};
            for (int chunk = 0; chunk < (1 << 24) / kWidth; ++chunk) {
                for (int x = 0; x < kWidth; ++x) {
                    const int colour = chunk * kWidth + x;
                    for (int ch = 0; ch < c.channels; ++ch)
                        src.at(x, 0, ch) = Qrx8u(ch < 3 ? colour >> (8 * ch) : x + chunk);
                }
                (ref.*c.fn)(in, want.ptrs.data(), kWidth);
                (table.*c.fn)(in, have.ptrs.data(), kWidth);
                ASSERT_TRUE(want == have) << qrx::targetName(t) << " " << c.name << " colours from "
                                          << chunk * kWidth;
            }
        }
    }
}

}  // namespace
