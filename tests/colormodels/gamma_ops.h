// The gamma operations as one table per sample type, with a uniform call,
// for the entry tests and the target tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "channel_images.h"
#include "qrxcc.h"

namespace gammatest {

using colortest::Form;
using colortest::TestImage;

template <class T>
struct GammaOp {
    std::string name;
    Form form;
    bool inPlace;
    bool forward;
    // Source and destination plane arrays (interleaved forms use element 0;
    // in-place forms only the destination); vMin and vMax for floats.
    std::function<QrxStatus(const T* const* s, int ss, T* const* d, int ds, QrxRoiSize roi,
                            float vMin, float vMax)>
        call;

    QrxStatus run(TestImage<T>& src, TestImage<T>& dst, QrxRoiSize roi, float vMin = 0,
                  float vMax = 1) const {
        if (inPlace) dst.copyFrom(src);
        return call(src.ptrs.data(), src.step(), dst.ptrs.data(), dst.step(), roi, vMin, vMax);
    }
};

// The six forms of one direction and type, in the order C3R, C3IR, AC4R,
// AC4IR, P3R, IP3R; integer forms take no range.
template <class T, class... R>
std::vector<GammaOp<T>> forms(const std::string& name, bool forward,
                              QrxStatus (*c3)(const T*, int, T*, int, QrxRoiSize, R...),
                              QrxStatus (*c3i)(T*, int, QrxRoiSize, R...),
                              QrxStatus (*ac4)(const T*, int, T*, int, QrxRoiSize, R...),
                              QrxStatus (*ac4i)(T*, int, QrxRoiSize, R...),
                              QrxStatus (*p3)(const T* const[3], int, T* const[3], int, QrxRoiSize, R...),
                              QrxStatus (*p3i)(T* const[3], int, QrxRoiSize, R...)) {
    using Call = decltype(GammaOp<T>::call);
    auto range = [](auto f, float lo, float hi, auto... a) {
        if constexpr (sizeof...(R) == 0) {
            (void)lo;
            (void)hi;
            return f(a...);
        } else {
            return f(a..., lo, hi);
        }
    };
    Call callC3 = [=](const T* const* s, int ss, T* const* d, int ds, QrxRoiSize roi, float lo, float hi) {
        return range(c3, lo, hi, s[0], ss, d[0], ds, roi);
    };
    Call callC3i = [=](const T* const*, int, T* const* d, int ds, QrxRoiSize roi, float lo, float hi) {
        return range(c3i, lo, hi, d[0], ds, roi);
    };
    Call callAc4 = [=](const T* const* s, int ss, T* const* d, int ds, QrxRoiSize roi, float lo, float hi) {
        return range(ac4, lo, hi, s[0], ss, d[0], ds, roi);
    };
    Call callAc4i = [=](const T* const*, int, T* const* d, int ds, QrxRoiSize roi, float lo, float hi) {
        return range(ac4i, lo, hi, d[0], ds, roi);
    };
    Call callP3 = [=](const T* const* s, int ss, T* const* d, int ds, QrxRoiSize roi, float lo, float hi) {
        return range(p3, lo, hi, s, ss, d, ds, roi);
    };
    Call callP3i = [=](const T* const*, int, T* const* d, int ds, QrxRoiSize roi, float lo, float hi) {
        return range(p3i, lo, hi, d, ds, roi);
    };
    return {{name + "_C3R", Form::C3, false, forward, callC3},
            {name + "_C3IR", Form::C3, true, forward, callC3i},
            {name + "_AC4R", Form::AC4, false, forward, callAc4},
            {name + "_AC4IR", Form::AC4, true, forward, callAc4i},
            {name + "_P3R", Form::P3, false, forward, callP3},
            {name + "_IP3R", Form::P3, true, forward, callP3i}};
}

inline std::vector<GammaOp<Qrx8u>> ops8u() {
    auto v = forms<Qrx8u>("Fwd_8u", true, qrxiGammaFwd_8u_C3R, qrxiGammaFwd_8u_C3IR, qrxiGammaFwd_8u_AC4R,
                          qrxiGammaFwd_8u_AC4IR, qrxiGammaFwd_8u_P3R, qrxiGammaFwd_8u_IP3R);
    auto i = forms<Qrx8u>("Inv_8u", false, qrxiGammaInv_8u_C3R, qrxiGammaInv_8u_C3IR, qrxiGammaInv_8u_AC4R,
                          qrxiGammaInv_8u_AC4IR, qrxiGammaInv_8u_P3R, qrxiGammaInv_8u_IP3R);
    v.insert(v.end(), i.begin(), i.end());
    return v;
}
inline std::vector<GammaOp<Qrx16u>> ops16u() {
    auto v = forms<Qrx16u>("Fwd_16u", true, qrxiGammaFwd_16u_C3R, qrxiGammaFwd_16u_C3IR,
                           qrxiGammaFwd_16u_AC4R, qrxiGammaFwd_16u_AC4IR, qrxiGammaFwd_16u_P3R,
                           qrxiGammaFwd_16u_IP3R);
    auto i = forms<Qrx16u>("Inv_16u", false, qrxiGammaInv_16u_C3R, qrxiGammaInv_16u_C3IR,
                           qrxiGammaInv_16u_AC4R, qrxiGammaInv_16u_AC4IR, qrxiGammaInv_16u_P3R,
                           qrxiGammaInv_16u_IP3R);
    v.insert(v.end(), i.begin(), i.end());
    return v;
}
inline std::vector<GammaOp<Qrx32f>> ops32f() {
    auto v = forms<Qrx32f>("Fwd_32f", true, qrxiGammaFwd_32f_C3R, qrxiGammaFwd_32f_C3IR,
                           qrxiGammaFwd_32f_AC4R, qrxiGammaFwd_32f_AC4IR, qrxiGammaFwd_32f_P3R,
                           qrxiGammaFwd_32f_IP3R);
    auto i = forms<Qrx32f>("Inv_32f", false, qrxiGammaInv_32f_C3R, qrxiGammaInv_32f_C3IR,
                           qrxiGammaInv_32f_AC4R, qrxiGammaInv_32f_AC4IR, qrxiGammaInv_32f_P3R,
                           qrxiGammaInv_32f_IP3R);
    v.insert(v.end(), i.begin(), i.end());
    return v;
}

}  // namespace gammatest
