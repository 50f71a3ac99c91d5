// Every instruction-set build of the RGB <-> YUV rows gives the scalar
// results, byte for byte, at widths around each vector group size, on
// random samples and on rows of extremes only (0 and 255, or all-ones words).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "guarded_image.h"
#include "lumachroma/yuv/rows.h"
#include "targets.h"

namespace {

using qrx::yuv::RowFn;
using qrx::yuv::RowPairFn;
using qrx::yuv::YuvRows;
using qrxtest::GuardedImage;

// Samples per row of a plane for a row of `width` pixels.
using PlaneSize = int (*)(int width);
int full(int w) { return w; }
int twice(int w) { return 2 * w; }
int thrice(int w) { return 3 * w; }
int four(int w) { return 4 * w; }
int halfUp(int w) { return (w + 1) / 2; }
int halfDown(int w) { return w / 2; }

const std::vector<PlaneSize> kRgb{thrice}, kRgba{four}, kPlanes{full, full, full};
const std::vector<PlaneSize> kYuyv{twice}, kWords{full}, kPlanes4{full, full, full, full};
const std::vector<PlaneSize> kPlanes422{full, halfUp, halfUp};

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

// One table entry: runs it from fresh sources of `width` pixels on a table and
// returns the destination rows.
struct Case {
    std::string name;
    std::function<bool(const YuvRows& ref, const YuvRows& got, int width, Fill fill)> same;
};

template <class S>
Case rowCase(const char* name, RowFn<S> YuvRows::*fn, std::vector<PlaneSize> src,
             std::vector<PlaneSize> dst) {
    return {name, [=](const YuvRows& ref, const YuvRows& got, int width, Fill fill) {
                RowSet<S> in(src, width, fill, 7u * width + 1);
                RowSet<Qrx8u> want(dst, width, Fill::Random, 99), have(dst, width, Fill::Random, 99);
                (ref.*fn)(in.ptrs.data(), want.ptrs.data(), width);
                (got.*fn)(in.ptrs.data(), have.ptrs.data(), width);
                return want == have;
            }};
}

template <class S>
Case pairCase(const char* name, RowPairFn<S> YuvRows::*fn, std::vector<PlaneSize> src) {
    const std::vector<PlaneSize> dst{full, full, halfDown, halfDown};
    return {name, [=](const YuvRows& ref, const YuvRows& got, int width, Fill fill) {
                RowSet<S> top(src, width, fill, 5u * width + 3), bottom(src, width, fill, 11u * width);
                RowSet<Qrx8u> want(dst, width, Fill::Random, 42), have(dst, width, Fill::Random, 42);
                for (auto [t, o] : {std::pair{&ref, &want}, std::pair{&got, &have}}) {
                    Qrx8u* const* d = o->ptrs.data();
                    (t->*fn)(top.ptrs.data(), bottom.ptrs.data(), d[0], d[1], d[2], d[3], width);
                }
                return want == have;
            }};
}

std::vector<Case> allCases() {
    return {
        rowCase("rgbToYuvC3", &YuvRows::rgbToYuvC3, kRgb, kRgb),
        rowCase("rgbToYuvAC4", &YuvRows::rgbToYuvAC4, kRgba, kRgba),
        rowCase("rgbToYuvC3P3", &YuvRows::rgbToYuvC3P3, kRgb, kPlanes),
        rowCase("rgbToYuvP3", &YuvRows::rgbToYuvP3, kPlanes, kPlanes),
        rowCase("rgbToYuvAC4P4", &YuvRows::rgbToYuvAC4P4, kRgba, kPlanes4),
        rowCase("yuvToRgbC3", &YuvRows::yuvToRgbC3, kRgb, kRgb),
        rowCase("yuvToRgbAC4", &YuvRows::yuvToRgbAC4, kRgba, kRgba),
        rowCase("yuvToRgbP3C3", &YuvRows::yuvToRgbP3C3, kPlanes, kRgb),
        rowCase("yuvToRgbP3", &YuvRows::yuvToRgbP3, kPlanes, kPlanes),
        rowCase("rgbToYuv422C3C2", &YuvRows::rgbToYuv422C3C2, kRgb, kYuyv),
        rowCase("rgbToYuv422C3P3", &YuvRows::rgbToYuv422C3P3, kRgb, kPlanes422),
        rowCase("rgbToYuv422P3", &YuvRows::rgbToYuv422P3, kPlanes, kPlanes422),
        rowCase("rgb565ToYuv422", &YuvRows::rgb565ToYuv422, kWords, kPlanes422),
        rowCase("yuv422ToRgbC2C3", &YuvRows::yuv422ToRgbC2C3, kYuyv, kRgb),
        rowCase("yuv422ToRgbP3C3", &YuvRows::yuv422ToRgbP3C3, kPlanes422, kRgb),
        rowCase("yuv422ToRgbP3AC4", &YuvRows::yuv422ToRgbP3AC4, kPlanes422, kRgba),
        rowCase("yuv422ToRgbP3", &YuvRows::yuv422ToRgbP3, kPlanes422, kPlanes),
        rowCase("yuv420ToRgbP3C3", &YuvRows::yuv420ToRgbP3C3, kPlanes422, kRgb),
        rowCase("yuv420ToRgbP3AC4", &YuvRows::yuv420ToRgbP3AC4, kPlanes422, kRgba),
        rowCase("yuv420ToRgbP3", &YuvRows::yuv420ToRgbP3, kPlanes422, kPlanes),
        rowCase("yuv420ToBgrP3C3", &YuvRows::yuv420ToBgrP3C3, kPlanes422, kRgb),
        pairCase("rgbToYuv420C3", &YuvRows::rgbToYuv420C3, kRgb),
        pairCase("rgbToYuv420P3", &YuvRows::rgbToYuv420P3, kPlanes),
        pairCase("bgrToYuv420AC4", &YuvRows::bgrToYuv420AC4, kRgba),
        pairCase("rgb565ToYuv420", &YuvRows::rgb565ToYuv420, kWords),
        pairCase("bgr565ToYuv420", &YuvRows::bgr565ToYuv420, kWords),
        pairCase("bgr555ToYuv420", &YuvRows::bgr555ToYuv420, kWords),
    };
}

TEST(YuvTargets, EveryTargetMatchesScalar) {
    const YuvRows& ref = *qrx::yuv::yuvRowsFor(qrx::Target::Scalar);
    std::vector<int> widths = qrxtest::kEdgeWidths;
    widths.insert(widths.end(), {6, 10, 14, 18, 30, 34, 62, 66, 96, 126, 128, 130, 191, 193});
    for (qrx::Target t : qrxtest::vectorTargets()) {
        const YuvRows* table = qrx::yuv::yuvRowsFor(t);
        ASSERT_NE(table, nullptr) << qrx::targetName(t);
        for (const Case& c : allCases())
            for (Fill fill : {Fill::Random, Fill::Extremes})
                for (int width : widths)
                    ASSERT_TRUE(c.same(ref, *table, width, fill))
                        << qrx::targetName(t) << " " << c.name << " width " << width
                        << (fill == Fill::Extremes ? " (extremes)" : "");
    }
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
