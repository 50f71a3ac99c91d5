// Every instruction-set build of the YCbCr 4:4:4 rows gives the scalar
// results, byte for byte, at widths around each vector group size and over
// whole sweeps of two channels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <functional>
#include <memory>
#include <vector>

#include "entry_targets.h"
#include "guarded_image.h"
#include "lumachroma/ycbcr444/rows.h"
#include "targets.h"

namespace {

using qrx::Ycbcr444Rows;
using Img = qrxtest::GuardedImage<Qrx8u>;
using Run = std::function<void(const Ycbcr444Rows&, const Qrx8u* const*, Qrx8u* const*, int)>;

// An interleaved image of `channels` bytes per pixel (0 means three planes).
struct Row {
    Row(int width, int channels) : channels(channels) {
        for (int i = 0; i < (channels ? 1 : 3); ++i)
            imgs.push_back(std::make_unique<Img>(width, 1, channels ? channels : 1));
        for (int i = 0; i < 3; ++i) ptrs[i] = imgs[channels ? 0 : i]->ptr();
    }
    Qrx8u& at(int x, int c) { return channels ? imgs[0]->at(x, 0, c) : imgs[c]->at(x, 0); }
    bool same(const Row& o, int width) const {
        for (size_t i = 0; i < imgs.size(); ++i)
            if (std::memcmp(imgs[i]->ptr(), o.imgs[i]->ptr(), width * (channels ? channels : 1)))
                return false;
        return true;
    }
    int channels;
    std::vector<std::unique_ptr<Img>> imgs;
    Qrx8u* ptrs[3];
};

struct Case {
    const char* name;
    int srcChannels, dstChannels;
    Run run;
};

template <class F>
Run packed(F Ycbcr444Rows::*f) {
    return [f](const Ycbcr444Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
        (t.*f)(s[0], d[0], w);
    };
}
Run toPlanes(Ycbcr444Rows::PackedToPlanar Ycbcr444Rows::*f) {
    return [f](const Ycbcr444Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
        (t.*f)(s[0], d, w);
    };
}
Run planes(Ycbcr444Rows::PlanarToPlanar Ycbcr444Rows::*f) {
    return [f](const Ycbcr444Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
        (t.*f)(s, d, w);
    };
}
Run fromPlanes(Ycbcr444Rows::PlanarToPacked Ycbcr444Rows::*f) {
    return [f](const Ycbcr444Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
        (t.*f)(s, d[0], w);
    };
}
Run fromPlanesAlpha(Ycbcr444Rows::PlanarToPackedAlpha Ycbcr444Rows::*f) {
    return [f](const Ycbcr444Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
        (t.*f)(s, d[0], w, 77);
    };
}

const Case kCases[] = {
    {"rgbToYcbcrC3", 3, 3, packed(&Ycbcr444Rows::rgbToYcbcrC3)},
    {"rgbToYcbcrAC4", 4, 4, packed(&Ycbcr444Rows::rgbToYcbcrAC4)},
    {"rgbToYcbcrC3P3", 3, 0, toPlanes(&Ycbcr444Rows::rgbToYcbcrC3P3)},
    {"rgbToYcbcrAC4P3", 4, 0, toPlanes(&Ycbcr444Rows::rgbToYcbcrAC4P3)},
    {"rgbToYcbcrP3", 0, 0, planes(&Ycbcr444Rows::rgbToYcbcrP3)},
    {"ycbcrToRgbC3", 3, 3, packed(&Ycbcr444Rows::ycbcrToRgbC3)},
    {"ycbcrToRgbAC4", 4, 4, packed(&Ycbcr444Rows::ycbcrToRgbAC4)},
    {"ycbcrToRgbP3C3", 0, 3, fromPlanes(&Ycbcr444Rows::ycbcrToRgbP3C3)},
    {"ycbcrToRgbP3C4", 0, 4, fromPlanesAlpha(&Ycbcr444Rows::ycbcrToRgbP3C4)},
    {"ycbcrToRgbP3", 0, 0, planes(&Ycbcr444Rows::ycbcrToRgbP3)},
    {"ycbcrToBgrP3C3", 0, 3, fromPlanes(&Ycbcr444Rows::ycbcrToBgrP3C3)},
    {"ycbcrToBgrP3C4", 0, 4, fromPlanesAlpha(&Ycbcr444Rows::ycbcrToBgrP3C4)},
};

// Runs every case on every vector target with the source from `fill`
// (pixel, channel -> value; channel 3 is alpha) and compares with scalar.
void compareAll(int width, const std::function<int(int, int)>& fill, const char* what) {
    const Ycbcr444Rows& ref = *qrx::ycbcr444RowsFor(qrx::Target::Scalar);
    for (const Case& c : kCases) {
        Row src(width, c.srcChannels);
        for (int x = 0; x < width; ++x)
            for (int ch = 0; ch < (c.srcChannels ? c.srcChannels : 3); ++ch)
                src.at(x, ch) = static_cast<Qrx8u>(fill(x, ch));
        // Destinations start with the same random bytes, so a kept fourth
        // byte is checked against varied values.
        Row want(width, c.dstChannels);
        for (auto& img : want.imgs) img->randomize(width);
        c.run(ref, src.ptrs, want.ptrs, width);
        for (qrx::Target t : qrxtest::vectorTargets()) {
            const Ycbcr444Rows* table = qrx::ycbcr444RowsFor(t);
            ASSERT_NE(table, nullptr);
            Row got(width, c.dstChannels);
            for (auto& img : got.imgs) img->randomize(width);
            c.run(*table, src.ptrs, got.ptrs, width);
            ASSERT_TRUE(want.same(got, width))
                << c.name << " on " << qrx::targetName(t) << ", width " << width << ", " << what;
        }
    }
}

// ---- through the public entries ------------------------------------------------

using qrxtest::EntryCase;
using qrxtest::EntryIo;
using R = QrxRoiSize;
using F = const EntryIo&;

TEST(Ycbcr444Targets, EveryEntryMatchesScalarTarget) {
    using namespace qrxtest;
    const std::vector<PlaneSpec> c3{interleaved(3)}, c4{interleaved(4)}, p3 = fullPlanes(3);
    // clang-format off
    const std::vector<EntryCase> cases = {
        {"RGBToYCbCr_8u_C3R", c3, c3, [](F f, R r) { return qrxiRGBToYCbCr_8u_C3R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYCbCr_8u_AC4R", c4, c4, [](F f, R r) { return qrxiRGBToYCbCr_8u_AC4R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"RGBToYCbCr_8u_C3P3R", c3, p3, [](F f, R r) { return qrxiRGBToYCbCr_8u_C3P3R(f.in(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"RGBToYCbCr_8u_AC4P3R", c4, p3, [](F f, R r) { return qrxiRGBToYCbCr_8u_AC4P3R(f.in(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"RGBToYCbCr_8u_P3R", p3, p3, [](F f, R r) { return qrxiRGBToYCbCr_8u_P3R(f.inPlanes(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"YCbCrToRGB_8u_C3R", c3, c3, [](F f, R r) { return qrxiYCbCrToRGB_8u_C3R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YCbCrToRGB_8u_AC4R", c4, c4, [](F f, R r) { return qrxiYCbCrToRGB_8u_AC4R(f.in(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YCbCrToRGB_8u_P3C3R", p3, c3, [](F f, R r) { return qrxiYCbCrToRGB_8u_P3C3R(f.inPlanes(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YCbCrToRGB_8u_P3C4R", p3, c4, [](F f, R r) { return qrxiYCbCrToRGB_8u_P3C4R(f.inPlanes(), f.srcStep[0], f.out(), f.dstStep[0], r, 0xC3); }},
        {"YCbCrToRGB_8u_P3R", p3, p3, [](F f, R r) { return qrxiYCbCrToRGB_8u_P3R(f.inPlanes(), f.srcStep[0], f.outPlanes(), f.dstStep[0], r); }},
        {"YCbCrToBGR_8u_P3C3R", p3, c3, [](F f, R r) { return qrxiYCbCrToBGR_8u_P3C3R(f.inPlanes(), f.srcStep[0], f.out(), f.dstStep[0], r); }},
        {"YCbCrToBGR_8u_P3C4R", p3, c4, [](F f, R r) { return qrxiYCbCrToBGR_8u_P3C4R(f.inPlanes(), f.srcStep[0], f.out(), f.dstStep[0], r, 0x3C); }},
    };
    // clang-format on
    std::vector<R> sizes = edgeSizes();
    // Several vector steps, an overlapping last step and a scalar tail.
    for (int w : {95, 96, 97, 103, 191, 200}) sizes.push_back({w, 2});
    for (const EntryCase& c : cases) expectTargetsAgree(c, sizes);
}

TEST(Ycbcr444Targets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::ycbcr444Rows, &qrx::ycbcr444RowsFor);
}

// All pairs of two channels with the third at a few levels: every input the
// decoders clamp, and the encoders' whole range of two weights.
TEST(Ycbcr444Targets, EveryTargetMatchesScalarOverChannelPairs) {
    const int width = 65536;
    for (int fixed = 0; fixed < 3; ++fixed)
        for (int level : {0, 16, 128, 235, 255}) {
            auto sweep = [&](int x, int ch) {
                if (ch == 3) return x * 7 & 255;
                const int other = (ch - fixed + 3) % 3;  // 1 or 2 for the swept channels
                return other == 0 ? level : other == 1 ? x & 255 : x >> 8;
            };
            compareAll(width, sweep, "channel pairs");
        }
}

// The decoders' group arithmetic over every (Y, Cb, Cr): rows of 65536
// pixels cover Y and Cb, one row per Cr. With the public entries' check
// that the dispatched kernel stays within one of the matrix for every
// input, this carries the bound over to every target.
TEST(Ycbcr444Targets, DecoderGroupsMatchScalarForEveryInput) {
    const int width = 65536;
    const Case& planar = *std::find_if(std::begin(kCases), std::end(kCases),
                                       [](const Case& c) { return std::strcmp(c.name, "ycbcrToRgbP3") == 0; });
    const Ycbcr444Rows& ref = *qrx::ycbcr444RowsFor(qrx::Target::Scalar);
    Row src(width, 0), want(width, 0), got(width, 0);
    for (int x = 0; x < width; ++x) {
        src.at(x, 0) = static_cast<Qrx8u>(x);
        src.at(x, 1) = static_cast<Qrx8u>(x >> 8);
    }
    for (int cr = 0; cr < 256; ++cr) {
        for (int x = 0; x < width; ++x) src.at(x, 2) = static_cast<Qrx8u>(cr);
        planar.run(ref, src.ptrs, want.ptrs, width);
        for (qrx::Target t : qrxtest::vectorTargets()) {
            planar.run(*qrx::ycbcr444RowsFor(t), src.ptrs, got.ptrs, width);
            ASSERT_TRUE(want.same(got, width)) << qrx::targetName(t) << ", Cr " << cr;
        }
    }
}

}  // namespace
