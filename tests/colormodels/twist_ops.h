// The colour-twist operations as one table per sample type, over test
// images that may be interleaved (three or four channels) or planar, for
// the entry tests and the target tests.
#pragma once

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"

namespace twisttest {

using qrxtest::GuardedImage;

enum class Form { C3, AC4, P3, C4 };

// An image of one of the forms: one guarded buffer, or three planes that
// share one step. stepMode 0 is dense rows, 1 padded rows, -1 rows stored
// bottom-up.
template <class T>
struct TestImage {
    Form form;
    int width, height;
    std::vector<std::unique_ptr<GuardedImage<T>>> planes;
    std::vector<T*> ptrs;

    TestImage(Form f, int w, int h, int stepMode = 0) : form(f), width(w), height(h) {
        const int ch = channels();
        const int row = w * ch * static_cast<int>(sizeof(T));
        const int step = stepMode == 0 ? 0 : stepMode * (row + 3 * static_cast<int>(sizeof(T)) * ch);
        for (int p = 0; p < (f == Form::P3 ? 3 : 1); ++p) {
            planes.push_back(std::make_unique<GuardedImage<T>>(w, h, ch, step));
            ptrs.push_back(planes.back()->ptr());
        }
    }
    int channels() const { return form == Form::C3 ? 3 : (form == Form::P3 ? 1 : 4); }
    int step() const { return planes[0]->step(); }
    T& at(int x, int y, int c) {
        return form == Form::P3 ? planes[c]->at(x, y) : planes[0]->at(x, y, c);
    }
    // Every sample, the fourth channel included, from a seeded generator.
    template <class Gen>
    void fill(Gen&& gen) {
        for (auto& p : planes)
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < width * p->channels(); ++i) p->row(y)[i] = gen();
    }
    void copyFrom(TestImage& o) {
        for (size_t p = 0; p < planes.size(); ++p)
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < width * planes[p]->channels(); ++i)
                    planes[p]->row(y)[i] = o.planes[p]->row(y)[i];
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
                    if constexpr (std::is_floating_point_v<T>)
                        if (a != a && b != b) continue;
                    if (std::memcmp(&a, &b, sizeof(T))) return false;
                }
        return true;
    }
};

using Matrix = Qrx32f[4][4];  // 3x4 forms read the first three rows

// One operation with a uniform call: source and destination plane arrays
// (interleaved forms use element 0; in-place forms only the destination).
template <class T>
struct TwistOp {
    std::string name;
    Form form;
    bool inPlace;
    std::function<QrxStatus(const T* const* s, int ss, T* const* d, int ds, QrxRoiSize roi,
                            const Matrix* m)>
        call;

    QrxStatus run(TestImage<T>& src, TestImage<T>& dst, QrxRoiSize roi, const Matrix& m) const {
        if (inPlace) dst.copyFrom(src);
        return call(src.ptrs.data(), src.step(), dst.ptrs.data(), dst.step(), roi, &m);
    }
};

template <class T>
using Interleaved = QrxStatus (*)(const T*, int, T*, int, QrxRoiSize, const Qrx32f[3][4]);
template <class T>
using InterleavedIP = QrxStatus (*)(T*, int, QrxRoiSize, const Qrx32f[3][4]);
template <class T>
using Planar = QrxStatus (*)(const T* const[3], int, T* const[3], int, QrxRoiSize, const Qrx32f[3][4]);
template <class T>
using PlanarIP = QrxStatus (*)(T* const[3], int, QrxRoiSize, const Qrx32f[3][4]);

inline const Qrx32f (*rows3(const Matrix* m))[4] { return m ? *m : nullptr; }

template <class T>
TwistOp<T> op(std::string name, Form f, Interleaved<T> fn) {
    return {name, f, false, [fn](const T* const* s, int ss, T* const* d, int ds, QrxRoiSize roi,
                                 const Matrix* m) { return fn(s[0], ss, d[0], ds, roi, rows3(m)); }};
}
template <class T>
TwistOp<T> op(std::string name, Form f, InterleavedIP<T> fn) {
    return {name, f, true, [fn](const T* const*, int, T* const* d, int ds, QrxRoiSize roi,
                                const Matrix* m) { return fn(d[0], ds, roi, rows3(m)); }};
}
template <class T>
TwistOp<T> op(std::string name, Planar<T> fn) {
    return {name, Form::P3, false, [fn](const T* const* s, int ss, T* const* d, int ds,
                                        QrxRoiSize roi, const Matrix* m) {
                return fn(s, ss, d, ds, roi, rows3(m));
            }};
}
template <class T>
TwistOp<T> op(std::string name, PlanarIP<T> fn) {
    return {name, Form::P3, true, [fn](const T* const*, int, T* const* d, int ds, QrxRoiSize roi,
                                       const Matrix* m) { return fn(d, ds, roi, rows3(m)); }};
}

inline std::vector<TwistOp<Qrx8u>> ops8u() {
    return {op<Qrx8u>("8u_C3R", Form::C3, qrxiColorTwist32f_8u_C3R),
            op<Qrx8u>("8u_C3IR", Form::C3, qrxiColorTwist32f_8u_C3IR),
            op<Qrx8u>("8u_AC4R", Form::AC4, qrxiColorTwist32f_8u_AC4R),
            op<Qrx8u>("8u_AC4IR", Form::AC4, qrxiColorTwist32f_8u_AC4IR),
            op<Qrx8u>("8u_P3R", qrxiColorTwist32f_8u_P3R),
            op<Qrx8u>("8u_IP3R", qrxiColorTwist32f_8u_IP3R)};
}
inline std::vector<TwistOp<Qrx8s>> ops8s() {
    return {op<Qrx8s>("8s_C3R", Form::C3, qrxiColorTwist32f_8s_C3R),
            op<Qrx8s>("8s_C3IR", Form::C3, qrxiColorTwist32f_8s_C3IR),
            op<Qrx8s>("8s_AC4R", Form::AC4, qrxiColorTwist32f_8s_AC4R),
            op<Qrx8s>("8s_AC4IR", Form::AC4, qrxiColorTwist32f_8s_AC4IR),
            op<Qrx8s>("8s_P3R", qrxiColorTwist32f_8s_P3R),
            op<Qrx8s>("8s_IP3R", qrxiColorTwist32f_8s_IP3R)};
}
inline std::vector<TwistOp<Qrx16u>> ops16u() {
    return {op<Qrx16u>("16u_C3R", Form::C3, qrxiColorTwist32f_16u_C3R),
            op<Qrx16u>("16u_C3IR", Form::C3, qrxiColorTwist32f_16u_C3IR),
            op<Qrx16u>("16u_AC4R", Form::AC4, qrxiColorTwist32f_16u_AC4R),
            op<Qrx16u>("16u_AC4IR", Form::AC4, qrxiColorTwist32f_16u_AC4IR),
            op<Qrx16u>("16u_P3R", qrxiColorTwist32f_16u_P3R),
            op<Qrx16u>("16u_IP3R", qrxiColorTwist32f_16u_IP3R)};
}
inline std::vector<TwistOp<Qrx16s>> ops16s() {
    return {op<Qrx16s>("16s_C3R", Form::C3, qrxiColorTwist32f_16s_C3R),
            op<Qrx16s>("16s_C3IR", Form::C3, qrxiColorTwist32f_16s_C3IR),
            op<Qrx16s>("16s_AC4R", Form::AC4, qrxiColorTwist32f_16s_AC4R),
            op<Qrx16s>("16s_AC4IR", Form::AC4, qrxiColorTwist32f_16s_AC4IR),
            op<Qrx16s>("16s_P3R", qrxiColorTwist32f_16s_P3R),
            op<Qrx16s>("16s_IP3R", qrxiColorTwist32f_16s_IP3R)};
}
inline std::vector<TwistOp<Qrx32f>> ops32f() {
    std::vector<TwistOp<Qrx32f>> v = {op<Qrx32f>("32f_C3R", Form::C3, qrxiColorTwist_32f_C3R),
                                      op<Qrx32f>("32f_C3IR", Form::C3, qrxiColorTwist_32f_C3IR),
                                      op<Qrx32f>("32f_AC4R", Form::AC4, qrxiColorTwist_32f_AC4R),
                                      op<Qrx32f>("32f_AC4IR", Form::AC4, qrxiColorTwist_32f_AC4IR),
                                      op<Qrx32f>("32f_P3R", qrxiColorTwist_32f_P3R),
                                      op<Qrx32f>("32f_IP3R", qrxiColorTwist_32f_IP3R)};
    v.push_back({"32f_C4R", Form::C4, false,
                 [](const Qrx32f* const* s, int ss, Qrx32f* const* d, int ds, QrxRoiSize roi,
                    const Matrix* m) { return qrxiColorTwist_32f_C4R(s[0], ss, d[0], ds, roi, m ? *m : nullptr); }});
    return v;
}

}  // namespace twisttest
