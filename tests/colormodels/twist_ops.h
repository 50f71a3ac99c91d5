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

#include "channel_images.h"
#include "qrxcc.h"

namespace twisttest {

using colortest::Form;
using colortest::TestImage;

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
