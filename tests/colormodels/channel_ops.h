// Test images and operation tables shared by the colour-twist and gamma
// tests: three-channel, four-channel (AC4, C4) and three-plane images in
// guarded buffers, and operations called in one uniform way whatever their
// form (interleaved or planar, in place or not).
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"
#include "targets.h"

namespace colortest {

using qrxtest::GuardedImage;

enum class Form { C3, AC4, P3, C4 };

// One guarded buffer, or three planes sharing one step; padded rows leave
// three pixels of sentinel bytes after each row.
template <class T>
struct TestImage {
    Form form;
    int width, height;
    std::vector<std::unique_ptr<GuardedImage<T>>> planes;
    std::vector<T*> ptrs;

    TestImage(Form f, int w, int h, bool padded = false) : form(f), width(w), height(h) {
        const int ch = channels(), row = w * ch * static_cast<int>(sizeof(T));
        for (int p = 0; p < (f == Form::P3 ? 3 : 1); ++p) {
            planes.push_back(std::make_unique<GuardedImage<T>>(w, h, ch, padded ? row + 3 * ch * int(sizeof(T)) : 0));
            ptrs.push_back(planes.back()->ptr());
        }
    }
    int channels() const { return form == Form::C3 ? 3 : (form == Form::P3 ? 1 : 4); }
    int step() const { return planes[0]->step(); }
    T& at(int x, int y, int c) { return form == Form::P3 ? planes[c]->at(x, y) : planes[0]->at(x, y, c); }
    // Every sample, fourth channels included.
    template <class Gen>
    void fill(Gen&& gen) {
        for (auto& p : planes)
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < width * p->channels(); ++i) p->row(y)[i] = gen();
    }
    void copyFrom(TestImage& o) {
        for (size_t p = 0; p < planes.size(); ++p)
            for (int y = 0; y < height; ++y)
                std::memcpy(planes[p]->row(y), o.planes[p]->row(y), width * planes[p]->channels() * sizeof(T));
    }
    bool untouchedOutside() const {
        for (auto& p : planes)
            if (!p->untouchedOutside()) return false;
        return true;
    }
    std::vector<std::vector<unsigned char>> snapshot() const {
        std::vector<std::vector<unsigned char>> s;
        for (auto& p : planes) s.push_back(p->snapshot());
        return s;
    }
    bool unchangedSince(const std::vector<std::vector<unsigned char>>& s) const {
        for (size_t i = 0; i < planes.size(); ++i)
            if (!planes[i]->unchangedSince(s[i])) return false;
        return true;
    }
    // Same bytes; for floats any NaN equals any NaN (which operand's NaN an
    // addition passes on depends on the order the compiler gives them).
    bool operator==(const TestImage& o) const {
        for (size_t p = 0; p < planes.size(); ++p)
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < width * planes[p]->channels(); ++i) {
                    const T a = planes[p]->row(y)[i], b = o.planes[p]->row(y)[i];
                    if (!(std::memcmp(&a, &b, sizeof(T)) == 0 || (a != a && b != b))) return false;
                }
        return true;
    }
};

// An operation with its own parameters P (a matrix, a range, or none).
// Interleaved forms use element 0 of the plane arrays; in-place forms only
// the destination.
template <class T, class... P>
struct ChannelOp {
    using Sample = T;
    std::string name;
    Form form;
    bool inPlace;
    std::function<QrxStatus(const T* const*, int, T* const*, int, QrxRoiSize, P...)> call;

    QrxStatus run(TestImage<T>& src, TestImage<T>& dst, QrxRoiSize roi, P... p) const {
        if (inPlace) dst.copyFrom(src);
        return call(src.ptrs.data(), src.step(), dst.ptrs.data(), dst.step(), roi, p...);
    }
};

template <class T, class... P>
ChannelOp<T, P...> interleaved(std::string name, Form f, QrxStatus (*fn)(const T*, int, T*, int, QrxRoiSize, P...)) {
    return {name, f, false, [fn](const T* const* s, int ss, T* const* d, int ds, QrxRoiSize r, P... p) {
                return fn(s[0], ss, d[0], ds, r, p...);
            }};
}

template <class T, class... P>
ChannelOp<T, P...> interleavedInPlace(std::string name, Form f, QrxStatus (*fn)(T*, int, QrxRoiSize, P...)) {
    return {name, f, true, [fn](const T* const*, int, T* const* d, int ds, QrxRoiSize r, P... p) {
                return fn(d[0], ds, r, p...);
            }};
}

template <class T, class... P>
ChannelOp<T, P...> planar(std::string name, QrxStatus (*fn)(const T* const[3], int, T* const[3], int, QrxRoiSize, P...)) {
    return {name, Form::P3, false, [fn](const T* const* s, int ss, T* const* d, int ds, QrxRoiSize r, P... p) {
                return fn(s, ss, d, ds, r, p...);
            }};
}

template <class T, class... P>
ChannelOp<T, P...> planarInPlace(std::string name, QrxStatus (*fn)(T* const[3], int, QrxRoiSize, P...)) {
    return {name, Form::P3, true, [fn](const T* const*, int, T* const* d, int ds, QrxRoiSize r, P... p) {
                return fn(d, ds, r, p...);
            }};
}

// The six forms C3R, C3IR, AC4R, AC4IR, P3R and IP3R of one operation.
template <class T, class... P>
std::vector<ChannelOp<T, P...>> sixForms(const std::string& name,
                                         QrxStatus (*c3)(const T*, int, T*, int, QrxRoiSize, P...),
                                         QrxStatus (*c3i)(T*, int, QrxRoiSize, P...),
                                         QrxStatus (*ac4)(const T*, int, T*, int, QrxRoiSize, P...),
                                         QrxStatus (*ac4i)(T*, int, QrxRoiSize, P...),
                                         QrxStatus (*p3)(const T* const[3], int, T* const[3], int, QrxRoiSize, P...),
                                         QrxStatus (*p3i)(T* const[3], int, QrxRoiSize, P...)) {
    return {interleaved(name + "_C3R", Form::C3, c3),   interleavedInPlace(name + "_C3IR", Form::C3, c3i),
            interleaved(name + "_AC4R", Form::AC4, ac4), interleavedInPlace(name + "_AC4IR", Form::AC4, ac4i),
            planar(name + "_P3R", p3),                   planarInPlace(name + "_IP3R", p3i)};
}

// The sample type of a table of operations.
template <class Ops>
using SampleOf = typename std::decay_t<Ops>::value_type::Sample;

// Nulls (image pointers, plane arrays, then each plane), then the size,
// then every step; nothing written on failure. `p` are valid parameters.
template <class T, class... P>
void expectChecksInOrder(const ChannelOp<T, P...>& op, P... p) {
    SCOPED_TRACE(op.name);
    TestImage<T> src(op.form, 4, 3), dst(op.form, 4, 3);
    src.fill([v = 0]() mutable { return T(++v); });
    dst.fill([] { return T(7); });
    const auto snap = dst.snapshot();
    const T* nullS[3] = {};
    T* nullD[3] = {};
    auto call = [&](const T* const* s, int ss, T* const* d, int ds, QrxRoiSize roi) {
        return op.call(s, ss, d, ds, roi, p...);
    };
    const bool isPlanar = op.form == Form::P3;
    const int ss = src.step(), ds = dst.step();
    if (!op.inPlace) {
        EXPECT_EQ(call(isPlanar ? nullptr : nullS, 0, dst.ptrs.data(), 0, {0, 0}), qrxErrNullPtr);
    }
    EXPECT_EQ(call(src.ptrs.data(), 0, isPlanar ? nullptr : nullD, 0, {0, 0}), qrxErrNullPtr);
    for (int i = 0; isPlanar && i < (op.inPlace ? 3 : 6); ++i) {
        std::vector<const T*> sp(src.ptrs.begin(), src.ptrs.end());
        std::vector<T*> dp(dst.ptrs.begin(), dst.ptrs.end());
        if (i < 3) {
            dp[i] = nullptr;
        } else {
            sp[i - 3] = nullptr;
        }
        EXPECT_EQ(call(sp.data(), 0, dp.data(), 0, {0, 3}), qrxErrNullPtr) << "plane " << i;
    }
    for (QrxRoiSize roi : {QrxRoiSize{0, 3}, {4, 0}, {-4, 3}, {4, -1}})
        EXPECT_EQ(call(src.ptrs.data(), 0, dst.ptrs.data(), 0, roi), qrxErrSize);
    EXPECT_EQ(call(src.ptrs.data(), ss, dst.ptrs.data(), 0, {4, 3}), qrxErrStep);
    EXPECT_EQ(call(src.ptrs.data(), ss, dst.ptrs.data(), -ds, {4, 3}), qrxErrStep);
    if (!op.inPlace) {
        EXPECT_EQ(call(src.ptrs.data(), 0, dst.ptrs.data(), ds, {4, 3}), qrxErrStep);
    }
    EXPECT_TRUE(dst.unchangedSince(snap));
}

// Each not-in-place form (even index) and the in-place form after it give
// the same bytes.
template <class T, class... P, class Gen>
void expectInPlaceMatches(const std::vector<ChannelOp<T, P...>>& ops, int w, int h, Gen gen, P... p) {
    for (size_t i = 0; i + 1 < ops.size(); i += 2) {
        ASSERT_TRUE(!ops[i].inPlace && ops[i + 1].inPlace);
        TestImage<T> src(ops[i].form, w, h), a(ops[i].form, w, h), b(ops[i].form, w, h);
        src.fill(gen);
        a.copyFrom(src);  // the fourth elements the in-place image keeps
        ASSERT_EQ(ops[i].run(src, a, {w, h}, p...), qrxOk);
        ASSERT_EQ(ops[i + 1].run(src, b, {w, h}, p...), qrxOk);
        EXPECT_TRUE(a == b) << ops[i].name;
    }
}

// Runs op under the scalar target and then every vector target on the same
// source; every destination starts from the same bytes and must end equal.
template <class T, class... P>
void expectTargetsMatchScalar(const ChannelOp<T, P...>& op, TestImage<T>& src, P... p) {
    auto fresh = [&] {
        auto d = std::make_unique<TestImage<T>>(op.form, src.width, src.height);
        d->fill([v = 0]() mutable { return T(v++ % 97); });
        return d;
    };
    const QrxRoiSize roi{src.width, src.height};
    auto want = fresh();
    {
        qrxtest::TargetScope scalar(qrx::Target::Scalar);
        ASSERT_EQ(op.run(src, *want, roi, p...), qrxOk);
    }
    for (qrx::Target t : qrxtest::vectorTargets()) {
        auto got = fresh();
        qrxtest::TargetScope scope(t);
        ASSERT_EQ(op.run(src, *got, roi, p...), qrxOk);
        EXPECT_TRUE(*got == *want) << op.name << " " << qrx::targetName(t) << " width " << src.width;
        EXPECT_TRUE(got->untouchedOutside());
    }
}

}  // namespace colortest
