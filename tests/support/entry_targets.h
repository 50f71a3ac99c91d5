// Every target through the public entries.
//
// An EntryCase describes one exported operation by the planes it reads and
// writes and a call that hands them over. expectTargetsAgree() runs it under
// the scalar target and under every vector target this machine runs, on the
// same sources, in guarded images (each buffer ends at an inaccessible page),
// at the given sizes with dense, padded and negative steps, and requires the
// same status and the same bytes in every destination buffer, the margins
// around and between the rows included.
//
// expectTargetsMatchScalar() is the same comparison for any run: it calls
// run() under the scalar target and then under every vector target, and
// requires `same(got, want)` of each result.
//
// expectTargetChoice() checks a family's choice of kernel table: the widest
// target the processor reports without a selection, the selected target's
// table while one is selected.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"
#include "targets.h"

namespace qrxtest {

// How a plane's extent follows the region's.
enum class Scale { Full, HalfUp, HalfDown, QuarterUp };

inline int scaled(int n, Scale s) {
    switch (s) {
        case Scale::Full: return n;
        case Scale::HalfUp: return (n + 1) / 2;
        case Scale::HalfDown: return n / 2;
        case Scale::QuarterUp: return (n + 3) / 4;
    }
    return n;
}

// One plane or interleaved image: `bytes` per pixel position (channels times
// sample size), its width and height scaling, and the sample size (4 means
// float samples, filled with finite values).
struct PlaneSpec {
    int bytes = 1;
    Scale x = Scale::Full;
    Scale y = Scale::Full;
    int sampleBytes = 1;
};

// Common shapes.
inline PlaneSpec interleaved(int channels) { return {channels}; }
inline PlaneSpec words(int channels = 1) { return {2 * channels, Scale::Full, Scale::Full, 2}; }
inline PlaneSpec floats(int channels = 1) { return {4 * channels, Scale::Full, Scale::Full, 4}; }
inline std::vector<PlaneSpec> fullPlanes(int n) { return std::vector<PlaneSpec>(n, PlaneSpec{}); }
inline std::vector<PlaneSpec> planes422() { return {{}, {1, Scale::HalfUp}, {1, Scale::HalfUp}}; }
inline std::vector<PlaneSpec> planes420() {
    return {{}, {1, Scale::HalfDown, Scale::HalfDown}, {1, Scale::HalfDown, Scale::HalfDown}};
}

// What an entry is handed: source and destination pointers and steps.
struct EntryIo {
    std::vector<const Qrx8u*> src;
    std::vector<int> srcStep;
    std::vector<Qrx8u*> dst;
    std::vector<int> dstStep;

    template <class T = Qrx8u>
    const T* in(int k = 0) const { return reinterpret_cast<const T*>(src[k]); }
    template <class T = Qrx8u>
    T* out(int k = 0) const { return reinterpret_cast<T*>(dst[k]); }
    const Qrx8u* const* inPlanes() const { return src.data(); }
    Qrx8u* const* outPlanes() const { return dst.data(); }
    const int* inSteps() const { return srcStep.data(); }
    const int* outSteps() const { return dstStep.data(); }
};

struct EntryCase {
    std::string name;
    std::vector<PlaneSpec> src, dst;
    std::function<QrxStatus(const EntryIo&, QrxRoiSize)> call;
    bool wholeImage = false;  // no steps: rows are dense
};

enum class StepMode { Dense, Padded, Negative };
enum class Values { Random, Extremes };

namespace detail {

using Buffer = std::unique_ptr<GuardedImage<Qrx8u>>;

// Padded rows carry three extra samples, so rows start at odd sample offsets.
inline Buffer makePlane(const PlaneSpec& p, QrxRoiSize roi, StepMode mode) {
    const int w = scaled(roi.width, p.x), h = scaled(roi.height, p.y);
    const int rowBytes = w * p.bytes, pad = 3 * p.sampleBytes;
    const int step = mode == StepMode::Dense    ? 0
                     : mode == StepMode::Padded ? rowBytes + pad
                                                : -(rowBytes + pad);
    return std::make_unique<GuardedImage<Qrx8u>>(w * p.bytes, h, 1, step);
}

}  // namespace detail

// The status, then every destination buffer whole, margins included.
inline std::vector<unsigned char> runEntry(const EntryCase& c, QrxRoiSize roi, StepMode mode,
                                           Values values, uint32_t seed) {
    std::vector<detail::Buffer> src, dst;
    EntryIo io;
    for (const PlaneSpec& p : c.src) {
        src.push_back(detail::makePlane(p, roi, mode));
        GuardedImage<Qrx8u>& im = *src.back();
        im.randomize(seed++);
        if (values == Values::Extremes)
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x < im.width(); ++x) im.at(x, y) = im.at(x, y) & 1 ? 255 : 0;
        if (p.sampleBytes == 4)
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x + 4 <= im.width(); x += 4) {
                    int16_t bits;
                    std::memcpy(&bits, &im.at(x, y), 2);
                    const float v = bits * 0.0137f;
                    std::memcpy(&im.at(x, y), &v, 4);
                }
        io.src.push_back(im.ptr());
        io.srcStep.push_back(im.step());
    }
    for (const PlaneSpec& p : c.dst) {
        dst.push_back(detail::makePlane(p, roi, mode));
        dst.back()->randomize(0xD5 + uint32_t(dst.size()));
        io.dst.push_back(dst.back()->ptr());
        io.dstStep.push_back(dst.back()->step());
    }
    const QrxStatus st = c.call(io, roi);
    std::vector<unsigned char> bytes(sizeof st);
    std::memcpy(bytes.data(), &st, sizeof st);
    for (const detail::Buffer& d : dst) {
        const std::vector<unsigned char> s = d->snapshot();
        bytes.insert(bytes.end(), s.begin(), s.end());
    }
    return bytes;
}

// Widths around every vector group size, each with heights 1 and 3, and a
// few more heights (even, odd, and beyond one 4:2:0 row pair).
inline std::vector<QrxRoiSize> edgeSizes() {
    std::vector<QrxRoiSize> sizes;
    for (int w : kEdgeWidths)
        for (int h : {1, 3}) sizes.push_back({w, h});
    for (int w : {6, 10, 14, 18, 34, 66, 130})
        for (int h : {2, 5}) sizes.push_back({w, h});
    for (int h : {2, 4, 7}) sizes.push_back({33, h});
    return sizes;
}

inline void expectTargetsAgree(const EntryCase& c,
                               const std::vector<QrxRoiSize>& sizes = edgeSizes()) {
    const std::vector<qrx::Target> targets = vectorTargets();
    uint32_t seed = 1;
    for (const QrxRoiSize roi : sizes)
        for (StepMode mode : {StepMode::Dense, StepMode::Padded, StepMode::Negative}) {
            if (c.wholeImage && mode != StepMode::Dense) continue;
            for (Values values : {Values::Random, Values::Extremes}) {
                seed += 8;
                std::vector<unsigned char> want;
                {
                    TargetScope scalar(qrx::Target::Scalar);
                    want = runEntry(c, roi, mode, values, seed);
                }
                for (qrx::Target t : targets) {
                    TargetScope scope(t);
                    ASSERT_TRUE(scope.ok());
                    const std::vector<unsigned char> got = runEntry(c, roi, mode, values, seed);
                    size_t first = 0;
                    while (first < want.size() && want[first] == got[first]) ++first;
                    ASSERT_EQ(first, want.size())
                        << c.name << " under " << qrx::targetName(t) << ", " << roi.width << "x"
                        << roi.height << " step mode " << int(mode)
                        << (values == Values::Extremes ? " (0/255)" : "")
                        << ": first different byte " << first
                        << (first < sizeof(QrxStatus) ? " (the status)" : "");
                }
            }
        }
}

template <class Run, class Same = std::equal_to<>>
void expectTargetsMatchScalar(const std::string& what, Run&& run, Same&& same = {}) {
    decltype(run()) want;
    {
        TargetScope scalar(qrx::Target::Scalar);
        want = run();
    }
    for (qrx::Target t : vectorTargets()) {
        TargetScope scope(t);
        ASSERT_TRUE(scope.ok());
        EXPECT_TRUE(same(run(), want)) << what << " under " << qrx::targetName(t);
    }
}

// The widest target by the processor flags the kernel reports.
inline qrx::Target widestByCpuFlags() {
    std::ifstream in("/proc/cpuinfo");
    std::set<std::string> flags;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("flags", 0) == 0) {
            std::istringstream words(line.substr(line.find(':') + 1));
            for (std::string f; words >> f;) flags.insert(f);
            break;
        }
    const auto has = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (!flags.count(n)) return false;
        return true;
    };
    if (has({"avx512f", "avx512bw", "avx512vl", "avx512dq"})) return qrx::Target::AVX512;
    if (has({"avx2", "bmi2"})) return qrx::Target::AVX2;
    return qrx::Target::SSE2;
}

// A family's table choice: four distinct tables; the widest runnable one
// without a selection; the selected one while a target is selected; an
// unrunnable target is refused and changes nothing.
template <class Table>
void expectTargetChoice(const Table& (*active)(), const Table* (*forTarget)(qrx::Target)) {
    const qrx::Target widest = widestByCpuFlags();
    for (int a = 0; a < qrx::kTargetCount; ++a)
        for (int b = a + 1; b < qrx::kTargetCount; ++b)
            EXPECT_NE(forTarget(qrx::Target(a)), forTarget(qrx::Target(b))) << a << " " << b;
    EXPECT_EQ(&active(), forTarget(widest)) << "automatic choice";
    for (int t = 0; t < qrx::kTargetCount; ++t) {
        const auto target = static_cast<qrx::Target>(t);
        const bool runnable = t <= int(widest);
        {
            TargetScope scope(target);
            EXPECT_EQ(scope.ok(), runnable) << qrx::targetName(target);
            EXPECT_EQ(&active(), forTarget(runnable ? target : widest)) << qrx::targetName(target);
        }
        EXPECT_EQ(&active(), forTarget(widest)) << "after " << qrx::targetName(target);
    }
}

}  // namespace qrxtest
