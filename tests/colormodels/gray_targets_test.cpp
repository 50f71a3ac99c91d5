// Every target of the colour-to-gray conversions gives the scalar target's
// bytes, through the public entries and, for a wider sweep of weights,
// through the rows themselves; and the entries use the chosen target's table.
#include <gtest/gtest.h>

#include <cstring>

#include "colormodels/gray/rows.h"
#include "entry_targets.h"
#include "guarded_image.h"
#include "targets.h"

namespace {

using qrx::GrayRows;
using qrxtest::EntryCase;
using qrxtest::EntryIo;
using qrxtest::GuardedImage;
using R = QrxRoiSize;

// Weights whose 12-bit forms are odd, and large enough to overflow 16 bits.
const Qrx32f kOdd[3] = {0.9f, 0.61f, 0.0001f};
const Qrx32f kHeavy[3] = {15.99f, 0.0f, 9.5f};

template <class T>
using Fixed = QrxStatus (*)(const T*, int, T*, int, QrxRoiSize);
template <class T>
using Weighted = QrxStatus (*)(const T*, int, T*, int, QrxRoiSize, const Qrx32f*);

template <class T>
qrxtest::PlaneSpec samples(int channels) {
    return {int(sizeof(T)) * channels, qrxtest::Scale::Full, qrxtest::Scale::Full, int(sizeof(T))};
}

template <class T>
void addType(std::vector<EntryCase>& out, const char* type, Fixed<T> c3, Fixed<T> ac4,
             Weighted<T> wc3, Weighted<T> wac4) {
    for (int ch : {3, 4}) {
        const std::string layout = ch == 3 ? "_C3C1R" : "_AC4C1R";
        const Fixed<T> fixed = ch == 3 ? c3 : ac4;
        const Weighted<T> weighted = ch == 3 ? wc3 : wac4;
        out.push_back({std::string("RGBToGray_") + type + layout, {samples<T>(ch)}, {samples<T>(1)},
                       [fixed](const EntryIo& io, R r) {
                           return fixed(io.in<T>(), io.srcStep[0], io.out<T>(), io.dstStep[0], r);
                       }});
        for (const Qrx32f* w : {kOdd, kHeavy})
            out.push_back({std::string("ColorToGray_") + type + layout + (w == kOdd ? " odd" : " heavy"),
                           {samples<T>(ch)}, {samples<T>(1)},
                           [weighted, w](const EntryIo& io, R r) {
                               return weighted(io.in<T>(), io.srcStep[0], io.out<T>(), io.dstStep[0],
                                               r, w);
                           }});
    }
}

TEST(GrayTargets, EveryEntryMatchesScalarTarget) {
    std::vector<EntryCase> cases;
    addType<Qrx8u>(cases, "8u", qrxiRGBToGray_8u_C3C1R, qrxiRGBToGray_8u_AC4C1R,
                   qrxiColorToGray_8u_C3C1R, qrxiColorToGray_8u_AC4C1R);
    addType<Qrx16u>(cases, "16u", qrxiRGBToGray_16u_C3C1R, qrxiRGBToGray_16u_AC4C1R,
                    qrxiColorToGray_16u_C3C1R, qrxiColorToGray_16u_AC4C1R);
    addType<Qrx16s>(cases, "16s", qrxiRGBToGray_16s_C3C1R, qrxiRGBToGray_16s_AC4C1R,
                    qrxiColorToGray_16s_C3C1R, qrxiColorToGray_16s_AC4C1R);
    addType<Qrx32f>(cases, "32f", qrxiRGBToGray_32f_C3C1R, qrxiRGBToGray_32f_AC4C1R,
                    qrxiColorToGray_32f_C3C1R, qrxiColorToGray_32f_AC4C1R);
    ASSERT_EQ(cases.size(), 24u);
    for (const EntryCase& c : cases) qrxtest::expectTargetsAgree(c);
}

TEST(GrayTargets, EntriesUseTheChosenTargetsTable) {
    qrxtest::expectTargetChoice(&qrx::grayRows, &qrx::grayRowsFor);
}

// Row level: more weight sets, at every edge width, on random rows and on
// rows of the two extremes only.
template <class T, class Weights>
void compareRow(qrx::GrayRow<T, Weights> GrayRows::*row, int channels, Weights w, int lo, int hi) {
    const GrayRows& ref = *qrx::grayRowsFor(qrx::Target::Scalar);
    for (qrx::Target t : qrxtest::vectorTargets()) {
        const GrayRows* table = qrx::grayRowsFor(t);
        for (int width : qrxtest::kEdgeWidths)
            for (bool extremes : {false, true}) {
                GuardedImage<T> src(width, 1, channels);
                GuardedImage<T> want(width, 1), got(width, 1);
                src.randomize(width, lo, hi);
                if (extremes)
                    for (int i = 0; i < width * channels; ++i)
                        src.ptr()[i] = static_cast<T>(int(src.ptr()[i]) & 1 ? hi : lo);
                (ref.*row)(src.ptr(), want.ptr(), width, w);
                (table->*row)(src.ptr(), got.ptr(), width, w);
                ASSERT_EQ(std::memcmp(want.ptr(), got.ptr(), width * sizeof(T)), 0)
                    << qrx::targetName(t) << " width " << width << (extremes ? " extremes" : "");
            }
    }
}

TEST(GrayTargets, RowsMatchScalarForManyWeights) {
    const Qrx32f fixed[3] = {0.299f, 0.587f, 0.114f};
    const Qrx32f top[3] = {15.9998f, 15.9998f, 15.9998f};  // 65535 each
    const Qrx32f negative[3] = {-0.5f, 1.2f, 0.25f};
    for (const Qrx32f* c : {fixed, kOdd, kHeavy, top, negative}) {
        const qrx::GrayWeights12 w = qrx::grayWeights12(c);
        compareRow<Qrx8u, const qrx::GrayWeights12&>(&GrayRows::c3_8u, 3, w, 0, 255);
        compareRow<Qrx8u, const qrx::GrayWeights12&>(&GrayRows::ac4_8u, 4, w, 0, 255);
        compareRow<Qrx16u, const Qrx32f*>(&GrayRows::c3_16u, 3, c, 0, 65535);
        compareRow<Qrx16s, const Qrx32f*>(&GrayRows::ac4_16s, 4, c, -32768, 32767);
    }
}

}  // namespace
