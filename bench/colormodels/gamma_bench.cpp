// Benchmark cases of gamma correction, with OpenCV's cv::LUT on the same
// 8-bit table and a plain loop calling pow per sample (16u and 32f) as peers.
#include <cmath>

#include "colormodels/gamma/rows.h"
#include "operations.h"
#include "peers/peers.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_HAVE_OPENCV
#include <opencv2/core.hpp>
#endif

namespace qrxbench {
namespace {

const Layout kP3_16u{"P3_16u", 3, 1, Elem::U16};
const Layout kP3_32f{"P3_32f", 3, 1, Elem::F32};

// The benchmark images hold floats in 0..255.
constexpr Qrx32f kMin = 0.0f, kMax = 255.0f;

template <class T>
T* px(Image* im) {
  return reinterpret_cast<T*>(im->plane[0]);
}
template <class T>
T** planes(Image* im) {
  return reinterpret_cast<T**>(im->plane);
}

// Runners by argument shape; in-place forms work on the destination image.
template <class T, class... R>
Runner interleaved(QrxStatus (*fn)(const T*, int, T*, int, QrxRoiSize, R...)) {
  return [fn](const Args& a) {
    if constexpr (sizeof...(R) == 0) return fn(px<T>(a.src), a.src->step[0], px<T>(a.dst), a.dst->step[0], a.roi);
    else return fn(px<T>(a.src), a.src->step[0], px<T>(a.dst), a.dst->step[0], a.roi, kMin, kMax);
  };
}
template <class T, class... R>
Runner inPlace(QrxStatus (*fn)(T*, int, QrxRoiSize, R...)) {
  return [fn](const Args& a) {
    if constexpr (sizeof...(R) == 0) return fn(px<T>(a.dst), a.dst->step[0], a.roi);
    else return fn(px<T>(a.dst), a.dst->step[0], a.roi, kMin, kMax);
  };
}
template <class T, class... R>
Runner planar(QrxStatus (*fn)(const T* const[3], int, T* const[3], int, QrxRoiSize, R...)) {
  return [fn](const Args& a) {
    if constexpr (sizeof...(R) == 0) return fn(planes<T>(a.src), a.src->step[0], planes<T>(a.dst), a.dst->step[0], a.roi);
    else return fn(planes<T>(a.src), a.src->step[0], planes<T>(a.dst), a.dst->step[0], a.roi, kMin, kMax);
  };
}
template <class T, class... R>
Runner planarInPlace(QrxStatus (*fn)(T* const[3], int, QrxRoiSize, R...)) {
  return [fn](const Args& a) {
    if constexpr (sizeof...(R) == 0) return fn(planes<T>(a.dst), a.dst->step[0], a.roi);
    else return fn(planes<T>(a.dst), a.dst->step[0], a.roi, kMin, kMax);
  };
}

// What a plain implementation does: pow for every sample.
template <class T>
Runner powLoop() {
  return [](const Args& a) {
    const T* s = px<T>(a.src);
    T* d = px<T>(a.dst);
    const long n = 3L * a.roi.width * a.roi.height;
    const double scale = std::is_same_v<T, Qrx16u> ? 65535.0 : 255.0;
    for (long i = 0; i < n; ++i) {
      const double x = s[i] / scale;
      const double y = x < 0.018 ? 4.5 * x : std::pow(x, 0.45) * 1.099 - 0.099;
      d[i] = static_cast<T>(std::is_same_v<T, Qrx16u> ? y * scale + 0.5 : y * scale);
    }
    return 0;
  };
}

void gammaPeers() {
  registerPeer("scalar/powLoop_16u", k16uC3, k16uC3, powLoop<Qrx16u>(), "a loop calling pow per sample");
  registerPeer("scalar/powLoop_32f", k32fC3, k32fC3, powLoop<Qrx32f>(), "a loop calling pow per sample");
#ifdef QRX_BENCH_HAVE_OPENCV
  registerPeer("opencv/LUT_8UC3", kRGB, kRGB,
               [](const Args& a) {
                 static const cv::Mat table(1, 256, CV_8U, const_cast<Qrx8u*>(qrx::kGammaFwd8u));
                 cv::Mat s = opencvHeader(*a.src, a.roi), d = opencvHeader(*a.dst, a.roi);
                 void* before = d.data;
                 cv::LUT(s, table, d);
                 return d.data == before ? 0 : -2;
               },
               "OpenCV cv::LUT with the forward 8-bit table");
#endif
}

#define GAMMA(fn, shape, src, dst, peers) {#fn, shape(&fn), src, dst, peers}

const Family kGammaFamily{"Gamma correction", {
    GAMMA(qrxiGammaFwd_8u_C3R, interleaved, &kRGB, &kRGB, "opencv/LUT_8UC3"),
    GAMMA(qrxiGammaFwd_8u_C3IR, inPlace, &kRGB, &kRGB, "opencv/LUT_8UC3"),
    GAMMA(qrxiGammaFwd_8u_AC4R, interleaved, &kRGBA, &kRGBA, ""),
    GAMMA(qrxiGammaFwd_8u_AC4IR, inPlace, &kRGBA, &kRGBA, ""),
    GAMMA(qrxiGammaFwd_8u_P3R, planar, &kP444, &kP444, ""),
    GAMMA(qrxiGammaFwd_8u_IP3R, planarInPlace, &kP444, &kP444, ""),
    GAMMA(qrxiGammaInv_8u_C3R, interleaved, &kRGB, &kRGB, "opencv/LUT_8UC3"),
    GAMMA(qrxiGammaInv_8u_C3IR, inPlace, &kRGB, &kRGB, "opencv/LUT_8UC3"),
    GAMMA(qrxiGammaInv_8u_AC4R, interleaved, &kRGBA, &kRGBA, ""),
    GAMMA(qrxiGammaInv_8u_AC4IR, inPlace, &kRGBA, &kRGBA, ""),
    GAMMA(qrxiGammaInv_8u_P3R, planar, &kP444, &kP444, ""),
    GAMMA(qrxiGammaInv_8u_IP3R, planarInPlace, &kP444, &kP444, ""),
    GAMMA(qrxiGammaFwd_16u_C3R, interleaved, &k16uC3, &k16uC3, "scalar/powLoop_16u"),
    GAMMA(qrxiGammaFwd_16u_C3IR, inPlace, &k16uC3, &k16uC3, "scalar/powLoop_16u"),
    GAMMA(qrxiGammaFwd_16u_AC4R, interleaved, &k16uC4, &k16uC4, ""),
    GAMMA(qrxiGammaFwd_16u_AC4IR, inPlace, &k16uC4, &k16uC4, ""),
    GAMMA(qrxiGammaFwd_16u_P3R, planar, &kP3_16u, &kP3_16u, ""),
    GAMMA(qrxiGammaFwd_16u_IP3R, planarInPlace, &kP3_16u, &kP3_16u, ""),
    GAMMA(qrxiGammaInv_16u_C3R, interleaved, &k16uC3, &k16uC3, "scalar/powLoop_16u"),
    GAMMA(qrxiGammaInv_16u_C3IR, inPlace, &k16uC3, &k16uC3, "scalar/powLoop_16u"),
    GAMMA(qrxiGammaInv_16u_AC4R, interleaved, &k16uC4, &k16uC4, ""),
    GAMMA(qrxiGammaInv_16u_AC4IR, inPlace, &k16uC4, &k16uC4, ""),
    GAMMA(qrxiGammaInv_16u_P3R, planar, &kP3_16u, &kP3_16u, ""),
    GAMMA(qrxiGammaInv_16u_IP3R, planarInPlace, &kP3_16u, &kP3_16u, ""),
    GAMMA(qrxiGammaFwd_32f_C3R, interleaved, &k32fC3, &k32fC3, "scalar/powLoop_32f"),
    GAMMA(qrxiGammaFwd_32f_C3IR, inPlace, &k32fC3, &k32fC3, "scalar/powLoop_32f"),
    GAMMA(qrxiGammaFwd_32f_AC4R, interleaved, &k32fC4, &k32fC4, ""),
    GAMMA(qrxiGammaFwd_32f_AC4IR, inPlace, &k32fC4, &k32fC4, ""),
    GAMMA(qrxiGammaFwd_32f_P3R, planar, &kP3_32f, &kP3_32f, ""),
    GAMMA(qrxiGammaFwd_32f_IP3R, planarInPlace, &kP3_32f, &kP3_32f, ""),
    GAMMA(qrxiGammaInv_32f_C3R, interleaved, &k32fC3, &k32fC3, "scalar/powLoop_32f"),
    GAMMA(qrxiGammaInv_32f_C3IR, inPlace, &k32fC3, &k32fC3, "scalar/powLoop_32f"),
    GAMMA(qrxiGammaInv_32f_AC4R, interleaved, &k32fC4, &k32fC4, ""),
    GAMMA(qrxiGammaInv_32f_AC4IR, inPlace, &k32fC4, &k32fC4, ""),
    GAMMA(qrxiGammaInv_32f_P3R, planar, &kP3_32f, &kP3_32f, ""),
    GAMMA(qrxiGammaInv_32f_IP3R, planarInPlace, &kP3_32f, &kP3_32f, ""),
}, gammaPeers};

}  // namespace
}  // namespace qrxbench
