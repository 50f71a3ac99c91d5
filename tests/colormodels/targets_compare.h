// Runs a colour-model member under every target this machine supports and
// compares the destination bytes with the scalar target's, at widths around
// every vector size, on random samples and on the type's extremes (floats:
// also NaN, infinities and values far outside 0..1).
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "entry_targets.h"
#include "samples.h"

namespace qrxtest {

// Whole buffers (sentinel margins included) equal sample by sample, any NaN
// matching any NaN: which operand's NaN an operation passes on depends on
// the order a compiler gives them, in the scalar rows as in the vector ones.
template <class T>
bool sameSnapshot(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i + sizeof(T) <= a.size(); i += sizeof(T)) {
        T x, y;
        std::memcpy(&x, &a[i], sizeof x);
        std::memcpy(&y, &b[i], sizeof y);
        if (!sameSample(x, y)) return false;
    }
    return a.size() % sizeof(T) == 0 ||
           std::equal(a.end() - a.size() % sizeof(T), a.end(), b.end() - b.size() % sizeof(T));
}

// call(src, dst) converts a width x 2 region of the given images.
template <class T>
using TargetCall = std::function<QrxStatus(GuardedImage<T>& src, GuardedImage<T>& dst, int width)>;

template <class T>
void expectEveryTargetMatchesScalar(const std::string& name, int srcChannels, int dstChannels,
                                    const TargetCall<T>& call) {
    for (int width : kEdgeWidths)
        for (bool extremes : {false, true}) {
            GuardedImage<T> src(width, 2, srcChannels);
            std::mt19937 rng(uint32_t(width * 2 + extremes));
            for (int y = 0; y < 2; ++y)
                for (int i = 0; i < width * srcChannels; ++i) src.row(y)[i] = randomSample<T>(rng, extremes);
            expectTargetsMatchScalar(name + " width " + std::to_string(width) + (extremes ? " extremes" : ""),
                                     [&] {
                                         GuardedImage<T> dst(width, 2, dstChannels);
                                         EXPECT_EQ(call(src, dst, width), qrxOk);
                                         return dst.snapshot();
                                     },
                                     sameSnapshot<T>);
        }
}

template <class T>
void expectEveryTargetMatchesScalar(const std::string& name, int channels,
                                    QrxStatus (*f)(const T*, int, T*, int, QrxRoiSize)) {
    expectEveryTargetMatchesScalar<T>(name, channels, channels,
                                      [f](GuardedImage<T>& s, GuardedImage<T>& d, int w) {
                                          return f(s.ptr(), s.step(), d.ptr(), d.step(), {w, 2});
                                      });
}

}  // namespace qrxtest
